// ringcheck-explain --users: what the audit of a user base lists, what it
// only counts, and its exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station.h"

namespace {

// One of each finding, and a sound record that is only counted.
const std::vector<UserEntry> kBase = {
    {"Petr Ivanov", "(495) 123-45-67", "", "Moscow", ""},
    {"Sergey Volkov", "8(812)456-78-90", "", "St.Petersburg", ""},
    {"Anna Ivanova", "123-45-67", "", "Moscow", ""},
    {"Boris Ivanov", "", "8 495 123 45 67", "Moscow", ""},
    {"Kolya", "45-67\x1b", "", "Tver", ""},
    {"Vasya", "777-00-11", "", "Tver", ""},
};

struct Language {
  std::vector<std::string> environment;
  std::string counts;
  std::string findings;  // the report from the first finding on
};

const Language kLanguages[] = {
    {{"RINGCHECK_LANG=en"},
     "  records: 6\n"
     "  records a call can recognise: 5 (a phone of IDLEN digits or more)\n",
     "Records no call can recognise (no phone of IDLEN digits): 1\n"
     "  record 5 \"Kolya\": phones \"45-67^[\" and \"\"\n"
     "\n"
     "Numbers several records share: 1\n"
     "  1234567: a call from it is taken as record 1 \"Petr Ivanov\"\n"
     "    record 3 \"Anna Ivanova\": exempt in GOODLIST, let in (errorlevel 4)\n"
     "    record 4 \"Boris Ivanov\": not in GOODLIST, refused by the sample "
     "scripts\n"
     "  A later record's login in GOODLIST lets it in from the shared line, "
     "but\n"
     "  its phone is then not checked at all.\n"
     "\n"
     "Records whose own number BADLIST bans (their calls end with 3): 1\n"
     "  record 6 \"Vasya\", 7770011: line 2 \"777-00-11 ; him\"\n"
     "\n"
     "GOODLIST lines that name no record (a guest or a misspelt name): 1\n"
     "  line 2 \"Guest\"\n"
     "\n"
     "Outcome\n"
     "  exit code 0: the user base was read\n"},
    {{"RINGCHECK_LANG=ru", "LC_ALL=C.UTF-8"},
     "  записей: 6\n"
     "  находятся по АОНу: 5 (есть телефон не короче IDLEN цифр)\n",
     "Записи, которых по АОНу не найти (нет телефона из IDLEN цифр): 1\n"
     "  запись 5 \"Kolya\": телефоны \"45-67^[\" и \"\"\n"
     "\n"
     "Номера, общие для нескольких записей: 1\n"
     "  1234567: ringcheck берет запись 1 \"Petr Ivanov\"\n"
     "    запись 3 \"Anna Ivanova\": логин в GOODLIST, пускается (errorlevel "
     "4)\n"
     "    запись 4 \"Boris Ivanov\": нет в GOODLIST, скрипты из примера не "
     "пустят\n"
     "  Логин в GOODLIST пускает такого юзера с общей линии, но его телефон\n"
     "  тогда не проверяется вовсе.\n"
     "\n"
     "Записи, чей номер запрещен в BADLIST (звонок кончится с errorlevel 3): 1\n"
     "  запись 6 \"Vasya\", 7770011: строка 2 \"777-00-11 ; him\"\n"
     "\n"
     "Строки GOODLIST без записи в базе (гость или опечатка в имени): 1\n"
     "  строка 2 \"Guest\"\n"
     "\n"
     "Итог\n"
     "  errorlevel 0: база юзеров прочитана\n"},
};

TEST(Audit, ListsEachFindingAndOnlyCountsTheRest) {
  Station station;
  station.WriteUsers(kBase);
  station.Write("BadPhone.lst", "; banned\r\n777-00-11 ; him\r\n");
  station.Write("GoodPhone.lst", "Anna Ivanova\r\nGuest\r\n");
  for (const Language &language : kLanguages) {
    ProgramRun run = RunExplainerIn(station.dir.path,
                                    {"--users", "ringcheck.cfg"},
                                    language.environment);
    std::string report =
        TestingWindowsBuild() ? Cp866ToUtf8(run.output) : run.output;
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(report.find(language.counts), std::string::npos) << report;
    size_t findings = report.find(language.findings.substr(0, 20));
    ASSERT_NE(findings, std::string::npos) << report;
    EXPECT_EQ(report.substr(findings), language.findings);
    EXPECT_EQ(report.find("Sergey"), std::string::npos) << report;
  }
  EXPECT_EQ(station.Result(), "(none)");
}

// The notes on the configuration, whole in either language.
TEST(Audit, TheMaskNoteQuotesTheMaskWhole) {
  Station station;
  station.WriteUsers(kBase);
  station.Configure("CIDMASK 8XXXXXX\r\nIDLEN 1\r\nTYPEPHONE NO\r\n");
  const std::vector<std::string> kFacts[] = {
      {"  a phone counts by its last 1 digit (IDLEN \"1\")\n"
       "  CIDMASK \"8XXXXXX\" masks a call's number; phones are audited by "
       "IDLEN alone\n"},
      {"  телефон сравнивается по 1 цифре с конца (IDLEN \"1\")\n"
       "  CIDMASK \"8XXXXXX\" меняет номер звонящего, а телефоны сверяются без "
       "маски\n"}};
  const char *const kLanguage[] = {"RINGCHECK_LANG=en", "RINGCHECK_LANG=ru"};
  for (int language = 0; language < 2; language++) {
    ProgramRun run = RunExplainerIn(station.dir.path,
                                    {"--users", "ringcheck.cfg"},
                                    {kLanguage[language], "LC_ALL=C.UTF-8"});
    std::string report =
        TestingWindowsBuild() ? Cp866ToUtf8(run.output) : run.output;
    for (const std::string &fact : kFacts[language])
      EXPECT_NE(report.find(fact), std::string::npos) << report;
  }
}

// As ringcheck: 5 without a configuration file, 2 without a user base; a
// missing list is only said.
TEST(Audit, EndsAsRingcheckWithoutConfigurationOrUserBase) {
  Station station;
  ProgramRun run = RunExplainerIn(station.dir.path, {"--users"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.output.find("No configuration file given"), std::string::npos)
      << run.output;
  run = RunExplainerIn(station.dir.path, {"/USERS", "missing.cfg"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.output.find("\"missing.cfg\"\n  not found\n  cannot be opened"),
            std::string::npos)
      << run.output;
  run = RunExplainerIn(station.dir.path, {"/Users", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.output.find("BADLIST \"BadPhone.lst\"\n  missing"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("users.tor\"\n  not found\n  cannot be opened"),
            std::string::npos)
      << run.output;
}

}  // namespace
