// ringcheck-explain --calls: every call of the whole mailer log, as
// ringcheck sees it, in the report and as CSV; a pattern tried on the
// past; the exit codes; and each call agreeing with ringcheck itself run
// on the log cut right after the call's line.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "station.h"

namespace {

// One call of each kind, in this order: connected with no caller-id line
// at all; connected; rang (the next line is no CONNECT); rang, with a line
// between it and the CONNECT below; voided; too few digits; banned; a
// stranger; and the last line, with no line end, a caller-id line.
const char kMonth[] = " 20:59:58 Waiting for a call\r\n"
                      " 21:00:00 RING\r\n"
                      " 21:00:09 CONNECT 2400\r\n"
                      " 21:05:01 CallerID: 123-45-67 1\r\n"
                      " 21:05:09 CONNECT 33600/ARQ/V34\r\n"
                      " 21:10:02 CallerID: 555-12-34 3\r\n"
                      " 21:10:30 NO CARRIER\r\n"
                      " 21:20:02 CallerID: 765-43-21 5\r\n"
                      " 21:20:03 RING\r\n"
                      " 21:20:09 CONNECT 2400\r\n"
                      " 21:30:02 CallerID: 12x-45-67 1\r\n"
                      " 21:30:09 CONNECT 9600\r\n"
                      " 21:40:02 CallerID: 123-45 1\r\n"
                      " 21:40:09 CONNECT 9600\r\n"
                      " 22:00:02 CallerID: 777-00-11 2\r\n"
                      " 22:00:09 CONNECT 14400\r\n"
                      " 22:10:02 CallerID: 765-43-21 5\r\n"
                      " 22:10:09 CONNECT 14400\r\n"
                      " 23:02:10 CallerID: 123-45-67 1";

// Ivan's line is shared with Anna, after him; Kolya's phone is too short
// for a call's seven digits, not for a masked six.
const std::vector<UserEntry> kUsers = {
    {"Ivan Petrov", "8(095)123-45-67", "", "Moscow", "2:5020/123.7"},
    {"Olga Sidorova", "", "555-12-34", "Tver", ""},
    {"Anna Ivanova", "123-45-67", "", "Moscow", ""},
    {"Kolya", "23-45-67", "", "Tver", ""},
};

const char kBanned[] = "; pranks\r\n777-00-11\r\n";

void LayOutMonth(Station *station, const std::string &config) {
  station->Configure(config);
  station->Write("T-Mail.log", kMonth);
  station->WriteUsers(kUsers);
  station->Write("BadPhone.lst", kBanned);
}

// The output with each CR LF as a line feed: CSV rows end with CR LF on
// every platform, report lines on Windows.
std::string Plain(const std::string &text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); i++)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
      plain += text[i];
  return plain;
}

std::string Utf8(const ProgramRun &run) {
  return TestingWindowsBuild() ? Cp866ToUtf8(run.output) : run.output;
}

const char kHeader[] =
    "line,time,number,type,connected,status,record,name,banned_by\n";

struct CsvCase {
  const char *config;
  std::string rows;
};

const CsvCase kCsvCases[] = {
    {"", "3,21:00:09,,,yes,0,,,\n"
         "5,21:05:09,1234567,1,yes,0,1,Ivan Petrov,\n"
         "6,21:10:02,5551234,3,no,,2,Olga Sidorova,\n"
         "8,21:20:02,7654321,5,no,,,,\n"
         "10,21:20:09,,,yes,0,,,\n"
         "12,21:30:09,,,yes,0,,,\n"
         "14,21:40:09,,,yes,0,,,\n"
         "16,22:00:09,7770011,2,yes,3,,,2\n"
         "18,22:10:09,7654321,5,yes,0,,,\n"
         "19,23:02:10,1234567,1,no,,1,Ivan Petrov,\n"},
    // The mask drops the first digit: Kolya's phone matches, and the
    // banned pattern no longer does.
    {"CIDMASK *XXXXXX\r\n", "3,21:00:09,,,yes,0,,,\n"
                            "5,21:05:09,234567,1,yes,0,4,Kolya,\n"
                            "6,21:10:02,551234,3,no,,,,\n"
                            "8,21:20:02,654321,5,no,,,,\n"
                            "10,21:20:09,,,yes,0,,,\n"
                            "12,21:30:09,,,yes,0,,,\n"
                            "14,21:40:09,,,yes,0,,,\n"
                            "16,22:00:09,770011,2,yes,0,,,\n"
                            "18,22:10:09,654321,5,yes,0,,,\n"
                            "19,23:02:10,234567,1,no,,4,Kolya,\n"},
};

