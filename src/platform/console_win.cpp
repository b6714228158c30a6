// The console on Windows: the console's own screen buffer, opened by name
// so that the screen is drawn also when standard output is redirected.
// Cells are written as UTF-16, converted from code page 866, so the texts
// show right whatever code page the console is set to; the console's code
// page and colours are never changed.
#include "platform/console.h"

#include <windows.h>

namespace {

// Cells converted and written at a time.
constexpr int kChunk = 256;

HANDLE screen_buffer = INVALID_HANDLE_VALUE;
SHORT buffer_width;
SHORT buffer_height;

bool ReadBufferInfo(CONSOLE_SCREEN_BUFFER_INFO *info) {
  return GetConsoleScreenBufferInfo(screen_buffer, info) != 0;
}

bool WindowsOpen(ConsoleInfo *info) {
  screen_buffer = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (screen_buffer == INVALID_HANDLE_VALUE)
    return false;
  CONSOLE_SCREEN_BUFFER_INFO buffer;
  if (!ReadBufferInfo(&buffer)) {
    CloseHandle(screen_buffer);
    screen_buffer = INVALID_HANDLE_VALUE;
    return false;
  }
  buffer_width = buffer.dwSize.X;
  buffer_height = buffer.dwSize.Y;
  info->width = buffer.dwSize.X;
  info->height = buffer.dwSize.Y;
  info->attribute = static_cast<unsigned char>(buffer.wAttributes & 0xFF);
  return true;
}

void WindowsClose() {
  CloseHandle(screen_buffer);
  screen_buffer = INVALID_HANDLE_VALUE;
}

void WindowsReadCursor(int *column, int *row) {
  CONSOLE_SCREEN_BUFFER_INFO buffer;
  if (!ReadBufferInfo(&buffer)) {
    *column = 0;
    *row = 0;
    return;
  }
  *column = buffer.dwCursorPosition.X;
  *row = buffer.dwCursorPosition.Y;
}

void WindowsSetCursor(int column, int row) {
  COORD place = {static_cast<SHORT>(column), static_cast<SHORT>(row)};
  SetConsoleCursorPosition(screen_buffer, place);
}

void WriteChunk(int column, int row, const ConsoleCell *cells, int count) {
  char characters[kChunk];
  WCHAR wide[kChunk];
  for (int i = 0; i < count; i++)
    characters[i] = static_cast<char>(cells[i].character);
  // Glyph characters: bytes below 32 show as the symbols the console's
  // font has for them, not as control characters.
  int converted = MultiByteToWideChar(866, MB_USEGLYPHCHARS, characters, count,
                                      wide, kChunk);
  CHAR_INFO out[kChunk];
  for (int i = 0; i < count; i++) {
    out[i].Char.UnicodeChar = i < converted ? wide[i] : L'?';
    out[i].Attributes = cells[i].attribute;
  }
  COORD size = {static_cast<SHORT>(count), 1};
  COORD from = {0, 0};
  SMALL_RECT place = {static_cast<SHORT>(column), static_cast<SHORT>(row),
                      static_cast<SHORT>(column + count - 1),
                      static_cast<SHORT>(row)};
  WriteConsoleOutputW(screen_buffer, out, size, from, &place);
}

void WindowsWriteCells(int column, int row, const ConsoleCell *cells,
                       int count) {
  while (count > 0) {
    int part = count < kChunk ? count : kChunk;
    WriteChunk(column, row, cells, part);
    column += part;
    cells += part;
    count -= part;
  }
}

void WindowsScrollUp(ConsoleCell fill) {
  SMALL_RECT moved = {0, 1, static_cast<SHORT>(buffer_width - 1),
                      static_cast<SHORT>(buffer_height - 1)};
  COORD to = {0, 0};
  CHAR_INFO blank;
  blank.Char.UnicodeChar = static_cast<WCHAR>(fill.character);
  blank.Attributes = fill.attribute;
  ScrollConsoleScreenBufferW(screen_buffer, &moved, nullptr, to, &blank);
}

void WindowsBeep() { Beep(3000, 100); }

}  // namespace

const ConsoleDevice OsConsole = {
    WindowsOpen,       WindowsClose,      WindowsReadCursor, WindowsSetCursor,
    WindowsWriteCells, WindowsScrollUp,   WindowsBeep,
};
