// Standard output on POSIX: every byte in the locale's character set, as
// the console layer draws it, so that a report reads the same on the
// terminal, through a pager or in a file.  A terminal gets each line at
// once; a file or a pipe gets them in blocks, as a report of a long log
// has many.
#include "platform/text_output.h"

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

void WriteAll(const char *bytes, size_t count) {
  while (count > 0) {
    ssize_t put = write(STDOUT_FILENO, bytes, count);
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

void WriteLine(const char *text, const char *ending) {
  if (!glyphs_built) {
    BuildCp866Glyphs(glyphs);
    for (int byte = 0; byte < 256; byte++)
      glyph_lengths[byte] = static_cast<unsigned char>(strlen(glyphs[byte]));
    glyphs_built = true;
    to_terminal = isatty(STDOUT_FILENO) ? 1 : 0;
  }
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

void OsWriteTextRecord(const char *text) { WriteLine(text, "\r\n"); }

void OsFlushTextLines() {
  WriteAll(block, held);
  held = 0;
}
