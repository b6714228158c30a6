// ConsoleScreen: the small text-console layer that the status screen draws
// with.  It writes cells straight into the console's buffer in its own
// current attribute and leaves the console's colours alone.  Rows and
// columns count from 1 here.  While no console is open every operation
// does nothing.
#ifndef RINGCHECK_RUN_CONSOLE_SCREEN_H
#define RINGCHECK_RUN_CONSOLE_SCREEN_H

#include "platform/console.h"

// The device the next OpenConsoleScreen takes; nullptr is the platform's
// own console.  Tests put an in-memory console here.
void UseConsoleDevice(const ConsoleDevice *device);

// False when there is no console: the screen is then skipped.
bool OpenConsoleScreen();
void CloseConsoleScreen();

void SetAttribute(unsigned char attribute);
// Changes the foreground colour and keeps the background.
void SetForeground(int colour);
// A place outside the window is ignored.
void MoveCursor(int column, int row);
int CursorRow();
// Expands the format like printf and writes the bytes at the cursor: line
// feed, carriage return, backspace and bell act, every other byte is
// stored in a cell.
void WriteFormatted(const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

#endif
