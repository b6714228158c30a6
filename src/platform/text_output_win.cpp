// Standard output on Windows.  A console is written in UTF-16, converted
// from code page 866 as the status screen's cells are, so the text shows
// right whatever code page the console is set to.  Anything else (a file,
// a pipe, NUL) gets the code page 866 bytes with CR LF line ends, as a
// program of this station's age writes them, in blocks, as a report of a
// long log has many lines.
#include "platform/windows_api.h"

#include <cstring>

#include "platform/text_output.h"

namespace {

// Characters converted and written at a time.
constexpr int kChunk = 256;

char block[64 * 1024];
size_t held = 0;

void WriteBytes(HANDLE output, const char *bytes, DWORD count) {
  while (count > 0) {
    DWORD put = 0;
    if (!WriteFile(output, bytes, count, &put, nullptr) || put == 0)
      return;
    bytes += put;
    count -= put;
  }
}

void Hold(HANDLE output, const char *bytes, size_t count) {
  while (count > 0) {
    if (held == sizeof block) {
      WriteBytes(output, block, static_cast<DWORD>(held));
      held = 0;
    }
    size_t part = sizeof block - held < count ? sizeof block - held : count;
    memcpy(block + held, bytes, part);
    held += part;
    bytes += part;
    count -= part;
  }
}

void WriteToConsole(HANDLE output, const char *text, int count) {
  while (count > 0) {
    int part = count < kChunk ? count : kChunk;
    WCHAR wide[kChunk];
    int converted = MultiByteToWideChar(866, 0, text, part, wide, kChunk);
    DWORD put = 0;
    if (converted > 0)
      WriteConsoleW(output, wide, static_cast<DWORD>(converted), &put,
                    nullptr);
    text += part;
    count -= part;
  }
}

}  // namespace

void OsWriteTextLine(const char *text) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == INVALID_HANDLE_VALUE || output == nullptr)
    return;
  int length = static_cast<int>(strlen(text));
  // A console answers GetConsoleMode; a pipe, a file or NUL does not.  The
  // output stays what it is, so the first line asks for all.
  static int console = -1;
  DWORD mode = 0;
  if (console < 0)
    console = GetConsoleMode(output, &mode) != 0 ? 1 : 0;
  if (console == 1) {
    WriteToConsole(output, text, length);
    WriteToConsole(output, "\r\n", 2);
    return;
  }
  Hold(output, text, static_cast<size_t>(length));
  Hold(output, "\r\n", 2);
}

void OsWriteOutputBytes(const char *bytes, size_t count) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output != INVALID_HANDLE_VALUE && output != nullptr)
    Hold(output, bytes, count);
}

void OsWriteErrorLine(const char *text) {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == INVALID_HANDLE_VALUE || error == nullptr)
    return;
  DWORD mode = 0;
  int length = static_cast<int>(strlen(text));
  if (GetConsoleMode(error, &mode) != 0) {
    WriteToConsole(error, text, length);
    WriteToConsole(error, "\r\n", 2);
    return;
  }
  WriteBytes(error, text, static_cast<DWORD>(length));
  WriteBytes(error, "\r\n", 2);
}

bool OsShowProgress(const char *text) {
  static int console = -1;
  static int shown = 0;
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (console < 0)
    console = error != INVALID_HANDLE_VALUE && error != nullptr &&
                      GetConsoleMode(error, &mode) != 0
                  ? 1
                  : 0;
  if (console == 0)
    return false;
  // The line again from its start, blanks over what stood there before.
  char line[256] = "\r";
  int length = static_cast<int>(strnlen(text, sizeof line - 2));
  memcpy(line + 1, text, static_cast<size_t>(length));
  int used = 1 + length;
  for (int blank = length; blank < shown && used + 1 < static_cast<int>(sizeof line); blank++)
    line[used++] = ' ';
  line[used++] = '\r';
  WriteToConsole(error, line, used);
  shown = length;
  return true;
}

// GetTickCount wraps after 49 days; the differences that progress takes
// stay right across it.
int64_t OsMilliseconds() { return static_cast<int64_t>(GetTickCount()); }

void OsFlushTextLines() {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (held > 0 && output != INVALID_HANDLE_VALUE && output != nullptr)
    WriteBytes(output, block, static_cast<DWORD>(held));
  held = 0;
}
