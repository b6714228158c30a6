// ringcheck-explain: the facts its report gives for a call, the exit code
// ringcheck would give, and that it leaves every file as it found it.
#include <gtest/gtest.h>
#include <locale.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "station.h"

namespace {

// Russian in a UTF-8 locale, as a sysop's terminal shows it.
const std::vector<std::string> kRussian = {"RINGCHECK_LANG=ru", "LC_ALL=C.UTF-8"};

const char kCallLog[] =
    "14:04:58 RING\r\n"
    "14:05:01 CallerID: 123-45-67 1\r\n"
    "14:05:09 CONNECT 33600/ARQ/V34\r\n";
const UserEntry kIvan = {"Ivan Petrov", "8(095)123-45-67", "", "Moscow",
                         "2:5020/123.7"};
// A household on Ivan's line: record 3 after him.
const std::vector<UserEntry> kSharedLine = {
    kIvan, {"Olga Sidorova", "", "555-12-34", "Tver", ""},
    {"Anna Ivanova", "123-45-67", "", "Moscow", ""}};

// The report as UTF-8: a Windows program writes code page 866 when its
// output is redirected.
std::string Utf8Report(const ProgramRun &run) {
  return TestingWindowsBuild() ? Cp866ToUtf8(run.output) : run.output;
}

// Wine is a Russian Windows where LANG names the Russian locale only when
// that locale is installed (install-deps generates it).
bool WineCanBeRussian() {
  locale_t russian = newlocale(LC_ALL_MASK, "ru_RU.UTF-8", nullptr);
  if (russian == nullptr)
    return false;
  freelocale(russian);
  return true;
}

// Every line of the report (UTF-8) fits 79 columns, and where one was too
// wide its quotes gave way, each keeping its closing mark.  (No case here
// quotes a text with a quote mark in it but the separators.)
void ExpectNarrowLines(const std::string &report) {
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    if (end == std::string::npos)
      end = report.size();
    std::string line = report.substr(start, end - start);
    size_t columns = 0;
    for (char byte : line)
      columns += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    EXPECT_LE(columns, 79u) << line;
    if (line.find("separators") == std::string::npos &&
        line.find("разделители") == std::string::npos) {
      EXPECT_EQ(std::count(line.begin(), line.end(), '"') % 2, 0) << line;
    }
    start = end + 1;
  }
}

struct ExplainCase {
  const char *name;
  std::string config;  // after TORNADOPATH BBS\ .
  std::string log;
  std::string banned;
  std::string exempt;
  int exit_code;
  std::vector<std::string> facts;  // each one somewhere in the report
  std::vector<std::string> environment = {};
  std::string login = "Ivan Petrov";  // empty: none on the command line
  std::vector<UserEntry> users = {kIvan};
  bool empty_login = false;  // "" on the command line, in place of login
};

void PrintTo(const ExplainCase &c, std::ostream *out) { *out << c.name; }

std::string Repeated(const std::string &text, int times) {
  std::string repeated;
  while (times-- > 0)
    repeated += text;
  return repeated;
}

// Every setting, line and name as wide as it gets, on a configuration
// line with a six-digit number: each quote is cut to fit its line.
const std::string kWideLogin(250, 'W');
const ExplainCase kWidest = {
    "RussianWidest",
    Repeated(";\r\n", 9990) + "TORNADOPATH BBS" + Repeated("\\.", 100) +
        "\\\r\nCALLERID CallerID ()" + Repeated("#", 200) + "\r\nIDLEN 7" +
        Repeated(" ", 200) + "x\r\nCIDMASK XXXXXXX" + Repeated("5", 200) +
        "\r\nBADLIST " + Repeated(".\\", 100) + "BadPhone.lst\r\nGOODLIST " +
        Repeated(".\\", 100) + "GoodPhone.lst\r\n",
    Repeated("x", 200) + " CallerID: 123-45-67 1\r\nCONNECT " +
        Repeated("L", 240) + "\r\n",
    Repeated(";" + std::string(250, '\x81') + "\r\n", 3), kWideLogin + "\r\n", 4,
    {"  логин найден в строке 1: \"WWW", "    7 \"CONNECT LLL",
     "IDLEN       строка 9994   \"7    "},
    kRussian, kWideLogin};

