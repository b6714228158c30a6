// The Russian texts are printf formats the compiler cannot check against
// their arguments: each must take the very arguments of its English text.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "explain/audit/texts.h"
#include "explain/explain.h"
#include "explain/call/texts.h"
#include "explain/history/texts.h"
#include "explain/report/texts.h"
#include "test_files.h"

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

// Every text of one report's table in both languages.
template <typename Entry>
void ExpectRussianTakesEnglishArguments(int count) {
  for (int text = 0; text < count; text++) {
    Entry entry = static_cast<Entry>(text);
    UseReportLanguage(kEnglish);
    std::string english = Text(entry);
    UseReportLanguage(kRussian);
    std::string russian = Text(entry);
    EXPECT_EQ(Conversions(russian.c_str()), Conversions(english.c_str()))
        << "text " << text << ": " << english;
    EXPECT_FALSE(russian.empty()) << "text " << text;
  }
  UseReportLanguage(kEnglish);
}

TEST(ReportTexts, RussianTakesTheArgumentsOfEnglish) {
  ExpectRussianTakesEnglishArguments<ReportText>(kReportTextCount);
  ExpectRussianTakesEnglishArguments<CallText>(kCallTextCount);
  ExpectRussianTakesEnglishArguments<AuditText>(kAuditTextCount);
  ExpectRussianTakesEnglishArguments<HistoryText>(kHistoryTextCount);
}

// The noun after a count agrees with it: Russian has three forms, chosen
// by the last one or two digits.
TEST(ReportTexts, TheNounAfterACountAgreesWithIt) {
  struct Count {
    long long count;
    const char *russian;
    const char *english;
  };
  const Count kCounts[] = {
      {0, "байт", "bytes"},    {1, "байт", "byte"},     {2, "байта", "bytes"},
      {4, "байта", "bytes"},   {5, "байт", "bytes"},    {11, "байт", "bytes"},
      {12, "байт", "bytes"},   {14, "байт", "bytes"},   {21, "байт", "bytes"},
      {22, "байта", "bytes"},  {111, "байт", "bytes"},  {112, "байт", "bytes"},
      {1623, "байта", "bytes"}, {733, "байта", "bytes"}, {742, "байта", "bytes"},
      {734, "байта", "bytes"}, {101, "байт", "bytes"},
  };
  for (const Count &c : kCounts) {
    UseReportLanguage(kRussian);
    EXPECT_EQ(Cp866ToUtf8(CountForm(c.count, kFormByte)), c.russian) << c.count;
    UseReportLanguage(kEnglish);
    EXPECT_STREQ(CountForm(c.count, kFormByte), c.english) << c.count;
  }
  UseReportLanguage(kRussian);
  EXPECT_EQ(Cp866ToUtf8(CountForm(1, kFormDigitAccusative)), "цифру");
  EXPECT_EQ(Cp866ToUtf8(CountForm(3, kFormDigitDative)), "цифрам");
  EXPECT_EQ(Cp866ToUtf8(CountForm(21, kFormDigitGenitive)), "цифры");
  EXPECT_EQ(Cp866ToUtf8(CountForm(21, kFormLineAccusative)), "строку");
  UseReportLanguage(kEnglish);
}

// The usage and the help name every switch of the command line's table, in
// both languages, and no switch the table does not hold.
TEST(ReportTexts, TheHelpNamesTheSwitchesOfTheTable) {
  std::set<std::string> table;
  for (int row = 0; row < kExplainRowCount; row++)
    for (const ExplainSwitch &entry : kExplainRows[row].switches)
      if (entry.name != nullptr)
        table.insert(entry.name);
  for (ReportLanguage language : {kEnglish, kRussian}) {
    UseReportLanguage(language);
    std::string help = std::string(Text(kUsage)) + Text(kHelpAbout) +
                       Text(kHelpUsers) + Text(kHelpCalls);
    for (const std::string &name : table)
      EXPECT_NE(help.find((name == "?" ? "/" : "--") + name), std::string::npos)
          << name << " in language " << language;
    for (size_t at = help.find("--"); at != std::string::npos;
         at = help.find("--", at + 2)) {
      size_t end = at + 2;
      while (end < help.size() &&
             (islower(static_cast<unsigned char>(help[end])) ||
              (help[end] == '-' && end > at + 2)))
        end++;
      std::string name = help.substr(at + 2, end - at - 2);
      EXPECT_TRUE(name.empty() || table.count(name) > 0)
          << "--" << name << " in language " << language;
    }
  }
  UseReportLanguage(kEnglish);
}

}  // namespace
