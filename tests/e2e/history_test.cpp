// ringcheck-explain --calls: every call of the whole mailer log as it
// happened and as ringcheck sees it, in the report and as CSV; the shapes
// a call's lines take and the dates a log gives; a pattern tried on the
// past; the days asked for; the exit codes; and each call agreeing with
// ringcheck itself run on the log cut right after the call's line.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "station.h"

namespace {

// One call of each kind, in this order: connected with no caller-id line
// at all; connected; rang (the next line is no CONNECT); connected, with a
// line between its caller-id line and CONNECT; voided; too few digits;
// banned; a stranger; and the last line, with no line end, a caller-id
// line.
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

// The day so many days before today by this machine's clock, in the
// form strftime's format gives.
std::string DayBefore(int days, const char *format) {
  time_t when = time(nullptr) - static_cast<time_t>(days) * 24 * 3600;
  struct tm local;
  localtime_r(&when, &local);
  char day[16];
  strftime(day, sizeof day, format, &local);
  return day;
}

const char kHeader[] =
    "\xEF\xBB\xBF"
    "line,time,number,type,connected,status,record,name,banned_by,date,"
    "caller_id,reason,kind,address\n";

// Rows of callers as the tables below write them, each given its kind and
// an empty address.
std::string AsCallers(const std::string &rows) {
  std::string with;
  for (char c : rows)
    with += c == '\n' ? std::string(",caller,\n") : std::string(1, c);
  return with;
}

struct CsvCase {
  const char *config;
  std::string rows;
};

// A call is one row however its lines stand: the RING between the
// caller-id line on line 8 and its CONNECT on line 10 makes no second one.
const CsvCase kCsvCases[] = {
    {"", "3,21:00:09,,,yes,0,,,,,,no_callerid\n"
         "5,21:05:09,1234567,1,yes,0,1,Ivan Petrov,,,1234567,\n"
         "6,21:10:02,5551234,3,no,,2,Olga Sidorova,,,5551234,\n"
         "10,21:20:09,,,yes,0,,,,,7654321,callerid_up\n"
         "12,21:30:09,,,yes,0,,,,,,voided\n"
         "14,21:40:09,,,yes,0,,,,,,short\n"
         "16,22:00:09,7770011,2,yes,3,,,2,,7770011,\n"
         "18,22:10:09,7654321,5,yes,0,,,,,7654321,\n"
         "19,23:02:10,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"},
    // The mask drops the first digit: Kolya's phone matches, and the
    // banned pattern no longer does.
    {"CIDMASK *XXXXXX\r\n", "3,21:00:09,,,yes,0,,,,,,no_callerid\n"
                            "5,21:05:09,234567,1,yes,0,4,Kolya,,,234567,\n"
                            "6,21:10:02,551234,3,no,,,,,,551234,\n"
                            "10,21:20:09,,,yes,0,,,,,654321,callerid_up\n"
                            "12,21:30:09,,,yes,0,,,,,,voided\n"
                            "14,21:40:09,,,yes,0,,,,,,short\n"
                            "16,22:00:09,770011,2,yes,0,,,,,770011,\n"
                            "18,22:10:09,654321,5,yes,0,,,,,654321,\n"
                            "19,23:02:10,234567,1,no,,4,Kolya,,,234567,\n"},
};

TEST(History, CsvRowsACallWithAndWithoutTheMask) {
  for (const CsvCase &c : kCsvCases) {
    Station station;
    LayOutMonth(&station, c.config);
    ProgramRun run =
        RunExplainerIn(station.dir.path, {"--calls", "/CSV", "ringcheck.cfg"});
    EXPECT_EQ(run.exit_code, 0) << c.config;
    EXPECT_EQ(Plain(run.output), kHeader + AsCallers(c.rows)) << c.config;
    // RFC 4180: CR LF ends every row, on every platform.
    EXPECT_EQ(run.bytes.find("address\r\n3,"), 91u) << run.bytes;
  }
}

// Names as users.tor holds them, quoted where a spreadsheet needs it and
// never taken for a formula; in UTF-8 whatever the locale or the console,
// so that a spreadsheet opens a Russian name as Cyrillic.
TEST(History, CsvFieldsHoldCallerChosenNamesAsText) {
  Station station;
  LayOutMonth(&station, "");
  station.WriteUsers({{"=HYPERLINK(\"x\"),1", "123-45-67", "", "", ""},
                      {"-Olga \"O\"", "555-12-34", "", "", ""},
                      {"\x8C\xA0\xE0\xA8\xEF", "765-43-21", "", "", ""}});
  ProgramRun run = RunExplainerIn(
      station.dir.path, {"--csv", "--calls", "ringcheck.cfg"}, {"LC_ALL=C"});
  std::string csv = Plain(run.output);
  EXPECT_NE(csv.find("\n5,21:05:09,1234567,1,yes,0,1,"
                     "\"'=HYPERLINK(\"\"x\"\"),1\",,,1234567,,caller,\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\n6,21:10:02,5551234,3,no,,2,\"'-Olga \"\"O\"\"\",,,"
                     "5551234,,caller,\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\n18,22:10:09,7654321,5,yes,0,3,Мария,,,7654321,,"
                     "caller,\n"),
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
      "     Line  Time     Number    T  Conn.   Subscriber\n"
      "  (Number: as ringcheck takes it; T: its phone type digit; Conn.:\n"
      "  connected, and the errorlevel ringcheck gives it with no login)\n"
      "        3  21:00:09 none         yes, 0  no caller-id line\n"
      "        5  21:05:09 1234567   1  yes, 0  record 1 \"Ivan Petrov\"\n"
      "        6  21:10:02 5551234   3  no      record 2 \"Olga Sidorova\"\n"
      "       10  21:20:09 none         yes, 0  caller-id line 2 lines up;\n"
      "                                         it rang from 7654321\n"
      "       12  21:30:09 none         yes, 0  number voided\n"
      "       14  21:40:09 none         yes, 0  too few digits\n"
      "       16  22:00:09 7770011   2  yes, 3  unknown, banned by BADLIST "
      "line 2\n"
      "       18  22:10:09 7654321   5  yes, 0  unknown\n"
      "       19  23:02:10 1234567   1  no      record 1 \"Ivan Petrov\"\n"
      "\n"
      "Numbers, the most calls first\n"
      "  Number      Calls  Conn.  Subscriber\n"
      "  1234567         2      1  record 1 \"Ivan Petrov\"\n"
      "  7654321         2      2  unknown\n"
      "  5551234         1      0  record 2 \"Olga Sidorova\"\n"
      "  7770011         1      1  unknown, banned by BADLIST line 2\n"
      "\n"
      "Totals\n"
      "  mailer log: 522 bytes, 19 lines, read whole\n"
      "  callers: 9; mail sessions in: 0; own calls out: 0\n"
      "  calls: 9; connections: 7; not connected: 2\n"
      "  connections whose number ringcheck took: 3\n"
      "  connections without a number: 4\n"
      "    no caller-id line: 1\n"
      "    caller-id line a few lines up: 1\n"
      "    number voided: 1\n"
      "    too few digits: 1\n"
      "  banned numbers let in: 0\n"
      "  subscribers not recognised: 0\n"
      "  calls from banned numbers: 1; turned away (errorlevel 3): 1\n"
      "  connections from a number no record has: 2\n"
      "  A line stands between the caller-id line and CONNECT in 1 of 7\n";
  EXPECT_NE(report.find(kCalls), std::string::npos) << report;
  EXPECT_NE(report.find("  21        6      5  ####"), std::string::npos)
      << report;
  EXPECT_NE(report.find("\n  00        0      0\n"), std::string::npos)
      << report;

  ProgramRun russian =
      RunExplainerIn(station.dir.path, {"/Calls", "ringcheck.cfg"},
                     {"RINGCHECK_LANG=ru", "LC_ALL=C.UTF-8"});
  report = Plain(Utf8(russian));
  EXPECT_EQ(russian.exit_code, 0);
  for (const char *fact :
       {"       10  21:20:09 нет          да, 0   строка АОНа на 2 строки "
        "выше;\n",
        "       16  22:00:09 7770011   2  да, 3   неизвестен, запрещен "
        "строкой 2 BADLIST\n",
        "  (Номер - как его берет ringcheck; К - категория, цифра после "
        "номера;\n",
        "  лог мейлера: 522 байта, 19 строк, прочитан целиком\n",
        "    номер сброшен: 1\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;
}

// A call, one row, from its lines as they stand, with its date: the row
// of each case as CSV, the header left out.  The station is the month's:
// Ivan Petrov 123-45-67, Olga Sidorova 555-12-34, 777-00-11 banned.
struct CallShape {
  const char *name;
  const char *log;
  const char *rows;
};

const CallShape kShapes[] = {
    {"a RING between the caller-id line and CONNECT",
     " 21:00:01 CallerID: 123-45-67 1\r\n 21:00:02 RING\r\n"
     " 21:00:09 CONNECT 2400\r\n",
     "3,21:00:09,,,yes,0,,,,,1234567,callerid_up\n"},
    {"a banned caller let in",
     " 21:00:01 CallerID: 777-00-11 2\r\n 21:00:02 Answering\r\n"
     " 21:00:09 CONNECT 2400\r\n",
     "3,21:00:09,,,yes,0,,,,,7770011,callerid_up\n"},
    {"the caller-id line after CONNECT",
     " 21:00:09 CONNECT 2400\r\n 21:00:10 CallerID: 123-45-67 1\r\n"
     " 21:00:12 Incoming call\r\n",
     "1,21:00:09,,,yes,0,,,,,1234567,callerid_after\n"},
    {"a caller-id line after CONNECT, and CONNECT after it",
     " 21:00:09 CONNECT 2400\r\n 21:00:10 CallerID: 123-45-67 1\r\n"
     " 21:00:19 CONNECT 9600\r\n",
     "1,21:00:09,,,yes,0,,,,,,no_callerid\n"
     "3,21:00:19,1234567,1,yes,0,1,Ivan Petrov,,,1234567,\n"},
    {"a hang-up, then a connection with no caller-id line",
     " 21:00:01 CallerID: 123-45-67 1\r\n 21:00:30 NO CARRIER\r\n"
     " 21:00:40 RING\r\n 21:00:49 CONNECT 2400\r\n",
     "1,21:00:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "4,21:00:49,,,yes,0,,,,,,no_callerid\n"},
    {"BUSY, NO ANSWER and NO DIALTONE end a call too",
     " 21:00:01 CallerID: 123-45-67 1\r\n 21:00:02 BUSY\r\n"
     " 21:01:01 CallerID: 123-45-67 1\r\n 21:01:02 NO ANSWER\r\n"
     " 21:02:01 CallerID: 123-45-67 1\r\n 21:02:02 NO DIALTONE\r\n"
     " 21:02:09 CONNECT 2400\r\n",
     "1,21:00:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "3,21:01:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "5,21:02:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "7,21:02:09,,,yes,0,,,,,,no_callerid\n"},
    {"another number ends a call, the same goes on",
     " 21:00:01 CallerID: 123-45-67 1\r\n 21:01:01 CallerID: 555-12-34 3\r\n"
     " 21:01:02 RING\r\n 21:01:03 CallerID: 555-12-34 3\r\n"
     " 21:01:09 CONNECT 2400\r\n",
     "1,21:00:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "5,21:01:09,5551234,3,yes,0,2,Olga Sidorova,,,5551234,\n"},
    {"five lines of nothing of the call end it",
     " 21:00:01 CallerID: 123-45-67 1\r\n a\r\n b\r\n c\r\n d\r\n e\r\n"
     " 21:00:09 CONNECT 2400\r\n",
     "1,21:00:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "7,21:00:09,,,yes,0,,,,,,no_callerid\n"},
    {"a date line ends a call and dates the lines after it",
     " 21:00:01 CallerID: 123-45-67 1\r\n ---------- Tue 12 Mar 2024\r\n"
     " 21:00:09 CONNECT 2400\r\n",
     "1,21:00:01,1234567,1,no,,1,Ivan Petrov,,,1234567,\n"
     "3,21:00:09,,,yes,0,,,,2024-03-12,,no_callerid\n"},
    {"the caller-id line longer than ringcheck's piece",
     " 21:00:01 CallerID: 123-45-67 1 Name: PAYPHONE PAYPHONE PAYPHONE "
     "PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE "
     "PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE "
     "PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE PAYPHONE "
     "PAYPHONE\r\n 21:00:09 CONNECT 2400\r\n",
     "2,21:00:09,,,yes,0,,,,,1234567,long_line\n"},
    {"a Ctrl-Z before the caller-id line ends ringcheck's reading",
     " x\x1A\r\n 21:00:01 CallerID: 123-45-67 1\r\n 21:00:09 CONNECT 2400\r\n",
     "3,21:00:09,,,yes,0,,,,,1234567,ctrl_z\n"},
    {"dates in every form",
     " ---------- Mon 11 Mar 2024, session log\r\n"
     " + 11 Mar 20:31:08 CallerID: 123-45-67 1\r\n"
     " + 11 Mar 20:31:09 CONNECT 2400\r\n"
     " 12.03.2024 21:31:08 CallerID: 555-12-34 3\r\n"
     " 12.03.2024 21:31:09 CONNECT 9600\r\n"
     " 2024-03-13 22:00:00 CallerID: 777-00-11 2\r\n"
     " r 22:01 NO CARRIER\r\n",
     "3,20:31:09,1234567,1,yes,0,1,Ivan Petrov,,2024-03-11,1234567,\n"
     "5,21:31:09,5551234,3,yes,0,2,Olga Sidorova,,2024-03-12,5551234,\n"
     "6,22:00:00,7770011,2,no,,,,2,2024-03-13,7770011,\n"},
    {"a year of two digits, and the next year's January",
     " --- Sun 31 Dec 95\r\n + 01 Jan 00:01:00 CallerID: 123-45-67 1\r\n"
     " + 01 Jan 00:01:09 CONNECT 2400\r\n",
     "3,00:01:09,1234567,1,yes,0,1,Ivan Petrov,,1996-01-01,1234567,\n"},
    {"a day and a month, and no year in the log",
     " 01 Jan 00:01:00 CallerID: 123-45-67 1\r\n"
     " 01 Jan 00:01:09 CONNECT 2400\r\n",
     "2,00:01:09,1234567,1,yes,0,1,Ivan Petrov,,--01-01,1234567,\n"},
};

TEST(History, ACallIsOneRowHoweverItsLinesStand) {
  Station station;
  LayOutMonth(&station, "");
  for (const CallShape &shape : kShapes) {
    station.Write("T-Mail.log", shape.log);
    ProgramRun run =
        RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
    EXPECT_EQ(run.exit_code, 0) << shape.name;
    EXPECT_EQ(Plain(run.output), kHeader + AsCallers(shape.rows))
        << shape.name;
  }
}

// A ban tried on the past: the calls the pattern matches, what it would
// turn away, and the records whose own number it would ban, however the
// pattern is written.
TEST(History, APatternKeepsTheCallsItWouldBan) {
  Station station;
  LayOutMonth(&station, "");
  ProgramRun run = RunExplainerIn(
      station.dir.path, {"--calls", "ringcheck.cfg", "1?3-45-6* ; a try"});
  std::string report = Plain(run.output);
  EXPECT_EQ(run.exit_code, 0);
  for (const char *fact :
       {"Pattern \"1?3-45-6* ; a try\", as a BADLIST line: 1?3456*\n"
        "  records whose own number it bans: 2\n"
        "    record 1 \"Ivan Petrov\": 1234567\n"
        "    record 3 \"Anna Ivanova\": 1234567\n",
        "Calls whose number the pattern matches, in log order\n",
        "        5  21:05:09 1234567   1  yes, 0  3    record 1 \"Ivan "
        "Petrov\"\n",
        "  calls: 2; connections: 1; not connected: 1\n",
        "  the pattern would turn away 1 connection (numbers: 1)\n"
        "    record 1 \"Ivan Petrov\": 1 connection\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;
  EXPECT_EQ(report.find("5551234"), std::string::npos) << report;

  // The call whose caller-id line stood up: the pattern matches the
  // number that rang, but ringcheck took none it could turn away.
  run = RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg", "765*"});
  EXPECT_NE(Plain(run.output)
                .find("  the pattern would turn away 1 connection (numbers: "
                      "1)\n"
                      "  connections from numbers it matches that would still "
                      "get in: 1\n"),
            std::string::npos)
      << run.output;

  struct Odd {
    const char *pattern;
    const char *said;
    int rows;
  };
  const Odd kOdd[] = {
      {"***", "  records whose own number it bans: 3\n", 6},
      {"", "  no digit, '?' or '*' in it: the empty pattern bans one-digit", 0},
      {"; 1234567", "is a remark as a BADLIST line: it bans nothing", 0},
      {"1234567890123456789", "  only its first 15 digits, '?' and '*' count",
       0},
      // As users.tor writes a phone: eleven digits match no call's seven.
      {"8(095)123-45-67", "  it can never match a number of 7 digits", 0},
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

// The station's own poll, a node's mail session from a banned number and a
// banned caller let in: the CSV gives each its kind and address; the mail
// session is never "let in"; a pattern lists and counts the caller alone
// and tells the mail session it matches.
TEST(History, MailSessionsAndOwnCallsAreNoneOfRingchecks) {
  Station station;
  LayOutMonth(&station, "");
  station.Write("T-Mail.log",
                " 02:10:00 Calling 2:5020/52\r\n 02:10:01 ATDP 1112233\r\n"
                " 02:10:26 CONNECT 31200\r\n 02:10:28 Remote: 2:5020/52\r\n"
                " 03:05:12 RING\r\n 03:05:13 CallerID: 777-00-11 2\r\n"
                " 03:05:21 CONNECT 14400\r\n"
                " 03:05:23 Remote: 2:5020/999@fidonet, Nikolai\r\n"
                " 03:06:03 Session ended\r\n"
                " 22:00:02 CallerID: 777-00-11 2\r\n 22:00:03 RING\r\n"
                " 22:00:09 CONNECT 14400\r\n");
  ProgramRun run =
      RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  EXPECT_EQ(Plain(run.output),
            kHeader + std::string(
                          "3,02:10:26,,,yes,0,,,,,,no_callerid,mail_out,"
                          "2:5020/52\n"
                          "7,03:05:21,7770011,2,yes,3,,,2,,7770011,,mail_in,"
                          "2:5020/999@fidonet\n"
                          "12,22:00:09,,,yes,0,,,,,7770011,callerid_up,caller,"
                          "\n"));
  // A Russian Windows' spreadsheet splits at ';'.
  run = RunExplainerIn(station.dir.path,
                       {"/calls", "/csv:;", "ringcheck.cfg"});
  EXPECT_NE(Plain(run.output)
                .find("\n7;03:05:21;7770011;2;yes;3;;;2;;7770011;;mail_in;"
                      "2:5020/999@fidonet\n"),
            std::string::npos)
      << run.output;
  run = RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg"});
  std::string report = Plain(run.output);
  for (const char *fact :
       {"        3  02:10:26 none         yes     our call to 2:5020/52\n",
        "        7  03:05:21 7770011   2  yes     mail session, "
        "2:5020/999@fidonet;\n"
        "                                         banned by BADLIST line 2\n",
        "  callers: 1; mail sessions in: 1; own calls out: 1\n"
        "  calls: 1; connections: 1; not connected: 0\n",
        "  banned numbers let in: 1\n",
        "  calls from banned numbers: 1; turned away (errorlevel 3): 0\n",
        "  mail sessions from banned numbers: 1; from subscribers' numbers: "
        "0\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;

  run = RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg", "777*"});
  report = Plain(run.output);
  for (const char *fact :
       {"  callers: 1; mail sessions in: 0; own calls out: 0\n",
        "  connections from numbers it matches that would still get in: 1\n",
        "  mail sessions from numbers it matches: 1 (ringcheck does not run "
        "for\n  them)\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;
  EXPECT_EQ(report.find("2:5020/999"), std::string::npos) << report;
}

// The switches stand anywhere; --since and --until keep the days asked
// for, and a day that is no date, a window on a log without dates or a
// switch of none of these is refused with 5.
TEST(History, TheSwitchesAndTheDaysAskedFor) {
  Station station;
  LayOutMonth(&station, "");
  station.Write("T-Mail.log", kShapes[11].log);
  ProgramRun run = RunExplainerIn(
      station.dir.path,
      {"--calls", "ringcheck.cfg", "--since", "12.03.2024", "/CSV",
       "--until", "2024-03-12"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(Plain(run.output),
            kHeader + std::string("5,21:31:09,5551234,3,yes,0,2,Olga "
                                  "Sidorova,,2024-03-12,5551234,,caller,\n"));
  run = RunExplainerIn(station.dir.path,
                       {"--calls", "ringcheck.cfg", "--until", "2024-03-11"});
  EXPECT_NE(Plain(run.output).find("Calls kept: from the first day to "
                                   "2024-03-11\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(Plain(run.output).find("  calls: 1; connections: 1;"),
            std::string::npos)
      << run.output;

  // A log dated by each line's "+ dd Mon" alone: a window of the last
  // year takes its days as the last such days up to today, an older one
  // compares their month and day; a time given takes the calls from it on
  // and before it; today and yesterday are the machine's.
  const std::string yesterday = " + " + DayBefore(1, "%d %b");
  const std::string today = " + " + DayBefore(0, "%d %b");
  const std::string kLastDays =
      yesterday + " 06:59:00 CallerID: 123-45-67 1\r\n" + yesterday +
      " 06:59:09 CONNECT 2400\r\n" + yesterday +
      " 07:00:00 CallerID: 555-12-34 3\r\n" + yesterday +
      " 07:00:09 CONNECT 9600\r\n" + today +
      " 06:00:00 CallerID: 123-45-67 1\r\n" + today +
      " 06:00:09 CONNECT 2400\r\n" + today +
      " 07:00:00 CallerID: 555-12-34 3\r\n" + today +
      " 07:00:09 CONNECT 9600\r\n";
  const std::string kMarch =
      " + 11 Mar 20:31:08 CallerID: 123-45-67 1\r\n"
      " + 11 Mar 20:31:09 CONNECT 2400\r\n"
      " + 12 Mar 21:31:08 CallerID: 555-12-34 3\r\n"
      " + 12 Mar 21:31:09 CONNECT 9600\r\n";
  struct Kept {
    const std::string &log;
    std::vector<std::string> window;
    const char *rows;
  };
  const Kept kKept[] = {
      {kLastDays, {"--since", DayBefore(0, "%Y-%m-%d")},
       "6,06:00:09\n8,07:00:09"},
      {kLastDays, {"--until", DayBefore(1, "%d.%m.%Y")},
       "2,06:59:09\n4,07:00:09"},
      {kLastDays, {"--since", "yesterday 07:00"},
       "4,07:00:09\n6,06:00:09\n8,07:00:09"},
      {kLastDays, {"--since", "-1", "--until", "today 06:30"},
       "2,06:59:09\n4,07:00:09\n6,06:00:09"},
      {kLastDays, {"--since", "yesterday 07:00", "--until", "today 07:00"},
       "4,07:00:09\n6,06:00:09"},
      {kMarch, {"--since", "2024-03-12"}, "4,21:31:09"},
      {kMarch, {"--until", "2024-03-11 21:00"}, "2,20:31:09"},
  };
  for (const Kept &kept : kKept) {
    station.Write("T-Mail.log", kept.log);
    std::vector<std::string> arguments = {"--calls", "ringcheck.cfg", "--csv"};
    arguments.insert(arguments.end(), kept.window.begin(), kept.window.end());
    run = RunExplainerIn(station.dir.path, arguments);
    EXPECT_EQ(run.exit_code, 0) << kept.window[1];
    std::string rows;
    std::string csv = Plain(run.output);
    for (size_t at = csv.find('\n');
         at != std::string::npos && at + 1 < csv.size();
         at = csv.find('\n', at + 1))
      rows += (rows.empty() ? "" : "\n") +
              csv.substr(at + 1, csv.find(',', csv.find(',', at + 1) + 1) -
                                     at - 1);
    EXPECT_EQ(rows, kept.rows) << kept.window[1] << "\n" << csv;
  }

  struct Refused {
    std::vector<std::string> arguments;
    const char *said;
  };
  const Refused kRefused[] = {
      {{"--calls", "ringcheck.cfg", "--since", "2024-02-30"},
       "--since \"2024-02-30\": not a date"},
      {{"--calls", "ringcheck.cfg", "--until"},
       "The switch \"--until\" needs a value after it."},
      {{"--calls", "ringcheck.cfg", "--cvs"}, "Unknown switch \"--cvs\"."},
      {{"--calls", "ringcheck.cfg", "--until", "today 7"},
       "--until \"today 7\": not a date"},
      {{"--calls", "ringcheck.cfg", "/since", "2024-03-11"},
       "The mailer log gives no date on any line"},
  };
  station.Write("T-Mail.log", kMonth);
  for (const Refused &refused : kRefused) {
    run = RunExplainerIn(station.dir.path, refused.arguments);
    EXPECT_EQ(run.exit_code, 5) << refused.said;
    EXPECT_NE(Plain(run.output).find(refused.said), std::string::npos)
        << run.output;
    EXPECT_NE(Plain(run.output).find("exit code 5: the command line was "
                                     "refused"),
              std::string::npos)
        << run.output;
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
  EXPECT_NE(report.find("        5  21:05:09 1234567   1  yes, 2  users.tor "
                        "not read\n"),
            std::string::npos)
      << report;
  run = RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(Plain(run.output).find(
                "\n5,21:05:09,1234567,1,yes,2,,,,,1234567,,caller,\n"),
            std::string::npos)
      << run.output;

  remove((station.dir / "T-Mail.log").c_str());
  run = RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(Plain(run.output).find("line,time"), std::string::npos);
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
    ASSERT_EQ(call.size(), 14u) << rows[i];
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
