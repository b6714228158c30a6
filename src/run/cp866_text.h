// Russian texts are kept readable in the source, as UTF-8, and turned into
// the code page 866 bytes that the console shows when the program is
// compiled:
//
//   constexpr auto kText = Cp866Text(" Файл %s не найден.");
//   WriteFormatted(kText.bytes);
//
// Any character code page 866 has may be written; any other stops the
// compilation.
#ifndef RINGCHECK_RUN_CP866_TEXT_H
#define RINGCHECK_RUN_CP866_TEXT_H

#include <cstddef>

#include "platform/cp866.h"

template <size_t N>
struct Cp866Bytes {
  char bytes[N];  // zero-terminated; never longer than the UTF-8 text
};

constexpr unsigned char Cp866FromCodePoint(unsigned long code) {
  unsigned char byte = Cp866ByteOfCodePoint(code);
  if (byte == 0 && code != 0)
    // In a constant expression this is a compile error.
    throw "character without a code page 866 byte";
  return byte;
}

template <size_t N>
constexpr Cp866Bytes<N> Cp866Text(const char (&utf8)[N]) {
  Cp866Bytes<N> out{};
  size_t used = 0;
  for (size_t i = 0; i + 1 < N;) {
    unsigned long code = static_cast<unsigned char>(utf8[i]);
    size_t extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    if (extra > 0)
      code &= 0x3F >> extra;
    if (i + extra + 1 >= N)
      throw "UTF-8 text cut short";
    for (size_t k = 1; k <= extra; k++)
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.bytes[used++] = static_cast<char>(Cp866FromCodePoint(code));
    i += extra + 1;
  }
  out.bytes[used] = '\0';
  return out;
}

#endif
