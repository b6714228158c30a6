// The text console, as the status screen needs it: a grid of cells, each a
// code page 866 character with a 16-colour attribute, and a cursor.
//
// A device is a table of operations, so that the platform's console
// (console_unix.cpp, console_win.cpp) and the in-memory console of the tests
// stand behind the same screen code.  Columns and rows count from 0 here.
#ifndef RINGCHECK_PLATFORM_CONSOLE_H
#define RINGCHECK_PLATFORM_CONSOLE_H

struct ConsoleCell {
  unsigned char character;  // code page 866
  unsigned char attribute;  // bits 0-3 foreground, 4-6 background, 7 blink
};

struct ConsoleInfo {
  int width;
  int height;
  unsigned char attribute;  // the console's own colours at start-up
};

struct ConsoleDevice {
  // Takes the console for this run; false when there is none to be had.
  bool (*Open)(ConsoleInfo *info);
  void (*Close)();
  // The cursor as it is now, also after standard output has moved it.
  void (*ReadCursor)(int *column, int *row);
  void (*SetCursor)(int column, int row);
  // A run of cells on one row, from column on; it never passes the right
  // edge.
  void (*WriteCells)(int column, int row, const ConsoleCell *cells, int count);
  // Everything moves up one row; the bottom row becomes fill cells.
  void (*ScrollUp)(ConsoleCell fill);
  // The bell: 3000 Hz for 100 ms where the platform can sound it.
  void (*Beep)();
};

// The console of the platform the program runs on.
extern const ConsoleDevice OsConsole;

#endif
