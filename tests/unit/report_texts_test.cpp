// The Russian texts are printf formats the compiler cannot check against
// their arguments: each must take the very arguments of its English text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "explain/report_tables.h"

namespace {

// The conversions of a format, flags and width left out: "%s %lld".
std::string Conversions(const char *format) {
  std::string conversions;
  for (const char *p = format; *p != '\0'; p++) {
    if (*p != '%')
      continue;
    p++;
    while (*p != '\0' && strchr("-+ #0123456789.", *p) != nullptr)
      p++;
    while (*p == 'l' || *p == 'h')
      conversions += *p++;
    conversions += *p;
    conversions += ' ';
  }
  return conversions;
}

TEST(ReportTexts, RussianTakesTheArgumentsOfEnglish) {
  for (int text = 0; text < kReportTextCount; text++) {
    ReportText entry = static_cast<ReportText>(text);
    EXPECT_EQ(Conversions(RussianText(entry)), Conversions(EnglishText(entry)))
        << "text " << text << ": " << EnglishText(entry);
    EXPECT_NE(RussianText(entry)[0], '\0') << "text " << text;
  }
}

}  // namespace
