// The code page 866 glyphs of the user's locale, through iconv.
#include "platform/glyphs_unix.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <strings.h>

#include <cstdlib>
#include <cstring>

namespace {

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

}  // namespace

void BuildCp866Glyphs(Cp866Glyphs glyphs) {
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

