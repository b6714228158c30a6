// Code page 866 in the character set of the user's locale, for the POSIX
// console and standard output alike.
#ifndef RINGCHECK_PLATFORM_GLYPHS_UNIX_H
#define RINGCHECK_PLATFORM_GLYPHS_UNIX_H

#include <cstddef>

// The longest form of one character in the locale's character set.
constexpr size_t kGlyphCapacity = 8;

// Each code page 866 byte as the locale's character set writes it.
using Cp866Glyphs = char[256][kGlyphCapacity];

// Fills the table through iconv.  Control bytes would act on a terminal,
// and bytes the character set lacks cannot be shown: both become '?'.
void BuildCp866Glyphs(Cp866Glyphs glyphs);

#endif
