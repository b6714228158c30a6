// A helper of the screen tests, run under Wine inside a pseudo-terminal so
// that there is a real Win32 console: starts ringcheck.exe in this same
// console, waits for it, then reads every cell of the screen buffer back
// and writes it to a file.
//
//   screen_dump.exe DUMP-FILE PROGRAM [ARGUMENT...]
//
// The dump: a first line "WIDTH HEIGHT CURSOR-COLUMN CURSOR-ROW EXIT-CODE"
// (cursor 0-based), then WIDTH x HEIGHT characters in code page 866, row by
// row, then as many attribute bytes.  Cells are read as UTF-16 and turned
// into code page 866 here, so the dump does not depend on the console's
// code page.  Exit code: 0, or 2 when something could not be done.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Quotes one argument so that the C runtime splits it back unchanged.
void AppendQuoted(std::string *line, const char *argument) {
  if (*argument != '\0' && strpbrk(argument, " \t\"") == nullptr) {
    *line += argument;
    return;
  }
  *line += '"';
  size_t backslashes = 0;
  for (const char *c = argument;; c++) {
    if (*c == '\\') {
      backslashes++;
      continue;
    }
    if (*c == '\0') {
      line->append(backslashes * 2, '\\');
      break;
    }
    if (*c == '"')
      line->append(backslashes * 2 + 1, '\\');
    else
      line->append(backslashes, '\\');
    *line += *c;
    backslashes = 0;
  }
  *line += '"';
}

int Fail(const char *what) {
  fprintf(stderr, "screen_dump: %s failed (error %lu)\n", what,
          static_cast<unsigned long>(GetLastError()));
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: screen_dump DUMP-FILE PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  std::string command;
  for (int i = 2; i < argc; i++) {
    if (i > 2)
      command += ' ';
    AppendQuoted(&command, argv[i]);
  }
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &process))
    return Fail("CreateProcess");
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  HANDLE screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (screen == INVALID_HANDLE_VALUE)
    return Fail("opening CONOUT$");
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(screen, &info))
    return Fail("GetConsoleScreenBufferInfo");
  int width = info.dwSize.X;
  int height = info.dwSize.Y;
  std::vector<CHAR_INFO> cells(static_cast<size_t>(width) * height);
  // Row by row: one call for a large buffer may exceed what the console
  // hands out at once.
  for (int row = 0; row < height; row++) {
    COORD size = {static_cast<SHORT>(width), 1};
    COORD origin = {0, 0};
    SMALL_RECT region = {0, static_cast<SHORT>(row), static_cast<SHORT>(width - 1),
                         static_cast<SHORT>(row)};
    if (!ReadConsoleOutputW(screen, &cells[static_cast<size_t>(row) * width], size,
                            origin, &region))
      return Fail("ReadConsoleOutputW");
  }

  std::string characters;
  std::string attributes;
  for (const CHAR_INFO &cell : cells) {
    char byte = '?';
    WCHAR wide = cell.Char.UnicodeChar;
    if (WideCharToMultiByte(866, 0, &wide, 1, &byte, 1, nullptr, nullptr) != 1)
      byte = '?';
    characters += byte;
    attributes += static_cast<char>(cell.Attributes & 0xFF);
  }
  FILE *dump = fopen(argv[1], "wb");
  if (dump == nullptr)
    return Fail("creating the dump file");
  fprintf(dump, "%d %d %d %d %lu\n", width, height, info.dwCursorPosition.X,
          info.dwCursorPosition.Y, static_cast<unsigned long>(exit_code));
  fwrite(characters.data(), 1, characters.size(), dump);
  fwrite(attributes.data(), 1, attributes.size(), dump);
  return fclose(dump) == 0 ? 0 : Fail("writing the dump file");
}
