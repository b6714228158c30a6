// The Win32 API as the Windows files of the platform layer take it: the
// lean set of headers, and no min and max macros to clash with the C++
// library.
#ifndef RINGCHECK_PLATFORM_WINDOWS_API_H
#define RINGCHECK_PLATFORM_WINDOWS_API_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#endif
