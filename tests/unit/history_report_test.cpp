// The call history's report of callers, mail sessions and own calls, from
// calls made here: each mail row says its kind and address and never "let
// in"; ringcheck's totals count callers alone; the mail sessions a remote;
// a pattern tells the mail sessions it matches.  And the CSV with its
// separator, the whole history run on a station of its own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "explain/history/history.h"
#include "explain/history/rows.h"
#include "explain/history/tables.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "memory_console.h"
#include "test_files.h"
#include "user_base_writer.h"

namespace {

Call Connection(int64_t line, const char *time, ConnectionKind kind,
                const char *address, const char *caller_id) {
  Call call = Call();
  call.line = line;
  call.date = LogDate{2024, 3, 12};
  snprintf(call.time, sizeof call.time, "%s", time);
  call.hour = (time[0] - '0') * 10 + (time[1] - '0');
  call.connected = true;
  call.why = caller_id[0] != '\0' ? kCallerIdUp : kNoCallerId;
  call.lines_up = 2;
  snprintf(call.caller_id, sizeof call.caller_id, "%s", caller_id);
  call.kind = kind;
  snprintf(call.address, sizeof call.address, "%s", address);
  call.record = -1;
  call.name = kNoName;
  call.caller_id_record = -1;
  call.caller_id_name = kNoName;
  return call;
}

// What the rows and the tables print for calls, in English.
std::string Report(const Call *calls, size_t count, int64_t pattern_mail) {
  MemoryConsole console(80, 25, StandardOutput::kRedirected);
  UseReportLanguage(kEnglish);
  ForgetTotals();
  BeginRows(false, false, ',');
  for (size_t i = 0; i < count; i++) {
    WriteCall(calls[i]);
    CountCall(calls[i]);
  }
  for (int64_t i = 0; i < pattern_mail; i++)
    CountMailMatched();
  ReportMailSessions();
  LogWalked log = LogWalked();
  log.bytes = 1000;
  log.lines = 40;
  log.dated = true;
  log.opened = true;
  ReportTotals(log, pattern_mail > 0);
  ReportDays();
  FlushReport();
  return console.StandardOutputBytes();
}

TEST(HistoryReport, MailSessionsAndOwnCallsAreToldApartFromCallers) {
  Call calls[7] = {
      Connection(3, "02:10:05", kMailOut, "2:5020/52", ""),
      // A dial that named no address.
      Connection(6, "02:15:00", kMailOut, "", ""),
      Connection(9, "02:20:11", kMailIn, "2:5020/777", "7654321"),
      // A banned number and a subscriber's, which only delivered mail.
      Connection(15, "02:31:40", kMailIn, "2:5030/1", "7770011"),
      Connection(21, "02:40:02", kMailIn, "2:5020/777.1", "2345678"),
      Connection(27, "02:45:12", kMailIn, "2:5020/777", "7654329"),
      // A banned caller let in, as a line stood between.
      Connection(33, "21:05:21", kCaller, "", "7770011"),
  };
  calls[3].caller_id_banned_by = 9;
  calls[4].caller_id_record = 2;
  calls[6].caller_id_banned_by = 9;
  std::string report = Report(calls, 7, 0);
  for (const char *fact : {
           "        3  02:10:05 none         yes     our call to 2:5020/52\n"
           "        6  02:15:00 none         yes     our call out\n",
           "        9  02:20:11 none         yes     mail session, "
           "2:5020/777;\n"
           "                                         it rang from 7654321\n",
           "       15  02:31:40 none         yes     mail session, 2:5030/1;\n"
           "                                         it rang from 7770011,\n"
           "                                         banned by BADLIST line "
           "9\n",
           "Mail sessions by address\n"
           "  Address                    In   Out  Numbers it called from\n"
           "  no address                  0     1\n"
           "  2:5020/52                   0     1\n"
           "  2:5020/777                  2     0  7654321, 7654329\n"
           "  2:5020/777.1                1     0  2345678\n"
           "  2:5030/1                    1     0  7770011\n",
           "  callers: 1; mail sessions in: 4; own calls out: 2\n"
           "  calls: 1; connections: 1; not connected: 0\n"
           "  connections whose number ringcheck took: 0\n"
           "  connections without a number: 1\n"
           "    caller-id line a few lines up: 1\n"
           "  banned numbers let in: 1\n"
           "  subscribers not recognised: 0\n"
           "  calls from banned numbers: 1; turned away (errorlevel 3): 0\n"
           "  mail sessions from banned numbers: 1; from subscribers' "
           "numbers: 1\n",
           "  A line stands between the caller-id line and CONNECT in 1 of 1\n",
           "  Date         Calls  Conn.  Errorlevel 3  Banned let in  No number"
           "  Mail\n"
           "  2024-03-12       1      1             0              1          "
           "1     6\n"})
    EXPECT_NE(report.find(fact), std::string::npos) << fact << "\n" << report;
  EXPECT_EQ(report.find("not recognised\n"), std::string::npos) << report;
  for (size_t at = 0, end; at < report.size(); at = end + 1) {
    end = report.find('\n', at);
    EXPECT_LE(end - at, kReportWidth) << report.substr(at, end - at);
  }

  // Under a pattern the mail sessions it matches are counted, not listed.
  report = Report(&calls[6], 1, 2);
  EXPECT_NE(report.find("  mail sessions from numbers it matches: 2 "
                        "(ringcheck does not run for\n  them)\n"),
            std::string::npos)
      << report;
  // A log of callers alone keeps its days table as it was.
  EXPECT_NE(report.find("No number\n  2024-03-12       1"), std::string::npos)
      << report;
  EXPECT_EQ(report.find("Mail sessions by address"), std::string::npos);
}

// --csv=; for a Russian Windows' spreadsheet: ';' between the fields, a
// field holding one quoted, a comma then no reason to quote.
TEST(HistoryReport, TheCsvSeparatorIsTheOneAskedFor) {
  TempDir station;
  ASSERT_EQ(mkdir((station / "BBS").c_str(), 0700), 0);
  WriteFileBytes(station / "ringcheck.cfg", "TORNADOPATH BBS\\\r\n");
  WriteFileBytes(station / "T-Mail.log",
                 " 21:00:01 CallerID: 123-45-67 1\r\n"
                 " 21:00:09 CONNECT 2400\r\n"
                 " 21:10:01 CallerID: 555-12-34 3\r\n"
                 " 21:10:09 CONNECT 2400\r\n");
  WriteUserBase(station / "BBS/users.tor",
                {{"Petrov; Ivan", "123-45-67", "", "", ""},
                 {"Sidorova, Olga", "555-12-34", "", "", ""}});
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(station.path.c_str()), 0);
  std::string csv;
  int status;
  {
    MemoryConsole console(80, 25, StandardOutput::kRedirected);
    status = ReportCallHistory({"ringcheck.cfg", nullptr, true, nullptr,
                                nullptr, ';', nullptr, nullptr, nullptr,
                                nullptr});
    FlushReport();
    csv = console.StandardOutputBytes();
  }
  ASSERT_EQ(chdir(here), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(csv,
            "\xEF\xBB\xBF"
            "line;time;number;type;connected;status;record;name;banned_by;"
            "date;caller_id;reason;kind;address\r\n"
            "2;21:00:09;1234567;1;yes;0;1;\"Petrov; Ivan\";;;1234567;;"
            "caller;\r\n"
            "4;21:10:09;5551234;3;yes;0;2;Sidorova, Olga;;;5551234;;"
            "caller;\r\n");
}

}  // namespace
