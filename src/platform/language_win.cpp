// The user interface language and the ANSI code page, apart from the rest
// of the platform layer: only the dry run asks, and ringcheck.exe then
// imports nothing for it.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/language.h"

bool OsUserReadsRussian() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN;
}

// The C runtime takes the command line from GetCommandLineA, in the ANSI
// code page.
unsigned OsCommandLineCodePage() { return GetACP(); }
