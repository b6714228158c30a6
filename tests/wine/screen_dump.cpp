// A helper of the screen tests, run under Wine inside a pseudo-terminal so
// that there is a real Win32 console: starts ringcheck.exe in this same
// console, waits for it, then reads every cell of the screen buffer back
// and writes it to a file.
//
//   screen_dump.exe [-a ATTRIBUTE] [-f ATTRIBUTE] [-r ROW] [-h HOW:FILE]
//                   DUMP-FILE PROGRAM [ARGUMENT...]
//
// Before the program starts, -a sets the console's attribute (two hex
// digits), the colours the program finds as the console's own; -f paints
// every cell in an attribute, so that the cells the program leaves alone
// stand out; -r puts the cursor at column 1 of ROW (counted from 1); -h
// holds FILE open while the program runs, as the station's other programs
// do: HOW is "append" (the mailer's log) or "write" (the BBS's user base),
// both sharing reading and writing as the C runtime's fopen does, or
// "append-exclusive" or "write-exclusive", which let others read but deny
// them writing.
//
// The dump: a first line "WIDTH HEIGHT CURSOR-COLUMN CURSOR-ROW EXIT-CODE"
// (cursor 0-based), then WIDTH x HEIGHT characters, row by row, then as
// many attribute bytes.  The characters are read with the console's output
// code page set to 866, which the program itself never touches, so the
// dump holds the bytes a DOS-era console would hold.  Exit code: 0, or 2
// when something could not be done.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

HANDLE OpenScreen() {
  return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

// Opens FILE as -h HOW:FILE says; INVALID_HANDLE_VALUE when HOW is not
// known or the file is not there, so that a mistaken name fails the test
// rather than holding a new file nobody reads.
HANDLE HoldFile(const char *how_and_file) {
  const char *colon = strchr(how_and_file, ':');
  if (colon == nullptr)
    return INVALID_HANDLE_VALUE;
  std::string how(how_and_file, colon);
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  const std::string exclusive = "-exclusive";
  if (how.size() > exclusive.size() &&
      how.compare(how.size() - exclusive.size(), exclusive.size(), exclusive) == 0) {
    share = FILE_SHARE_READ;
    how.resize(how.size() - exclusive.size());
  }
  DWORD access = 0;
  if (how == "append")
    access = FILE_APPEND_DATA | SYNCHRONIZE;
  else if (how == "write")
    access = GENERIC_READ | GENERIC_WRITE;
  else
    return INVALID_HANDLE_VALUE;
  return CreateFileA(colon + 1, access, share, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int main(int argc, char **argv) {
  int attribute = -1;
  int fill = -1;
  int cursor_row = 0;
  const char *held = nullptr;
  int first = 1;
  for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
    if (strcmp(argv[first], "-a") == 0)
      attribute = static_cast<int>(strtol(argv[first + 1], nullptr, 16));
    else if (strcmp(argv[first], "-f") == 0)
      fill = static_cast<int>(strtol(argv[first + 1], nullptr, 16));
    else if (strcmp(argv[first], "-r") == 0)
      cursor_row = atoi(argv[first + 1]);
    else if (strcmp(argv[first], "-h") == 0)
      held = argv[first + 1];
    else
      break;
  }
  if (argc - first < 2) {
    fprintf(stderr, "usage: screen_dump [-a ATTRIBUTE] [-f ATTRIBUTE] [-r ROW] "
                    "[-h HOW:FILE] DUMP-FILE PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const char *dump_path = argv[first];
  std::string command;
  for (int i = first + 1; i < argc; i++) {
    if (i > first + 1)
      command += ' ';
    AppendQuoted(&command, argv[i]);
  }

  HANDLE screen = OpenScreen();
  if (screen == INVALID_HANDLE_VALUE)
    return Fail("opening CONOUT$");
  if (attribute >= 0 &&
      !SetConsoleTextAttribute(screen, static_cast<WORD>(attribute)))
    return Fail("SetConsoleTextAttribute");
  CONSOLE_SCREEN_BUFFER_INFO before;
  DWORD painted = 0;
  if (fill >= 0 && (!GetConsoleScreenBufferInfo(screen, &before) ||
                    !FillConsoleOutputAttribute(
                        screen, static_cast<WORD>(fill),
                        static_cast<DWORD>(before.dwSize.X) * before.dwSize.Y,
                        COORD{0, 0}, &painted)))
    return Fail("FillConsoleOutputAttribute");
  COORD start = {0, static_cast<SHORT>(cursor_row - 1)};
  if (cursor_row > 0 && !SetConsoleCursorPosition(screen, start))
    return Fail("SetConsoleCursorPosition");

  HANDLE held_file = INVALID_HANDLE_VALUE;
  if (held != nullptr &&
      (held_file = HoldFile(held)) == INVALID_HANDLE_VALUE)
    return Fail("holding the file of -h");

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
  if (held_file != INVALID_HANDLE_VALUE)
    CloseHandle(held_file);

  if (!SetConsoleOutputCP(866))
    return Fail("SetConsoleOutputCP");
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
    if (!ReadConsoleOutputA(screen, &cells[static_cast<size_t>(row) * width], size,
                            origin, &region))
      return Fail("ReadConsoleOutputA");
  }

  std::string characters;
  std::string attributes;
  for (const CHAR_INFO &cell : cells) {
    characters += cell.Char.AsciiChar;
    attributes += static_cast<char>(cell.Attributes & 0xFF);
  }
  FILE *dump = fopen(dump_path, "wb");
  if (dump == nullptr)
    return Fail("creating the dump file");
  fprintf(dump, "%d %d %d %d %lu\n", width, height, info.dwCursorPosition.X,
          info.dwCursorPosition.Y, static_cast<unsigned long>(exit_code));
  fwrite(characters.data(), 1, characters.size(), dump);
  fwrite(attributes.data(), 1, attributes.size(), dump);
  return fclose(dump) == 0 ? 0 : Fail("writing the dump file");
}