TEST(History, CsvRowsACallWithAndWithoutTheMask) {
  for (const CsvCase &c : kCsvCases) {
    Station station;
    LayOutMonth(&station, c.config);
    ProgramRun run =
        RunExplainerIn(station.dir.path, {"--calls", "/CSV", "ringcheck.cfg"});
    EXPECT_EQ(run.exit_code, 0) << c.config;
    EXPECT_EQ(Plain(run.output), kHeader + c.rows) << c.config;
    // RFC 4180: CR LF ends every row, on every platform.
    if (!TestingWindowsBuild()) {
      EXPECT_EQ(run.output.find("banned_by\r\n3,"), 51u) << run.output;
    }
  }
}

// Names as users.tor holds them, quoted where a spreadsheet needs it and
// never taken for a formula.
TEST(History, CsvFieldsHoldCallerChosenNamesAsText) {
  Station station;
  LayOutMonth(&station, "");
  station.WriteUsers({{"=HYPERLINK(\"x\"),1", "123-45-67", "", "", ""},
                      {"-Olga \"O\"", "555-12-34", "", "", ""}});
  ProgramRun run =
      RunExplainerIn(station.dir.path, {"--csv", "--calls", "ringcheck.cfg"});
  std::string csv = Plain(run.output);
  EXPECT_NE(
      csv.find(
          "\n5,21:05:09,1234567,1,yes,0,1,\"'=HYPERLINK(\"\"x\"\"),1\",\n"),
      std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\n6,21:10:02,5551234,3,no,,2,\"'-Olga \"\"O\"\"\",\n"),
            std::string::npos)
      << csv;
}

