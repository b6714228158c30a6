// Standard output on POSIX: every byte in the locale's character set, as
// the console layer draws it, so that a report reads the same on the
// terminal, through a pager or in a file.  A terminal gets each line at
// once; a file or a pipe gets them in blocks, as a report of a long log
// has many.
#include "platform/text_output.h"

#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/glyphs_unix.h"

namespace {

Cp866Glyphs glyphs;
unsigned char glyph_lengths[256];
bool glyphs_built = false;
int to_terminal = -1;  // not yet known

char block[64 * 1024];
size_t held = 0;

void WriteAll(const char *bytes, size_t count, int fd = STDOUT_FILENO) {
  while (count > 0) {
    ssize_t put = write(fd, bytes, count);
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0)
      return;
    bytes += put;
    count -= static_cast<size_t>(put);
  }
}

void Hold(const char *bytes, size_t count) {
  if (held + count > sizeof block) {
    WriteAll(block, held);
    held = 0;
  }
  memcpy(block + held, bytes, count);
  held += count;
}

void BuildGlyphs() {
  if (glyphs_built)
    return;
  BuildCp866Glyphs(glyphs);
  for (int byte = 0; byte < 256; byte++)
    glyph_lengths[byte] = static_cast<unsigned char>(strlen(glyphs[byte]));
  glyphs_built = true;
  to_terminal = isatty(STDOUT_FILENO) ? 1 : 0;
}

void WriteLine(const char *text, const char *ending) {
  BuildGlyphs();
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
       *p != '\0'; p++) {
    // Printable ASCII stands for itself in every character set.
    if (*p >= 0x20 && *p < 0x7F && held < sizeof block) {
      block[held++] = static_cast<char>(*p);
      continue;
    }
    Hold(glyphs[*p], glyph_lengths[*p]);
  }
  Hold(ending, strlen(ending));
  if (to_terminal == 1)
    OsFlushTextLines();
}

}  // namespace

void OsWriteTextLine(const char *text) { WriteLine(text, "\n"); }

void OsWriteOutputBytes(const char *bytes, size_t count) {
  BuildGlyphs();
  while (count > 0) {
    size_t part = count < sizeof block ? count : sizeof block;
    Hold(bytes, part);
    bytes += part;
    count -= part;
  }
  if (to_terminal == 1)
    OsFlushTextLines();
}

void OsWriteErrorLine(const char *text) {
  BuildGlyphs();
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
       *p != '\0'; p++)
    WriteAll(glyphs[*p], glyph_lengths[*p], STDERR_FILENO);
  WriteAll("\n", 1, STDERR_FILENO);
}

bool OsShowProgress(const char *text) {
  static int to_terminal_error = -1;
  static size_t shown = 0;
  if (to_terminal_error < 0)
    to_terminal_error = isatty(STDERR_FILENO) ? 1 : 0;
  if (to_terminal_error == 0)
    return false;
  BuildGlyphs();
  // The line again from its start, blanks over what stood there before.
  char line[512] = "\r";
  size_t used = 1;
  size_t columns = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
       *p != '\0' && used + kGlyphCapacity + 2 < sizeof line; p++, columns++) {
    memcpy(line + used, glyphs[*p], glyph_lengths[*p]);
    used += glyph_lengths[*p];
  }
  for (size_t blank = columns; blank < shown && used + 2 < sizeof line; blank++)
    line[used++] = ' ';
  line[used++] = '\r';
  WriteAll(line, used, STDERR_FILENO);
  shown = columns;
  return true;
}

int64_t OsMilliseconds() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void OsFlushTextLines() {
  WriteAll(block, held);
  held = 0;
}