const ExplainCase kCases[] = {
    {"BadLines", "IDLEN\t7\r\n\r\nFOO bar\r\nIDLEN 7\r\n", kCallLog, "", "", 0,
     {"  line 2: \"IDLEN^I7\"\n    bad: no space",
      "  line 3: \"\"\n    bad: an empty line",
      "  line 4: \"FOO bar\"\n    bad: the first word is none",
      "IDLEN       line 5     \"7\"", "TYPEPHONE   default    \"YES\""}},
    {"VoidedNumber", "", "14:05:01 CallerID: 123-45x67 1\r\n", "", "", 0,
     {"voided by \"x\" at column 26", "caller's number: empty, voided on line 1",
      "    4 \"\"\n"}},
    {"ShortNumber", "", "CallerID: 123-45\r\nCONNECT 2400\r\n", "", "", 0,
     {"the line ended after 5 of 8 digits",
      "empty, the last caller-id line gave 5 digits of 8"}},
    {"LateConnect", "", "CallerID: 123-45-67 1\r\nRING\r\nCONNECT 33600\r\n",
     "", "", 0,
     {"CONNECT: empties the number 12345671",
      "empty, emptied by the CONNECT line on line 3",
      "CONNECT line: line 3, \"CONNECT 33600\""}},
    {"ConnectTooFarUp", "",
     "CallerID: 123-45-67 1\r\nCONNECT 33600\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"
     "7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
     "", "", 0,
     {"caller's number: 1234567", "the one on line 2 lies 12 lines up"}},
    {"BannedLine", "", kCallLog, "; remark\r\n  123-45-67  ; him again\r\n", "",
     3,
     {"line 2 bans the number: \"  123-45-67  ; him again\"",
      "exit code 3: the caller's number is banned", "    6 \"3\""}},
    {"ExemptName", "", kCallLog, "", "Sysop\r\nIvan Petrov\r\n", 4,
     {"record 1 matches (index 0 from 0)", "line 2 exempts the login name",
      "exit code 4", "    1 \"Ivan Petrov\"", "    4 \"1234567\""}},
    {"VoidedAtTheTextsEnd", "",
     "CallerID: 1" + std::string(244, ' ') + "234567 1\r\nCallerID: 123\x1a" +
         "45-67 1\r\n",
     "", "", 0,
     {"voided at column 256: a line longer than 255 characters is cut",
      "voided at column 14: the text ends there"}},
    // A line shared by a household: ringcheck takes the first record.
    {"SharedLineLoginFirst", "", kCallLog, "", "Sysop\r\n", 0,
     {"    field 373   \"Moscow\"\n"
      "  record 3 has the number too: \"Anna Ivanova\"\n"
      "  a call from it is taken as record 1, the first",
      "no line is the login name \"Ivan Petrov\"\n\nOutcome"},
     {}, "Ivan Petrov", kSharedLine},
    {"SharedLineLaterExempt", "", kCallLog, "", "Anna Ivanova\r\n", 4,
     {"the login is record 3's name, yet the call is taken as record 1",
      "exempts the login name: \"Anna Ivanova\"\n  record 3 shares the line "
      "of record 1: as its login is exempt",
      "    1 \"Ivan Petrov\""},
     {}, "Anna Ivanova", kSharedLine},
    {"SharedLineNoLogin", "", kCallLog, "", "Anna Ivanova\r\n", 0,
     {"record 3 has the number too",
      "the first: the lookup stops there\n\nBanned numbers",
      "not checked, as the command line gives no login name"},
     {}, "", kSharedLine},
    {"MaskAndMissingLists", "CIDMASK *XXXXXX\r\nBADLIST none.lst\r\n", kCallLog,
     "", "", 0,
     {"Mask \"*XXXXXX\": 1234567 before, 234567 after",
      "BADLIST \"NONE.LST\"\n  missing", "no record has the phone 234567"}},
    {"LargestIdlen", "IDLEN 2147483647\r\n", kCallLog, "", "", 0,
     {"2147483648 digits wanted",
      "empty, a number of 2147483648 digits cannot be taken"}},
    // A mask that drops every digit; IDLEN 0 leaves only the phone type.
    {"MaskLeavesNone", "CIDMASK *******\r\n", kCallLog, "", "", 0,
     {"Mask \"*******\": 1234567 before, none after"}},
    {"IdlenZero", "IDLEN 0\r\n", kCallLog, "", "", 0,
     {"caller's number: empty, IDLEN \"0\" leaves the number no digit;\n"
      "  the one digit taken is the phone type\n",
      "    4 \"\"\n    5 \"1\"\n"}},
    // "" is a login name, and a blank GOODLIST line exempts it.
    {"EmptyLoginExempt", "", kCallLog, "", "; sysops\r\n\r\nSysop\r\n", 4,
     {"Login name: empty (\"\" on the command line)",
      "  line 2 exempts the login name: \"\"\n"
      "  this line is a blank line or an indented remark: it exempts every\n"
      "  caller whose login name arrives empty\n"},
     {}, "", {kIvan}, true},
    // The same facts in Russian.
    {"RussianMaskLeavesNone", "CIDMASK *******\r\n", kCallLog, "", "", 0,
     {"Маска \"*******\": до 1234567, после нет"}, kRussian},
    {"RussianShortNumber", "", "CallerID: 123-45\r\nCONNECT 2400\r\n", "", "",
     0,
     {"  размер 32 байта, читается целиком",
      "АОН: строка кончилась, взято цифр: 5 из 8",
      "номер звонящего: пусто, последняя строка АОНа дала 5 цифр из 8"},
     kRussian},
    {"RussianConnectTooFarUp", "",
     "CallerID: 123-45-67 1\r\nCONNECT 33600\r\n" + Repeated("RING\r\n", 21),
     "", "", 0,
     {"строка CONNECT: пусто, строка 2 за 21 строку от конца"}, kRussian},
    {"RussianIdlenZero", "IDLEN 0\r\n", kCallLog, "", "", 0,
     {"номер звонящего: пусто, IDLEN \"0\" не оставляет номеру цифр;\n"
      "  единственная взятая цифра - категория\n"},
     kRussian},
    {"RussianEmptyLoginExempt", "", kCallLog, "", "\r\nSysop\r\n", 4,
     {"Логин: пустой (в командной строке \"\")",
      "  логин найден в строке 1: \"\"\n"
      "  это пустая строка или комментарий с отступом: она пускает без "
      "проверки\n  всех, у кого логин пришел пустым\n"},
     kRussian, "", {kIvan}, true},
    {"RussianBadLines", "IDLEN\t7\r\n\r\nFOO bar\r\nIDLEN 7\r\n", kCallLog,
     "", "", 0,
     {"  строка 2: \"IDLEN^I7\"\n    ошибка: между ключом и значением нет",
      "  строка 3: \"\"\n    ошибка: пустая строка",
      "  строка 4: \"FOO bar\"\n    ошибка: неизвестный ключ",
      "IDLEN       строка 5      \"7\"", "TYPEPHONE   по умолчанию  \"YES\""},
     kRussian},
    {"RussianLateConnect", "", "CallerID: 123-45-67 1\r\nRING\r\nCONNECT 33600\r\n",
     "", "", 0,
     {"CONNECT: номер 12345671 сброшен",
      "номер звонящего: пусто, сброшен строкой CONNECT в строке 3",
      "  errorlevel 0: нормальное завершение"},
     kRussian},
    {"RussianBannedLine", "", kCallLog, "; remark\r\n  123-45-67  ; him again\r\n",
     "", 3,
     {"номер запрещен строкой 2: \"  123-45-67  ; him again\"",
      "errorlevel 3: номер звонящего запрещен", "    6 \"3\""},
     kRussian},
    {"RussianSharedLineRefused", "", kCallLog, "", "Sysop\r\n", 0,
     {"  совпала запись 1 (номер с нуля: 0):\n",
      "логин - имя записи 3, а ringcheck возьмет запись 1",
      "  у записи 3 номер общий с записью 1, а логина в исключениях нет:\n"
      "  скрипты из примера звонок не пустят, в файле результата запись 1\n"
      "  Чтобы пускать этого юзера с общей линии, впишите его логин в "
      "GOODLIST;"},
     kRussian, "Anna Ivanova", kSharedLine},
    // A connection that never reached the BBS is said to be one.
    {"OwnCall", "",
     "02:10:00 Calling 2:5020/52 (uplink)\r\n02:10:01 ATDT5551234\r\n"
     "02:10:20 CONNECT 28800/ARQ\r\n02:10:21 Remote 2:5020/52\r\n",
     "", "", 0,
     {"CONNECT 28800/ARQ\"\n"
      "  our call to 2:5020/52, not the BBS: this result would go unused\n"}},
    {"RussianMailSession", "",
     kCallLog + std::string("14:05:10 Remote 2:5020/777@fidonet\r\n"), "", "",
     0, {"  почтовая сессия с 2:5020/777@fidonet, не BBS: результат не "
         "пригодится\n"},
     kRussian},
    kWidest,
};

