// How a report keeps its texts: one table a language, an entry of the
// report's own enum a text.  The English table is an array whose size the
// compiler checks against the enum; the Russian one is written in UTF-8,
// the texts one after another, each ended by \0, and turned into code page
// 866 and split when the program is compiled, so that a text too many or
// too few, or an empty one, stops the build rather than shifting every text
// after it.
#ifndef RINGCHECK_EXPLAIN_REPORT_TEXT_TABLE_H
#define RINGCHECK_EXPLAIN_REPORT_TEXT_TABLE_H

#include <cstddef>

#include "run/cp866_text.h"

template <size_t Count, size_t N>
struct RussianTexts {
  Cp866Bytes<N> bytes;
  size_t offsets[Count];
  constexpr const char *operator[](size_t text) const {
    return bytes.bytes + offsets[text];
  }
};

template <size_t Count, size_t N>
constexpr RussianTexts<Count, N> SplitRussianTexts(const char (&utf8)[N]) {
  RussianTexts<Count, N> texts{Cp866Text(utf8), {}};
  size_t at = 0;
  for (size_t text = 0; text < Count; text++) {
    // In a constant expression a throw is a compile error.
    if (texts.bytes.bytes[at] == '\0')
      throw "a Russian text is missing or empty";
    texts.offsets[text] = at;
    while (texts.bytes.bytes[at] != '\0')
      at++;
    at++;
  }
  if (texts.bytes.bytes[at] != '\0')
    throw "more Russian texts than the report has";
  return texts;
}

// True when the English table has a text for each entry of the enum.
template <size_t Count, size_t N>
constexpr bool OneTextAnEntry(const char *const (&)[N]) {
  return N == Count;
}

#endif
