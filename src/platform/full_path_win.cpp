// OsFullPath on Windows, apart from the rest of the file layer: only the
// dry run asks for it, and ringcheck.exe then links none of what it uses.
#include "platform/windows_api.h"

#include "platform/os.h"

bool OsFullPath(const char *path, bool for_creation, char *full,
                size_t capacity) {
  // Paths are read in the OEM code page, as the file layer reads them, and
  // a missing floppy must not stop the run at a message box; both settings
  // are the file layer's own, and setting them twice does no harm.
  SetFileApisToOEM();
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  if (path[0] == '\0')
    return false;
  // Windows finds names whatever their case, so the full path is the path
  // as given, made whole; it names a file only when one is there.
  DWORD length = GetFullPathNameA(path, static_cast<DWORD>(capacity + 1),
                                  full, nullptr);
  if (length == 0 || length > capacity)
    return false;
  return for_creation || GetFileAttributesA(full) != INVALID_FILE_ATTRIBUTES;
}
