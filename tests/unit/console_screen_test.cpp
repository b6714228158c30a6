// ConsoleScreen's byte rules, on a small in-memory console.
#include <gtest/gtest.h>

#include "memory_console.h"
#include "run/console_screen.h"

namespace {

class ConsoleScreenTest : public ::testing::Test {
 protected:
  ConsoleScreenTest() : console(10, 3, StandardOutput::kRedirected) {
    EXPECT_TRUE(OpenConsoleScreen());
  }
  ~ConsoleScreenTest() override { CloseConsoleScreen(); }
  MemoryConsole console;
};

TEST_F(ConsoleScreenTest, ControlBytesMoveTheCursorAndOthersFillCells) {
  WriteFormatted("%s%d%c", "ab", 12, 'c');
  WriteFormatted("\b\bX\a");
  EXPECT_EQ(console.Row(1), "ab1Xc");
  EXPECT_EQ(console.Beeps(), 1);
  EXPECT_EQ(console.CursorColumn(), 5);
  WriteFormatted("\nd");
  EXPECT_EQ(console.Row(2), "    d");
  WriteFormatted("\re\r\b\bf");
  // Backspace stops at the left column.
  EXPECT_EQ(console.Row(2), "f   d");
  EXPECT_EQ(console.CursorColumn(), 2);
  EXPECT_EQ(console.CursorRow(), 2);
  // A zero byte from %c is a cell like any other.
  WriteFormatted("%c!", '\0');
  EXPECT_EQ(console.Row(2).substr(1, 3), std::string("\0! ", 3));
}

TEST_F(ConsoleScreenTest, TextWrapsAtTheRightEdgeAndScrollsAtTheBottom) {
  WriteFormatted("\n0123456789AB");
  EXPECT_EQ(console.Row(2), "0123456789");
  EXPECT_EQ(console.Row(3), "AB");
  SetAttribute(0x1E);
  WriteFormatted("\nC");
  // Everything moved up a row; the new bottom row is blank in the
  // current attribute, and the cursor stays on it.
  EXPECT_EQ(console.Row(1), "0123456789");
  EXPECT_EQ(console.Row(2), "AB");
  EXPECT_EQ(console.Row(3), "  C       ");
  EXPECT_EQ(console.Colours(3), "1Ex10");
  EXPECT_EQ(console.CursorRow(), 3);
  EXPECT_EQ(console.CursorColumn(), 4);
  // Filling the bottom row's last cell wraps, and so scrolls.
  WriteFormatted("3456789");
  EXPECT_EQ(console.Row(2), "  C3456789");
  EXPECT_EQ(console.CursorRow(), 3);
  EXPECT_EQ(console.CursorColumn(), 1);
}

TEST_F(ConsoleScreenTest, MovesOutsideTheWindowAreIgnored) {
  MoveCursor(4, 2);
  const int outside[][2] = {{0, 1}, {11, 1}, {1, 0}, {1, 4}, {-1, -1}};
  for (const int *place : outside)
    MoveCursor(place[0], place[1]);
  EXPECT_EQ(CursorRow(), 2);
  EXPECT_EQ(console.CursorColumn(), 4);
  MoveCursor(10, 3);
  EXPECT_EQ(CursorRow(), 3);
  EXPECT_EQ(console.CursorColumn(), 10);
}

TEST_F(ConsoleScreenTest, SetForegroundKeepsTheBackgroundAndTakesBlink) {
  SetAttribute(0xC7);
  SetForeground(0x8A);
  WriteFormatted("a");
  SetForeground(0x7F);
  WriteFormatted("b");
  EXPECT_EQ(console.Colours(1), "CAx1 4Fx1");
}

}  // namespace
