// The report's language: chosen once, before the first line.
#include <cstdlib>
#include <cstring>

#include "explain/report_tables.h"
#include "platform/language.h"

namespace {

ReportLanguage language = kEnglish;

// RINGCHECK_LANG names a language only as ru or en, in either letter case,
// as a Windows user may type it; any other value is no choice at all.
bool OverrideNames(const char *value, const char *name) {
  return value != nullptr && strlen(value) == 2 &&
         (value[0] | 0x20) == name[0] && (value[1] | 0x20) == name[1];
}

}  // namespace

void UseReportLanguage(ReportLanguage chosen) { language = chosen; }

ReportLanguage ChooseReportLanguage() {
  const char *value = getenv("RINGCHECK_LANG");
  if (OverrideNames(value, "ru"))
    return kRussian;
  if (OverrideNames(value, "en"))
    return kEnglish;
  return OsUserReadsRussian() ? kRussian : kEnglish;
}

const char *Text(ReportText text) {
  return language == kRussian ? RussianText(text) : EnglishText(text);
}

const char *CountForm(long long count, ReportText forms) {
  static char chosen[4][32];
  static int next = 0;
  long long units = count % 10;
  long long tens = count % 100;
  int form = 2;
  if (language == kEnglish)
    form = count == 1 ? 0 : 1;
  else if (units == 1 && tens != 11)
    form = 0;
  else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
    form = 1;
  const char *text = Text(forms);
  for (; form > 0 && *text != '\0'; text++)
    if (*text == '|')
      form--;
  char *result = chosen[next];
  next = (next + 1) % 4;
  size_t length = strcspn(text, "|");
  if (length > sizeof chosen[0] - 1)
    length = sizeof chosen[0] - 1;
  memcpy(result, text, length);
  result[length] = '\0';
  return result;
}
