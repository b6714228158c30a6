// Code page 866, the character set of every text the program reads: its
// letter case, and its characters in Unicode.  It sits at the bottom, below
// the platform layer, since the POSIX file layer ignores letter case in
// names the same way the configuration reader upper-cases them.
#ifndef RINGCHECK_PLATFORM_CP866_H
#define RINGCHECK_PLATFORM_CP866_H

#include <cstddef>

// Latin a-z and Cyrillic а-я to upper case; the letter yo (0xF1) and every
// other byte stay as they are.  Without a branch, so that a loop over a
// line takes many bytes at a time.
constexpr unsigned char UpperCaseCp866Byte(unsigned char byte) {
  bool latin_or_low = static_cast<unsigned char>(byte - 0x61) <= 0x19 ||
                      static_cast<unsigned char>(byte - 0xA0) <= 0x0F;
  bool high = static_cast<unsigned char>(byte - 0xE0) <= 0x0F;
  return static_cast<unsigned char>(byte - (latin_or_low ? 0x20 : 0) -
                                    (high ? 0x50 : 0));
}

// The Unicode character of each byte from 0x80 on.
constexpr unsigned short kCp866Unicode[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

// The byte of a Unicode character, 0 where code page 866 has none (and
// for the character 0 itself).
constexpr unsigned char Cp866ByteOfCodePoint(unsigned long code) {
  if (code < 0x80)
    return static_cast<unsigned char>(code);
  for (unsigned byte = 0x80; byte <= 0xFF; byte++)
    if (kCp866Unicode[byte - 0x80] == code)
      return static_cast<unsigned char>(byte);
  return 0;
}

// The byte as UTF-8 at out (at most 3 bytes); returns how many.
inline size_t Cp866ToUtf8(unsigned char byte, char *out) {
  if (byte < 0x80) {
    out[0] = static_cast<char>(byte);
    return 1;
  }
  unsigned code = kCp866Unicode[byte - 0x80];
  if (code < 0x800) {
    out[0] = static_cast<char>(0xC0 | code >> 6);
    out[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | code >> 12);
  out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (code & 0x3F));
  return 3;
}

#endif
