// ConsoleScreen over a console device: the byte rules of WriteFormatted,
// wrapping at the right edge and scrolling at the bottom.
#include "run/console_screen.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Longer than any text the program writes: a message with the longest
// setting value in it.
constexpr int kFormattedCapacity = 1024;
// Cells gathered before they go to the device in one run.
constexpr int kRunCapacity = 256;

const ConsoleDevice *chosen_device = nullptr;

struct {
  const ConsoleDevice *device;  // nullptr while no console is open
  int width;
  int height;
  unsigned char attribute;
} screen;

// The cells of one row waiting to be written, and where they start.
struct PendingRun {
  ConsoleCell cells[kRunCapacity];
  int count;
  int column;
  int row;
};

void FlushRun(PendingRun *run) {
  if (run->count > 0)
    screen.device->WriteCells(run->column, run->row, run->cells, run->count);
  run->count = 0;
}

void StoreCell(PendingRun *run, int column, int row, unsigned char character) {
  if (run->count > 0 &&
      (run->row != row || run->column + run->count != column ||
       run->count == kRunCapacity))
    FlushRun(run);
  if (run->count == 0) {
    run->column = column;
    run->row = row;
  }
  run->cells[run->count++] = ConsoleCell{character, screen.attribute};
}

void WriteBytes(const unsigned char *bytes, int count) {
  int column = 0;
  int row = 0;
  screen.device->ReadCursor(&column, &row);
  if (column < 0 || column >= screen.width)
    column = column < 0 ? 0 : screen.width - 1;
  if (row < 0 || row >= screen.height)
    row = row < 0 ? 0 : screen.height - 1;
  PendingRun run;
  run.count = 0;
  for (int i = 0; i < count; i++) {
    switch (bytes[i]) {
    case '\n':
      row++;
      break;
    case '\r':
      column = 0;
      break;
    case '\b':
      if (column > 0)
        column--;
      break;
    case '\a':
      FlushRun(&run);
      screen.device->Beep();
      break;
    default:
      StoreCell(&run, column, row, bytes[i]);
      column++;
      break;
    }
    if (column >= screen.width) {
      column = 0;
      row++;
    }
    if (row >= screen.height) {
      // The cells still waiting belong to rows that are about to move.
      FlushRun(&run);
      screen.device->ScrollUp(ConsoleCell{' ', screen.attribute});
      row = screen.height - 1;
    }
  }
  FlushRun(&run);
  screen.device->SetCursor(column, row);
}

}  // namespace

void UseConsoleDevice(const ConsoleDevice *device) { chosen_device = device; }

bool OpenConsoleScreen() {
  CloseConsoleScreen();
  const ConsoleDevice *device =
      chosen_device != nullptr ? chosen_device : &OsConsole;
  ConsoleInfo info;
  if (!device->Open(&info))
    return false;
  if (info.width < 1 || info.height < 1) {
    device->Close();
    return false;
  }
  screen.device = device;
  screen.width = info.width;
  screen.height = info.height;
  screen.attribute = info.attribute;
  return true;
}

void CloseConsoleScreen() {
  if (screen.device != nullptr)
    screen.device->Close();
  screen.device = nullptr;
}

void SetAttribute(unsigned char attribute) { screen.attribute = attribute; }

void SetForeground(int colour) {
  screen.attribute =
      static_cast<unsigned char>((screen.attribute & 0x70) | (colour & 0x8F));
}

void MoveCursor(int column, int row) {
  if (screen.device == nullptr || column < 1 || column > screen.width ||
      row < 1 || row > screen.height)
    return;
  screen.device->SetCursor(column - 1, row - 1);
}

int CursorRow() {
  if (screen.device == nullptr)
    return 0;
  int column = 0;
  int row = 0;
  screen.device->ReadCursor(&column, &row);
  return row + 1;
}

void WriteFormatted(const char *format, ...) {
  if (screen.device == nullptr)
    return;
  char text[kFormattedCapacity];
  va_list arguments;
  va_start(arguments, format);
  int length = vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (length < 0)
    return;
  if (length >= kFormattedCapacity)
    length = kFormattedCapacity - 1;
  // The length, not the terminator: a %c of a zero byte is a cell too.
  WriteBytes(reinterpret_cast<const unsigned char *>(text), length);
}
