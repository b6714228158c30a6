#include "memory_console.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "run/console_screen.h"
#include "test_files.h"

namespace {

struct Grid {
  int width = 0;
  int height = 0;
  unsigned char attribute = 0;
  std::vector<ConsoleCell> cells;
  int column = 0;
  int row = 0;
  int beeps = 0;
  bool output_on_console = false;
  int saved_output = -1;
  int output_file = -1;
  std::string output;  // standard output caught so far
} grid;

ConsoleCell &CellAt(int column, int row) {
  return grid.cells.at(static_cast<size_t>(row * grid.width + column));
}

void Scroll(ConsoleCell fill) {
  grid.cells.erase(grid.cells.begin(), grid.cells.begin() + grid.width);
  grid.cells.insert(grid.cells.end(), static_cast<size_t>(grid.width), fill);
}

// What a console does with bytes written to it as a stream: standard
// output in text mode turns each line feed into carriage return and line
// feed.
void ShowStream(const std::string &bytes) {
  for (char byte : bytes) {
    if (byte == '\n') {
      grid.column = 0;
      grid.row++;
    } else if (byte == '\r') {
      grid.column = 0;
    } else {
      CellAt(grid.column, grid.row) =
          ConsoleCell{static_cast<unsigned char>(byte), grid.attribute};
      if (++grid.column == grid.width) {
        grid.column = 0;
        grid.row++;
      }
    }
    if (grid.row == grid.height) {
      Scroll(ConsoleCell{' ', grid.attribute});
      grid.row--;
    }
  }
}

// Takes in what reached standard output since the last look.
void CatchUp() {
  fflush(stdout);
  char buffer[4096];
  for (;;) {
    ssize_t got = pread(grid.output_file, buffer, sizeof buffer,
                        static_cast<off_t>(grid.output.size()));
    if (got <= 0)
      break;
    std::string fresh(buffer, static_cast<size_t>(got));
    grid.output += fresh;
    if (grid.output_on_console)
      ShowStream(fresh);
  }
}

bool GridOpen(ConsoleInfo *info) {
  CatchUp();
  info->width = grid.width;
  info->height = grid.height;
  info->attribute = grid.attribute;
  return true;
}

void GridClose() { CatchUp(); }

void GridReadCursor(int *column, int *row) {
  CatchUp();
  *column = grid.column;
  *row = grid.row;
}

void GridSetCursor(int column, int row) {
  CatchUp();
  if (column < 0 || column >= grid.width || row < 0 || row >= grid.height)
    throw std::logic_error("cursor put outside the console");
  grid.column = column;
  grid.row = row;
}

void GridWriteCells(int column, int row, const ConsoleCell *cells, int count) {
  CatchUp();
  if (count < 1 || column < 0 || column + count > grid.width || row < 0 ||
      row >= grid.height)
    throw std::logic_error("cells written outside the console");
  for (int i = 0; i < count; i++)
    CellAt(column + i, row) = cells[i];
}

void GridScrollUp(ConsoleCell fill) {
  CatchUp();
  Scroll(fill);
}

void GridBeep() {
  CatchUp();
  grid.beeps++;
}

// GoogleTest reports a failure on standard output as it happens, while
// the console catches standard output: for the report, standard output is
// put back for a moment, around GoogleTest's own printer.
struct ReportOnRealOutput : ::testing::EmptyTestEventListener {
  explicit ReportOnRealOutput(bool restore) : before(restore) {}
  void OnTestPartResult(const ::testing::TestPartResult &) override {
    if (grid.saved_output < 0)
      return;
    fflush(stdout);
    dup2(before ? grid.saved_output : grid.output_file, STDOUT_FILENO);
  }
  bool before;
};

void PutReportsOnRealOutput() {
  static bool done = false;
  if (done)
    return;
  done = true;
  ::testing::TestEventListeners &listeners =
      ::testing::UnitTest::GetInstance()->listeners();
  ::testing::TestEventListener *printer =
      listeners.Release(listeners.default_result_printer());
  listeners.Append(new ReportOnRealOutput(true));
  if (printer != nullptr)
    listeners.Append(printer);
  listeners.Append(new ReportOnRealOutput(false));
}

const ConsoleDevice kGridDevice = {
    GridOpen,       GridClose,    GridReadCursor, GridSetCursor,
    GridWriteCells, GridScrollUp, GridBeep,
};

// The end of a row that a test compares: up to the last cell that is not
// a blank in the console's own colours.
int UsedWidth(int row) {
  int used = grid.width;
  while (used > 0 && CellAt(used - 1, row).character == ' ' &&
         CellAt(used - 1, row).attribute == grid.attribute)
    used--;
  return used;
}


}  // namespace

MemoryConsole::MemoryConsole(int width, int height,
                             StandardOutput standard_output,
                             unsigned char attribute) {
  PutReportsOnRealOutput();
  grid = Grid();
  grid.width = width;
  grid.height = height;
  grid.attribute = attribute;
  grid.cells.assign(static_cast<size_t>(width * height),
                    ConsoleCell{' ', attribute});
  grid.output_on_console = standard_output == StandardOutput::kOnConsole;
  char path[] = "/tmp/ringcheck-stdout-XXXXXX";
  grid.output_file = mkstemp(path);
  if (grid.output_file < 0)
    throw std::runtime_error("no file for standard output");
  unlink(path);
  fflush(stdout);
  grid.saved_output = dup(STDOUT_FILENO);
  dup2(grid.output_file, STDOUT_FILENO);
  UseConsoleDevice(&kGridDevice);
}

MemoryConsole::~MemoryConsole() {
  UseConsoleDevice(nullptr);
  CatchUp();
  dup2(grid.saved_output, STDOUT_FILENO);
  close(grid.saved_output);
  close(grid.output_file);
  grid.saved_output = -1;
}

void MemoryConsole::Type(const std::string &text) {
  CatchUp();
  ShowStream(text);
}

std::string MemoryConsole::Row(int row) {
  CatchUp();
  std::string bytes;
  for (int column = 0; column < UsedWidth(row - 1); column++)
    bytes += static_cast<char>(CellAt(column, row - 1).character);
  return Cp866ToUtf8(bytes);
}

std::string MemoryConsole::Colours(int row) {
  CatchUp();
  std::string runs;
  int used = UsedWidth(row - 1);
  for (int start = 0; start < used;) {
    unsigned char attribute = CellAt(start, row - 1).attribute;
    int end = start;
    while (end < used && CellAt(end, row - 1).attribute == attribute)
      end++;
    char run[16];
    snprintf(run, sizeof run, "%s%02Xx%d", runs.empty() ? "" : " ", attribute,
             end - start);
    runs += run;
    start = end;
  }
  return runs;
}

int MemoryConsole::CursorColumn() {
  CatchUp();
  return grid.column + 1;
}

int MemoryConsole::CursorRow() {
  CatchUp();
  return grid.row + 1;
}

int MemoryConsole::Beeps() { return grid.beeps; }

std::string MemoryConsole::StandardOutputBytes() {
  CatchUp();
  return grid.output;
}
