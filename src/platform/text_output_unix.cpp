// Standard output on POSIX: every byte in the locale's character set, as
// the console layer draws it, so that a report reads the same on the
// terminal, through a pager or in a file.
#include "platform/text_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/glyphs_unix.h"

namespace {

Cp866Glyphs glyphs;
bool glyphs_built = false;

// One line converted: a glyph is at most kGlyphCapacity - 1 bytes.
char converted[256 * (kGlyphCapacity - 1) + 2];

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

}  // namespace

void OsWriteTextLine(const char *text) {
  if (!glyphs_built) {
    BuildCp866Glyphs(glyphs);
    glyphs_built = true;
  }
  size_t used = 0;
  // Longer lines go in parts; the report's never are.
  for (const char *p = text; *p != '\0'; p++) {
    const char *glyph = glyphs[static_cast<unsigned char>(*p)];
    size_t length = strlen(glyph);
    if (used + length + 1 > sizeof converted) {
      WriteAll(converted, used);
      used = 0;
    }
    memcpy(converted + used, glyph, length);
    used += length;
  }
  converted[used++] = '\n';
  WriteAll(converted, used);
}
