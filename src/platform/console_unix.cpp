// The console on POSIX: the controlling terminal, opened for itself so that
// the screen is drawn also when standard output goes to a file.  It is
// driven with VT sequences: the cursor is asked for with a device status
// report, cells are drawn with SGR colours, the code page 866 characters
// are converted to the terminal's own character set.
//
// A terminal has no attribute to read back, so its own colours count as
// light grey on black (0x07): cells in those colours are drawn in the
// terminal's default colours, whatever they are.
#include "platform/console.h"
#include "platform/glyphs_unix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned char kTerminalColours = 0x07;
// How long a terminal may take to report its cursor.
constexpr int kReportTimeoutMs = 300;

int tty = -1;
int width;
int height;
// Where the cursor was last seen or put, for a terminal that stops
// answering.
int known_column;
int known_row;

// Each code page 866 byte as the terminal's character set writes it.
Cp866Glyphs glyphs;

// Sequences are gathered here and written in one go.
char output[8192];
size_t output_used;

void FlushOutput() {
  size_t done = 0;
  while (done < output_used) {
    ssize_t put = write(tty, output + done, output_used - done);
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0)
      break;
    done += static_cast<size_t>(put);
  }
  output_used = 0;
}

void Emit(const char *bytes, size_t count) {
  if (output_used + count > sizeof output)
    FlushOutput();
  if (count > sizeof output)
    return;
  memcpy(output + output_used, bytes, count);
  output_used += count;
}

void EmitText(const char *text) { Emit(text, strlen(text)); }

void EmitCursorPosition(int column, int row) {
  char sequence[32];
  int length = snprintf(sequence, sizeof sequence, "\033[%d;%dH", row + 1,
                        column + 1);
  Emit(sequence, static_cast<size_t>(length));
}

// The 16-colour palette numbers blue as 1 and red as 4; ANSI the other
// way round.
int AnsiColour(int colour) {
  return ((colour & 1) << 2) | (colour & 2) | ((colour & 4) >> 2);
}

void EmitAttribute(unsigned char attribute) {
  int foreground = attribute & 0x0F;
  int background = (attribute >> 4) & 0x07;  // the blink bit is left out
  char sequence[32];
  int foreground_code = foreground == (kTerminalColours & 0x0F) ? 39
                        : foreground >= 8 ? 90 + AnsiColour(foreground & 7)
                                          : 30 + AnsiColour(foreground);
  int background_code = background == (kTerminalColours >> 4)
                            ? 49
                            : 40 + AnsiColour(background);
  int length = snprintf(sequence, sizeof sequence, "\033[0;%d;%dm",
                        foreground_code, background_code);
  Emit(sequence, static_cast<size_t>(length));
}

// Reads "ESC [ row ; column R" from the terminal, passing over any other
// bytes that arrive first (keys pressed meanwhile).
bool ReadReport(int *column, int *row) {
  char reply[64];
  size_t used = 0;
  while (used < sizeof reply - 1) {
    struct pollfd wait_for = {tty, POLLIN, 0};
    if (poll(&wait_for, 1, kReportTimeoutMs) <= 0)
      return false;
    ssize_t got = read(tty, reply + used, 1);
    if (got <= 0)
      return false;
    if (reply[used++] != 'R')
      continue;
    reply[used] = '\0';
    const char *start = strrchr(reply, '\033');
    int report_row = 0;
    int report_column = 0;
    if (start != nullptr &&
        sscanf(start, "\033[%d;%dR", &report_row, &report_column) == 2 &&
        report_row >= 1 && report_column >= 1) {
      *row = report_row - 1;
      *column = report_column - 1;
      return true;
    }
    used = 0;
  }
  return false;
}

// Asks the terminal where its cursor is; the answer comes as input, so the
// terminal is put out of line mode and echo for the question.
bool QueryCursor(int *column, int *row) {
  struct termios saved;
  if (tcgetattr(tty, &saved) != 0)
    return false;
  struct termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(tty, TCSANOW, &raw) != 0)
    return false;
  FlushOutput();
  EmitText("\033[6n");
  FlushOutput();
  bool answered = ReadReport(column, row);
  tcsetattr(tty, TCSANOW, &saved);
  return answered;
}

void ClampToScreen(int *column, int *row) {
  if (*column >= width)
    *column = width - 1;
  if (*row >= height)
    *row = height - 1;
}

bool TerminalOpen(ConsoleInfo *info) {
  tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0)
    return false;
  // A run in the background would be stopped by the terminal at the first
  // question; it goes without a screen instead.
  if (tcgetpgrp(tty) != getpgrp()) {
    close(tty);
    tty = -1;
    return false;
  }
  struct winsize size;
  memset(&size, 0, sizeof size);
  if (ioctl(tty, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 ||
      size.ws_row == 0) {
    size.ws_col = 80;
    size.ws_row = 25;
  }
  width = size.ws_col;
  height = size.ws_row;
  output_used = 0;
  // A terminal that cannot tell where its cursor is cannot be drawn on in
  // place: no screen then.
  if (!QueryCursor(&known_column, &known_row)) {
    close(tty);
    tty = -1;
    return false;
  }
  ClampToScreen(&known_column, &known_row);
  BuildCp866Glyphs(glyphs);
  info->width = width;
  info->height = height;
  info->attribute = kTerminalColours;
  return true;
}

void TerminalClose() {
  FlushOutput();
  close(tty);
  tty = -1;
}

void TerminalReadCursor(int *column, int *row) {
  int report_column = 0;
  int report_row = 0;
  if (QueryCursor(&report_column, &report_row)) {
    ClampToScreen(&report_column, &report_row);
    known_column = report_column;
    known_row = report_row;
  }
  *column = known_column;
  *row = known_row;
}

void TerminalSetCursor(int column, int row) {
  EmitCursorPosition(column, row);
  FlushOutput();
  known_column = column;
  known_row = row;
}

void TerminalWriteCells(int column, int row, const ConsoleCell *cells,
                        int count) {
  EmitCursorPosition(column, row);
  for (int i = 0; i < count; i++) {
    if (i == 0 || cells[i].attribute != cells[i - 1].attribute)
      EmitAttribute(cells[i].attribute);
    EmitText(glyphs[cells[i].character]);
  }
  // Back to the terminal's own colours for whatever is written next.
  EmitText("\033[0m");
  FlushOutput();
}

void TerminalScrollUp(ConsoleCell fill) {
  // A line feed on the bottom row scrolls the screen; the new row is then
  // painted in the fill attribute.
  EmitCursorPosition(0, height - 1);
  EmitText("\n");
  EmitCursorPosition(0, height - 1);
  EmitAttribute(fill.attribute);
  for (int i = 0; i < width; i++)
    EmitText(glyphs[fill.character]);
  EmitText("\033[0m");
  FlushOutput();
}

void TerminalBeep() {
  EmitText("\a");
  FlushOutput();
}

}  // namespace

const ConsoleDevice OsConsole = {
    TerminalOpen,       TerminalClose,      TerminalReadCursor,
    TerminalSetCursor,  TerminalWriteCells, TerminalScrollUp,
    TerminalBeep,
};
