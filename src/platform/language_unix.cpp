// The messages locale, named as the C library reads it: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty.  Its name is
// read, not loaded, so a locale that is not installed counts as well.
#include <cstdlib>
#include <cstring>

#include "platform/language.h"

namespace {

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
