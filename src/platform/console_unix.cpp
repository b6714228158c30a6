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

#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <strings.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned char kTerminalColours = 0x07;
// How long a terminal may take to report its cursor.
constexpr int kReportTimeoutMs = 300;
// The longest form of one character in the terminal's character set.
constexpr size_t kGlyphCapacity = 8;

int tty = -1;
int width;
int height;
// Where the cursor was last seen or put, for a terminal that stops
// answering.
int known_column;
int known_row;

// Each code page 866 byte as the terminal's character set writes it.
char glyphs[256][kGlyphCapacity];

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

// The locale's character set as its name tells it, for a program that
// cannot load the locale's data (linked statically): "UTF-8" when the
// name says so, as in C.UTF-8 or ru_RU.utf8.
bool LocaleNameSaysUtf8() {
  const char *name = nullptr;
  static const char *const kVariables[] = {"LC_ALL", "LC_CTYPE", "LANG"};
  for (const char *variable : kVariables) {
    name = getenv(variable);
    if (name != nullptr && name[0] != '\0')
      break;
  }
  if (name == nullptr)
    return false;
  const char *dot = strchr(name, '.');
  return dot != nullptr &&
         (strncasecmp(dot + 1, "UTF-8", 5) == 0 || strncasecmp(dot + 1, "UTF8", 4) == 0);
}

// Fills the glyph table through iconv into the charset of the user's
// locale.  Control bytes would act on the terminal, and bytes the charset
// lacks cannot be shown: both are drawn as '?'.
void BuildGlyphs() {
  const char *charset = "ASCII";
  locale_t user_locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (user_locale != static_cast<locale_t>(0))
    charset = nl_langinfo_l(CODESET, user_locale);
  if (strcmp(charset, "ANSI_X3.4-1968") == 0 && LocaleNameSaysUtf8())
    charset = "UTF-8";
  iconv_t converter = iconv_open(charset, "CP866");
  for (int byte = 0; byte < 256; byte++) {
    char *glyph = glyphs[byte];
    strcpy(glyph, "?");
    if (byte < 0x20 || byte == 0x7F)
      continue;
    if (byte < 0x80) {
      glyph[0] = static_cast<char>(byte);
      continue;
    }
    if (converter == reinterpret_cast<iconv_t>(-1))
      continue;
    char in[1] = {static_cast<char>(byte)};
    char *in_next = in;
    size_t in_left = 1;
    char converted[kGlyphCapacity];
    char *out_next = converted;
    size_t out_left = kGlyphCapacity - 1;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in_next, &in_left, &out_next, &out_left) !=
            static_cast<size_t>(-1) &&
        in_left == 0) {
      size_t length = static_cast<size_t>(out_next - converted);
      memcpy(glyph, converted, length);
      glyph[length] = '\0';
    }
  }
  if (converter != reinterpret_cast<iconv_t>(-1))
    iconv_close(converter);
  if (user_locale != static_cast<locale_t>(0))
    freelocale(user_locale);
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
  BuildGlyphs();
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
