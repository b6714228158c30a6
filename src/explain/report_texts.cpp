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
