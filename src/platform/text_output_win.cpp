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

// A Windows line ends with CR LF already.
void OsWriteTextRecord(const char *text) { OsWriteTextLine(text); }

void OsFlushTextLines() {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (held > 0 && output != INVALID_HANDLE_VALUE && output != nullptr)
    WriteBytes(output, block, static_cast<DWORD>(held));
  held = 0;
}
