// Files written whole and named without replacing one, on Windows.  Apart
// from the rest of the file layer: only the netmail message needs them,
// and ringcheck.exe then imports none of these calls.
//
// MoveFile without MOVEFILE_REPLACE_EXISTING fails on a name that is
// taken, on every Windows from 95 and XP on and on every file system.
#include "platform/windows_api.h"

#include <cstdio>
#include <cstring>

#include "platform/os.h"

namespace {

// Paths in the OEM code page, and no message box for a missing disk, as
// the file layer has it.
void PrepareFileApis() {
  SetFileApisToOEM();
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

bool FindFolder(const char *folder, char *full) {
  if (!OsFullPath(folder, false, full, kMaxPathLength))
    return false;
  DWORD attributes = GetFileAttributesA(full);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool OsNamesKeepCase() { return false; }

bool OsPathInFolder(const char *folder, const char *name, char *path,
                    size_t capacity) {
  PrepareFileApis();
  char full[kMaxPathLength + 1];
  if (!FindFolder(folder, full))
    return false;
  size_t used = strlen(full);
  const char *slash =
      used > 0 && (full[used - 1] == '\\' || full[used - 1] == '/') ? ""
                                                                    : "\\";
  int length = snprintf(path, capacity + 1, "%s%s%s", full, slash, name);
  return length > 0 && static_cast<size_t>(length) <= capacity;
}

bool OsListFolder(const char *folder, void (*see)(const char *, void *),
                  void *context) {
  char pattern[kMaxPathLength + 1];
  if (!OsPathInFolder(folder, "*", pattern, kMaxPathLength))
    return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  do
    see(found.cFileName, context);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

OsCreated OsCreateNewFile(const char *path, OsFile *file) {
  PrepareFileApis();
  HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
               ? kOsNameTaken
               : kOsCannotCreate;
  }
  file->handle = reinterpret_cast<intptr_t>(handle);
  return kOsCreated;
}

OsNamed OsNameWithoutReplacing(const char *from, const char *to) {
  PrepareFileApis();
  if (MoveFileA(from, to))
    return kOsNamed;
  DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
             ? kOsNameInUse
             : kOsCannotName;
}

bool OsRemoveFile(const char *path) {
  PrepareFileApis();
  return DeleteFileA(path) != 0;
}
