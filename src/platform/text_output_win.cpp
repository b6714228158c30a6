// Standard output on Windows.  A console is written in UTF-16, converted
// from code page 866 as the status screen's cells are, so the text shows
// right whatever code page the console is set to.  Anything else (a file,
// a pipe, NUL) gets the code page 866 bytes with CR LF line ends, as a
// program of this station's age writes them.
#include "platform/windows_api.h"

#include <cstring>

#include "platform/text_output.h"

namespace {

// Characters converted and written at a time.
constexpr int kChunk = 256;

void WriteBytes(HANDLE output, const char *bytes, DWORD count) {
  while (count > 0) {
    DWORD put = 0;
    if (!WriteFile(output, bytes, count, &put, nullptr) || put == 0)
      return;
    bytes += put;
    count -= put;
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
  // A console answers GetConsoleMode; a pipe, a file or NUL does not.
  DWORD mode = 0;
  if (GetConsoleMode(output, &mode) != 0) {
    WriteToConsole(output, text, length);
    WriteToConsole(output, "\r\n", 2);
    return;
  }
  WriteBytes(output, text, static_cast<DWORD>(length));
  WriteBytes(output, "\r\n", 2);
}
