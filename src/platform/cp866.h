// Letter case in code page 866, the character set of every text the
// program reads.  It sits at the bottom, below the platform layer, since
// the POSIX file layer ignores letter case in names the same way the
// configuration reader upper-cases them.
#ifndef RINGCHECK_PLATFORM_CP866_H
#define RINGCHECK_PLATFORM_CP866_H

// Latin a-z and Cyrillic а-я to upper case; the letter yo (0xF1) and every
// other byte stay as they are.
constexpr unsigned char UpperCaseCp866Byte(unsigned char byte) {
  if (byte >= 0x61 && byte <= 0x7A)
    return static_cast<unsigned char>(byte - 0x20);
  if (byte >= 0xA0 && byte <= 0xAF)
    return static_cast<unsigned char>(byte - 0x20);
  if (byte >= 0xE0 && byte <= 0xEF)
    return static_cast<unsigned char>(byte - 0x50);
  return byte;
}

#endif
