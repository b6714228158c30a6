// The operating system layer on Windows.
//
// Files are opened with the Win32 API as raw bytes; the text conventions
// live above this layer, so a lone carriage return is dropped and Ctrl-Z
// ends the data just as on every other platform.  Paths are handed to
// Windows as they are: backslashes or slashes, drive letters, any letter
// case.  Their bytes are read in the OEM code page, the one of the
// configuration file and of the BBS that starts us, not in the ANSI one.
//
// Standard output stays with the C runtime, in its text mode, so that each
// line feed reaches the console or the redirected file as CR LF.
#include "platform/windows_api.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/os.h"

namespace {

HANDLE Handle(const OsFile *file) {
  return reinterpret_cast<HANDLE>(file->handle);
}

// Once per process, before the first path reaches Windows.  A missing
// floppy or CD in a configured drive must fail the open, not stop an
// unattended BBS script at a message box.
void PrepareFileApis() {
  static bool done = false;
  if (done)
    return;
  done = true;
  SetFileApisToOEM();
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

bool IsDirectory(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION information;
  return GetFileType(handle) == FILE_TYPE_DISK &&
         GetFileInformationByHandle(handle, &information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The sharing the C runtime's fopen grants: the mailer keeps writing its
// log while we read it, and a result file that another program holds open
// for writing still counts as held.
bool OpenHandle(const char *path, DWORD access, DWORD disposition,
                OsFile *file) {
  PrepareFileApis();
  if (path[0] == '\0')
    return false;
  HANDLE handle =
      CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  file->handle = reinterpret_cast<intptr_t>(handle);
  return true;
}

}  // namespace

bool OsOpenForReading(const char *path, OsFile *file) {
  if (!OpenHandle(path, GENERIC_READ, OPEN_EXISTING, file))
    return false;
  // Windows refuses directories here already; this keeps it so whatever
  // the file system says.
  if (IsDirectory(Handle(file))) {
    OsCloseFile(file);
    return false;
  }
  return true;
}

bool OsOpenForWriting(const char *path, OsFile *file) {
  return OpenHandle(path, GENERIC_WRITE, CREATE_ALWAYS, file);
}

size_t OsReadBytes(OsFile *file, void *buffer, size_t count) {
  DWORD wanted = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
  DWORD got = 0;
  if (!ReadFile(Handle(file), buffer, wanted, &got, nullptr))
    return 0;
  return got;
}

bool OsWriteBytes(OsFile *file, const void *bytes, size_t count) {
  const char *next = static_cast<const char *>(bytes);
  while (count > 0) {
    DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
    DWORD put = 0;
    if (!WriteFile(Handle(file), next, chunk, &put, nullptr) || put == 0)
      return false;
    next += put;
    count -= put;
  }
  return true;
}

bool OsSetPosition(OsFile *file, int64_t offset, OsSeekOrigin origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  DWORD method = origin == kSeekFromEnd ? FILE_END : FILE_BEGIN;
  return SetFilePointerEx(Handle(file), distance, nullptr, method) != 0;
}

int64_t OsPosition(OsFile *file) {
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  LARGE_INTEGER position;
  if (!SetFilePointerEx(Handle(file), zero, &position, FILE_CURRENT))
    return -1;
  return position.QuadPart;
}

bool OsCloseFile(OsFile *file) {
  HANDLE handle = Handle(file);
  file->handle = -1;
  return CloseHandle(handle) != 0;
}

bool OsPrepareStandardOutput() {
  _setmode(_fileno(stdout), _O_TEXT);
  // A console answers GetConsoleMode; a pipe, a file or NUL does not.
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void OsLocalDate(int *year, int *month, int *day) {
  SYSTEMTIME local;
  GetLocalTime(&local);
  *year = local.wYear;
  *month = local.wMonth;
  *day = local.wDay;
}