class Explain : public testing::TestWithParam<ExplainCase> {};

TEST_P(Explain, ReportsTheFactsAndTheExitCode) {
  const ExplainCase &c = GetParam();
  Station station;
  station.Configure(c.config);
  station.Write("T-Mail.log", c.log);
  station.WriteUsers(c.users);
  if (!c.banned.empty())
    station.Write("BadPhone.lst", c.banned);
  if (!c.exempt.empty())
    station.Write("GoodPhone.lst", c.exempt);
  std::vector<std::string> login;
  if (!c.login.empty() || c.empty_login)
    login.push_back(c.login);
  ProgramRun run = station.Explain(login, c.environment);
  std::string report = Utf8Report(run);
  EXPECT_EQ(run.exit_code, c.exit_code);
  for (const std::string &fact : c.facts)
    EXPECT_NE(report.find(fact), std::string::npos)
        << fact << "\n--- in ---\n" << report;
  ExpectNarrowLines(report);
  // ringcheck itself agrees on the exit code.
  EXPECT_EQ(station.Run(login).exit_code, c.exit_code);
}


INSTANTIATE_TEST_SUITE_P(Calls, Explain, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ExplainCase> &param) {
                           return std::string(param.param.name);
                         });

TEST(ExplainRun, WithoutAConfigurationFileEndsWith5) {
  Station station;
  ProgramRun run = RunExplainerIn(station.dir.path, {"missing.cfg"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.output.find("\"missing.cfg\"\n  not found\n  cannot be opened"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("no result file would be written"),
            std::string::npos);
  run = RunExplainerIn(station.dir.path, {});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.output.find("No configuration file given: ringcheck needs "
                            "one.\nUsage: ringcheck-explain CONFIG-FILE"),
            std::string::npos)
      << run.output;
}

// Help is asked for only as the first argument, and reads no file: here
// each word is also the name of a configuration that would be found.
TEST(ExplainRun, AnswersForHelpWithoutReadingAFile) {
  Station station;
  for (const char *word : {"-h", "--help", "-?", "/?"}) {
    if (word[0] != '/')
      station.Write(word, "TORNADOPATH BBS\\\r\n");
    ProgramRun run = RunExplainerIn(station.dir.path, {word, "ringcheck.cfg"});
    EXPECT_EQ(run.exit_code, 0) << word;
    EXPECT_NE(run.output.find("Usage: ringcheck-explain"), std::string::npos)
        << word << ":\n" << run.output;
    EXPECT_EQ(run.output.find("Configuration file"), std::string::npos)
        << word << ":\n" << run.output;
    EXPECT_EQ(ResultFileIn(station.dir / "BBS"), "(none)");
  }
  ProgramRun run = RunExplainerIn(station.dir.path, {"ringcheck.cfg", "-h"});
  EXPECT_NE(run.output.find("Login name: \"-h\""), std::string::npos)
      << run.output;
}

// RINGCHECK_LANG decides when it names a language; otherwise Windows' UI
// language, or on POSIX the messages locale.  Under Wine the UI language
// follows LANG.
TEST(ExplainRun, ChoosesTheLanguageAsThePlatformDoes) {
  struct Choice {
    std::vector<std::string> environment;
    bool russian;
    bool posix_only;
  };
  const std::vector<std::string> kNoLocale = {"LC_ALL", "LC_MESSAGES",
                                              "RINGCHECK_LANG"};
  const Choice kChoices[] = {
      {{"LANG=en_US.UTF-8", "RINGCHECK_LANG=ru"}, true, false},
      {{"LANG=ru_RU.UTF-8", "RINGCHECK_LANG=EN"}, false, false},
      {{"LANG=ru_RU.UTF-8", "RINGCHECK_LANG=russian"}, true, false},
      {{"LANG=en_US.UTF-8", "RINGCHECK_LANG=ru\x1b[2J"}, false, false},
      {{"LANG=ru_RU.UTF-8"}, true, false},
      {{"LANG=en_US.UTF-8"}, false, false},
      {{"LANG=de_DE.UTF-8", "LC_MESSAGES=ru_UA.KOI8-U"}, true, true},
      {{"LANG=ru_RU.UTF-8", "LC_ALL=C"}, false, true},
      {{"LANG=rus"}, false, true},
  };
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  for (const Choice &choice : kChoices) {
    if (choice.posix_only && TestingWindowsBuild())
      continue;
    // Russian from Windows' own UI language, not from RINGCHECK_LANG.
    bool from_ui_language =
        choice.russian &&
        std::find(choice.environment.begin(), choice.environment.end(),
                  "RINGCHECK_LANG=ru") == choice.environment.end();
    if (from_ui_language && TestingWindowsBuild() && !WineCanBeRussian()) {
      std::cout << "no ru_RU.UTF-8 locale, so no Russian Windows: skipped "
                << testing::PrintToString(choice.environment) << "\n";
      continue;
    }
    std::vector<std::string> environment = kNoLocale;
    environment.insert(environment.end(), choice.environment.begin(),
                       choice.environment.end());
    ProgramRun run = station.Explain({}, environment);
    std::string said = testing::PrintToString(choice.environment);
    EXPECT_EQ(run.exit_code, 0) << said;
    // The outcome's line is ASCII in either language.
    EXPECT_NE(run.output.find(choice.russian ? "  errorlevel 0: "
                                             : "  exit code 0: "),
              std::string::npos)
        << said << "\n" << run.output;
    EXPECT_EQ(run.output.find("[2J"), std::string::npos) << said;
  }
  // Russian where the character set has no Cyrillic: question marks.
  if (!TestingWindowsBuild()) {
    ProgramRun run = station.Explain({}, {"RINGCHECK_LANG=ru", "LC_ALL=C"});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.output.find("\n?????: "), std::string::npos) << run.output;
  }
}