TEST(History, TheReportTellsEachCallAndWhyItHasNoNumber) {
  Station station;
  LayOutMonth(&station, "");
  ProgramRun run =
      RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg"});
  std::string report = Plain(run.output);
  EXPECT_EQ(run.exit_code, 0);
  const char kCalls[] =
      "Calls in log order\n"
      "     Line  Time       Number    T  Conn.   Subscriber\n"
      "  (Conn.: connected, and the errorlevel ringcheck gives it with no "
      "login)\n"
      "        3  21:00:09   none         yes, 0  no caller-id line right "
      "before\n"
      "        5  21:05:09   1234567   1  yes, 0  record 1 \"Ivan Petrov\"\n"
      "        6  21:10:02   5551234   3  no      record 2 \"Olga Sidorova\"\n"
      "        8  21:20:02   7654321   5  no      unknown\n"
      "       10  21:20:09   none         yes, 0  the caller-id line is 2 "
      "lines up\n"
      "       12  21:30:09   none         yes, 0  voided\n"
      "       14  21:40:09   none         yes, 0  too few digits\n"
      "       16  22:00:09   7770011   2  yes, 3  unknown, banned by line 2\n"
      "       18  22:10:09   7654321   5  yes, 0  unknown\n"
      "       19  23:02:10   1234567   1  no      record 1 \"Ivan Petrov\"\n"
      "\n"
      "Numbers, the most calls first\n"
      "  Number      Calls  Conn.  Subscriber\n"
      "  1234567         2      1  record 1 \"Ivan Petrov\"\n"
      "  7654321         2      1  unknown\n"
      "  5551234         1      0  record 2 \"Olga Sidorova\"\n"
      "  7770011         1      1  unknown, banned by line 2\n"
      "\n"
      "Totals\n"
      "  mailer log: 522 bytes, 19 lines, read whole\n"
      "  calls: 10; connected: 7; did not connect: 3\n"
      "  connected with a number ringcheck takes: 3\n"
      "  connected without a number: 4\n"
      "    no caller-id line right before: 2\n"
      "    voided: 1\n"
      "    too few digits: 1\n"
      "  calls banned by BADLIST: 1, of them connected: 1 (errorlevel 3)\n"
      "  connected from a number no record has: 2\n"
      "  did not connect, with CONNECT 2 to 5 lines below the caller-id line: "
      "1\n";
  EXPECT_NE(report.find(kCalls), std::string::npos) << report;
  EXPECT_NE(report.find("  21        7      5  ####"), std::string::npos)
      << report;
  EXPECT_NE(report.find("\n  00        0      0\n"), std::string::npos)
      << report;

  ProgramRun russian =
      RunExplainerIn(station.dir.path, {"/Calls", "ringcheck.cfg"},
                     {"RINGCHECK_LANG=ru", "LC_ALL=C.UTF-8"});
  report = Plain(Utf8(russian));
  EXPECT_EQ(russian.exit_code, 0);
  for (const char *fact :
       {"       10  21:20:09   нет          да, 0   строка АОНа на 2 строки "
        "выше\n",
        "       16  22:00:09   7770011   2  да, 3   неизвестен, запрещен "
        "строкой 2\n",
        "  лог мейлера: 522 байта, 19 строк, прочитан целиком\n",
        "    номер сброшен: 1\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;
}

// A ban tried on the past: the calls the pattern matches, and the records
// whose own number it would ban, however the pattern is written.
TEST(History, APatternKeepsTheCallsItWouldBan) {
  Station station;
  LayOutMonth(&station, "");
  ProgramRun run = RunExplainerIn(
      station.dir.path, {"--calls", "ringcheck.cfg", "1?3-45-6* ; a try"});
  std::string report = Plain(run.output);
  EXPECT_EQ(run.exit_code, 0);
  for (const char *fact :
       {"Pattern \"1?3-45-6* ; a try\", as a BADLIST line: 1?3456*\n"
        "  it bans the own number of 2 records:\n"
        "    record 1 \"Ivan Petrov\": 1234567\n"
        "    record 3 \"Anna Ivanova\": 1234567\n",
        "Calls whose number the pattern matches, in log order\n",
        "  calls: 2; connected: 1; did not connect: 1\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;
  EXPECT_EQ(report.find("5551234"), std::string::npos) << report;

  struct Odd {
    const char *pattern;
    const char *said;
    int rows;
  };
  const Odd kOdd[] = {
      {"***", "  it bans the own number of 3 records:\n", 6},
      {"", "  no digit, '?' or '*' in it: the empty pattern bans one-digit", 0},
      {"; 1234567", "is a remark as a BADLIST line: it bans nothing", 0},
      {"1234567890123456789", "  only its first 15 digits, '?' and '*' count",
       0},
  };
  for (const Odd &odd : kOdd) {
    run = RunExplainerIn(station.dir.path,
                         {"--calls", "ringcheck.cfg", odd.pattern});
    report = Plain(run.output);
    EXPECT_EQ(run.exit_code, 0) << odd.pattern;
    EXPECT_NE(report.find(odd.said), std::string::npos) << report;
    run = RunExplainerIn(station.dir.path,
                         {"--calls", "--csv", "ringcheck.cfg", odd.pattern});
    std::string csv = Plain(run.output);
    int rows = 0;
    for (char c : csv)
      rows += c == '\n';
    EXPECT_EQ(rows, odd.rows + 1) << odd.pattern << "\n" << csv;
  }
}

// As ringcheck: 5 without a configuration, 1 without the log, 2 without
// users.tor (the calls still listed); a missing BADLIST is said.
TEST(History, EndsAsRingcheckWhenAFileCannotBeOpened) {
  Station station;
  LayOutMonth(&station, "");
  ProgramRun run = RunExplainerIn(station.dir.path, {"--calls"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.output.find("No configuration file given"), std::string::npos);
  run = RunExplainerIn(station.dir.path, {"--calls", "--csv", "missing.cfg"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(Plain(run.output).find("  cannot be opened\n"), std::string::npos)
      << run.output;

  remove((station.dir / "BadPhone.lst").c_str());
  remove((station.dir / "BBS/users.tor").c_str());
  run = RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg"});
  std::string report = Plain(run.output);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(report.find("BADLIST \"BadPhone.lst\"\n  missing"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("        5  21:05:09   1234567   1  yes, 2  users.tor "
                        "not read\n"),
            std::string::npos)
      << report;
  run = RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(Plain(run.output).find("\n5,21:05:09,1234567,1,yes,2,,,\n"),
            std::string::npos)
      << run.output;

  remove((station.dir / "T-Mail.log").c_str());
  run = RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(Plain(run.output).find(kHeader), std::string::npos);
  EXPECT_EQ(station.Result(), "(none)");
}

// -- every call as ringcheck itself sees it

// A log of calls of every kind, with the odd bytes a log may hold: lines
// past 255 and past 4000 bytes, NUL, Ctrl-Z, a caller-id line that is
// also a CONNECT line, no line end at the end.
std::string GeneratedLog() {
  uint32_t seed = 2026;
  auto next = [&seed](uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % below;
  };
  const char *const kNumbers[] = {"123-45-67 1",
                                  "555-12-34 3",
                                  "777-00-11 2",
                                  "765-43-21 5",
                                  "12x-45-67 1",
                                  "123-45 1",
                                  "",
                                  "123-45-67"};
  std::string log;
  for (int call = 0; call < 48; call++) {
    char stamp[16];
    snprintf(stamp, sizeof stamp, " %02d:%02u:%02u ", call % 24, next(60),
             next(60));
    log += std::string(stamp) + "RING\r\n";
    switch (next(12)) {
    case 0:
      log += std::string(300 + next(4000), '.') + "\r\n";
      break;
    case 1:
      log += std::string(stamp) + "\x1A" + "\r\n";
      break;
    case 2:
      log +=
          std::string(stamp) + std::string("garbage\0\xFF", 9) + "CONNECT\r\n";
      break;
    default:
      break;
    }
    log += std::string(stamp) + "CallerID: " + kNumbers[next(8)] + "\r\n";
    if (next(5) == 0)
      log += std::string(stamp) + "RING\r\n";
    if (next(6) != 0)
      log += std::string(stamp) +
             (next(9) == 0 ? "CONNECT CallerID: 5551234 3" : "CONNECT 33600") +
             "\r\n";
    if (next(3) == 0)
      log += std::string(stamp) + "Session ended\r\n";
  }
  log += " 23:59:59 CallerID: 123-45-67 1";
  return log;
}

std::vector<std::string> Fields(const std::string &row) {
  std::vector<std::string> fields(1);
  for (char c : row) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(History, EachCallIsWhatRingcheckTakesFromTheLogCutAfterIt) {
  Station station;
  std::string log = GeneratedLog();
  LayOutMonth(&station, "");
  station.Write("T-Mail.log", log);
  ProgramRun run =
      RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  ASSERT_EQ(run.exit_code, 0);
  std::vector<std::string> rows = Lines(Plain(run.output));
  ASSERT_GT(rows.size(), 40u);
  int connected = 0;
  for (size_t i = 1; i < rows.size(); i++) {
    std::vector<std::string> call = Fields(rows[i]);
    ASSERT_EQ(call.size(), 9u) << rows[i];
    // The log as it stood right after the call's line was written.
    size_t end = std::string::npos;
    size_t from = 0;
    for (long line = std::stol(call[0]); line > 0; line--) {
      end = log.find('\n', from);
      if (end == std::string::npos)
        break;
      from = end + 1;
    }
    station.Write("T-Mail.log",
                  end == std::string::npos ? log : log.substr(0, end + 1));
    ProgramRun ringcheck = station.Run();
    std::vector<std::string> result = Lines(Plain(station.Result()));
    result.resize(6);
    if (call[4] == "yes") {
      connected++;
      EXPECT_EQ(std::to_string(ringcheck.exit_code), call[5]) << rows[i];
    }
    // A caller-id line without a digit of its own has no number, whatever
    // ringcheck still holds from an earlier line.
    if (call[4] == "no" && call[2].empty())
      continue;
    EXPECT_EQ(result[3], call[2]) << rows[i];
    EXPECT_EQ(result[4], call[3]) << rows[i];
    EXPECT_EQ(result[0], call[7]) << rows[i];
    EXPECT_EQ(ringcheck.exit_code == 3, !call[8].empty()) << rows[i];
  }
  EXPECT_GT(connected, 20);
}

} // namespace
