// An in-memory console for tests: a grid of cells with attributes and a
// cursor, installed as the console the status screen draws on.
//
// Standard output is caught in a file while the console is installed.
// When the test says that standard output is the console, what the program
// wrote there reaches the grid, as a console would show it, before the next
// console operation; otherwise it stays in the file only.
#ifndef RINGCHECK_TESTS_MEMORY_CONSOLE_H
#define RINGCHECK_TESTS_MEMORY_CONSOLE_H

#include <string>

enum class StandardOutput { kOnConsole, kRedirected };

class MemoryConsole {
 public:
  MemoryConsole(int width, int height, StandardOutput standard_output,
                unsigned char attribute = 0x07);
  ~MemoryConsole();
  MemoryConsole(const MemoryConsole &) = delete;
  MemoryConsole &operator=(const MemoryConsole &) = delete;

  // Text that some earlier program left on the console (ASCII).
  void Type(const std::string &text);

  // A row (from 1) as UTF-8, without the blanks in the console's own
  // colours at its end.
  std::string Row(int row);
  // A row's attributes as runs, "40x3 0Cx10 07x27", over the same cells.
  std::string Colours(int row);
  int CursorColumn();  // from 1
  int CursorRow();     // from 1
  int Beeps();
  // Everything written to standard output since the console was installed.
  std::string StandardOutputBytes();
};

#endif