// A name typed at a Windows console comes in the ANSI code page (1251 on a
// Russian Windows), not in the lists' 866: the report says so.
TEST(ExplainRun, TellsTheCodePageOfANameTypedOnWindows) {
  if (!TestingWindowsBuild())
    GTEST_SKIP() << "only Windows changes the bytes of its arguments";
  if (!WineCanBeRussian())
    GTEST_SKIP() << "no ru_RU.UTF-8 locale, so no Russian Windows";
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  const std::vector<std::string> kRussianWindows = {
      "LANG=ru_RU.UTF-8", "LC_ALL", "LC_MESSAGES", "RINGCHECK_LANG"};
  std::string report =
      Utf8Report(station.Explain({"Иван Петров"}, kRussianWindows));
  EXPECT_NE(report.find("командная строка пришла в кодировке 1251"),
            std::string::npos)
      << report;
  report = Utf8Report(station.Explain({"Ivan Petrov"}, kRussianWindows));
  EXPECT_EQ(report.find("кодировке"), std::string::npos) << report;
}

TEST(ExplainRun, WritesNothingAndLeavesAnOldResultFileAlone) {
  TempDir station;
  std::filesystem::copy(RINGCHECK_SAMPLE_STATION, station.path,
                        std::filesystem::copy_options::recursive);
  ProgramRun run = RunExplainerIn(station.path, {"ringcheck.cfg", "Ivan Petrov"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(ResultFileIn(station / "BBS"), "(none)");
  // The report shows what ringcheck writes there.
  EXPECT_NE(run.output.find("    7 \"CONNECT 33600/ARQ/V34/LAPM/V42BIS\"\n"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("Error!"), std::string::npos);

  WriteFileBytes(station / "BBS/aon.tmp", "old\r\n");
  // A missing user base: ringcheck would say Error! and write status 2.
  std::filesystem::remove(station / "BBS/users.tor");
  run = RunExplainerIn(station.path, {"ringcheck.cfg", "Ivan Petrov"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.output.find("users.tor\"\n  not found\n  cannot be opened"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("Error!"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(station / "BBS/aon.tmp"), "old\r\n");
  size_t entries = 0;
  for (auto &entry : std::filesystem::directory_iterator(station / "BBS")) {
    (void)entry;
    entries++;
  }
  EXPECT_EQ(entries, 1u);
}

TEST(ExplainRun, ShowsControlBytesOfCallerChosenTextAndCutsLongLines) {
  Station station;
  station.Write("T-Mail.log", "CallerID: 123-45-67 1\x1b[2J\r\nCONNECT " +
                                  std::string(300, 'L') + "\r\n");
  station.WriteUsers({{"Ivan\x07Petrov", "123-45-67", "", "", ""}});
  ProgramRun run = station.Explain();
  EXPECT_EQ(run.output.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.output.find('\x07'), std::string::npos);
  EXPECT_NE(run.output.find("\"Ivan^GPetrov\""), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("1^[[2J\""), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("LLL\"...\n"), std::string::npos) << run.output;
  ExpectNarrowLines(run.output);
}

}  // namespace
