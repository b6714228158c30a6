// The messages locale, named as the C library reads it: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty.  Its name is
// read, not loaded, so a locale that is not installed counts as well.
#include <cstdlib>
#include <cstring>

#include "platform/cp866.h"
#include "platform/language.h"

namespace {

// The next character of UTF-8 text at *at, which then stands past it; -1
// where the bytes there are no UTF-8 character.
long NextUtf8Character(const unsigned char **at) {
  const unsigned char *byte = *at;
  if (byte[0] < 0x80) {
    *at += 1;
    return byte[0];
  }
  int more = byte[0] >= 0xF0 && byte[0] < 0xF5   ? 3
             : byte[0] >= 0xE0                   ? 2
             : byte[0] >= 0xC2 && byte[0] < 0xE0 ? 1
                                                 : -1;
  if (more < 0)
    return -1;
  long code = byte[0] & (0x3F >> more);
  for (int i = 1; i <= more; i++) {
    if ((byte[i] & 0xC0) != 0x80)
      return -1;
    code = code << 6 | (byte[i] & 0x3F);
  }
  *at += more + 1;
  return code;
}

bool IsUtf8(const char *text) {
  const unsigned char *at = reinterpret_cast<const unsigned char *>(text);
  while (*at != 0)
    if (NextUtf8Character(&at) < 0)
      return false;
  return true;
}

unsigned char Cp866ByteOf(long code) {
  unsigned char byte = Cp866ByteOfCodePoint(static_cast<unsigned long>(code));
  return byte != 0 ? byte : '?';
}

const char *MessagesLocale() {
  static const char *const kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (const char *variable : kVariables) {
    const char *name = getenv(variable);
    if (name != nullptr && name[0] != '\0')
      return name;
  }
  return "";
}

// language[_territory][.codeset][@modifier]: ru, ru_RU.UTF-8, ru_UA.KOI8-U;
// and glibc's old alias russian.
bool NamesRussian(const char *locale) {
  if (strncmp(locale, "ru", 2) == 0 &&
      (locale[2] == '\0' || strchr("_.@", locale[2]) != nullptr))
    return true;
  return strcmp(locale, "russian") == 0;
}

}  // namespace

bool OsUserReadsRussian() { return NamesRussian(MessagesLocale()); }

unsigned OsCommandLineCodePage() { return 0; }

bool OsArgumentInCp866(const char *argument, char *text, size_t capacity) {
  if (capacity == 0)
    return false;
  bool utf8 = IsUtf8(argument);
  const unsigned char *at = reinterpret_cast<const unsigned char *>(argument);
  size_t length = 0;
  while (*at != 0) {
    if (length + 1 >= capacity)
      return false;
    unsigned char byte = utf8 ? Cp866ByteOf(NextUtf8Character(&at)) : *at++;
    text[length++] = static_cast<char>(byte);
  }
  text[length] = '\0';
  return true;
}
