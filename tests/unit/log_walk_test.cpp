// The line classifier and the call history's walk, fed from memory: lines
// in, kinds out; call shapes in, calls out, each shape in every form a
// log dates its lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "capture/caller_number.h"
#include "capture/log_lines.h"
#include "capture/log_scan.h"
#include "config/settings.h"
#include "explain/history/walk.h"
#include "run/run_observer.h"
#include "run/text_helpers.h"
#include "test_files.h"

namespace {

const char *const kKindNames[] = {"connect", "caller_id", "date",
                                  "ring",    "modem",     "dial",
                                  "address", "plain"};

// A line as the walk reads it: through ringcheck's scan, then classified.
LogLineClass ClassifyAsRead(const std::string &text, LogScan *scan) {
  char piece[kLogPieceLength + 1];
  CopyText(piece, kLogPieceLength, (text + "\n").c_str());
  LogLineClass line;
  BeginLineClass(&line);
  ScanLogLine(scan, piece);
  NoteScanFindings(&line, scan);
  ClassifyPiece(&line, piece, strlen(piece));
  SettleLineKind(&line);
  return line;
}

TEST(LogLines, EachLineHasOneKind) {
  struct Row {
    const char *line;
    const char *kind;
    const char *address;  // the first named, "" for none
    const char *stamp;    // date and time, where the row looks at them
  };
  const Row rows[] = {
      {" 21:06:48 CallerID: 123-45-67 1", "caller_id", "", " 21:06:48"},
      {" 21:06:49 CONNECT 33600/ARQ/V34/LAPM", "connect", "", ""},
      {"CONNECT 2400 CallerID: PRIVATE", "connect", "", ""},
      {" 21:06:47 RING", "ring", "", ""},
      {"02.03.2024 21:06:49 RING", "ring", "", "2024-03-02 21:06:49"},
      {"2024-03-02 21:06:49 RING", "ring", "", "2024-03-02 21:06:49"},
      {"+ 02 Mar 21:06:49 ring", "ring", "", "0-03-02 21:06:49"},
      {" 21:06:47 RINGING", "plain", "", ""},
      {" 21:07:30 NO CARRIER", "modem", "", ""},
      {" 21:07:30 Busy", "modem", "", ""},
      {" 21:07:30 NO ANSWER", "modem", "", ""},
      {" 21:07:30 NO DIALTONE", "modem", "", ""},
      {" 02:10:01 ATDL", "dial", "", ""},
      {"ATD 123", "dial", "", ""},
      {" 02:10:01 Dialing: atdt5551234", "dial", "", ""},
      {"ATDX", "plain", "", ""},
      {"DATDT5", "plain", "", ""},
      {" ---------- Sat 02 Mar 2024, session log", "date", "", ""},
      {" 02:10:00 Calling 2:5020/52 (uplink)", "address", "2:5020/52", ""},
      {"Remote:2:5020/777", "address", "2:5020/777", ""},
      {" 2:5020/777.12@fidonet, point", "address", "2:5020/777.12@fidonet",
       ""},
      {"AKA 2:5020/777 2:463/68", "address", "2:5020/777", ""},
      {"Point 2:5020/777.12 calling", "address", "2:5020/777.12", ""},
      {"Remote 2:5030/1@FidoNet", "address", "2:5030/1@fidonet", ""},
      {"Remote 2:5020/777. Ok", "address", "2:5020/777", ""},
      {" 02:10:01 Dial 2:5020/52, ATDT5551234", "dial", "2:5020/52", ""},
      {"2:5020/40000", "plain", "", ""},
      {"0:5020/1", "plain", "", ""},
      {"20:31:08/20:45", "plain", "", ""},
      {" 21:06:13 Session ended, 1:40 online", "plain", "", ""},
      {" 21:06:13 33600/ARQ", "plain", "", ""},
      {" 11/03/2024 21:06:13 sent", "plain", "", ""},
  };
  ResetSettings();
  ResetCallerNumber();
  LogScan scan;
  BeginLogScan(&scan);
  for (const Row &row : rows) {
    LogLineClass line = ClassifyAsRead(row.line, &scan);
    EXPECT_STREQ(kKindNames[line.kind], row.kind) << row.line;
    char address[kFidoAddressCapacity + 1] = "";
    if (line.names_address)
      ShowFidoAddress(line.address, address);
    EXPECT_STREQ(address, row.address) << row.line;
    if (row.stamp[0] == '\0')
      continue;
    LineStamp stamp;
    ReadStampOf(line, &stamp);
    char shown[32] = "";
    if (stamp.date.day != 0)
      snprintf(shown, sizeof shown, "%d-%02d-%02d", stamp.date.year,
               stamp.date.month, stamp.date.day);
    EXPECT_EQ(std::string(shown) + " " + stamp.time, row.stamp) << row.line;
    // The same line classified from its bytes, as a line passed over is.
    LogLineClass raw;
    ClassifyLogLine(row.line, strlen(row.line), line.caller_id, line.connect,
                    &raw);
    EXPECT_EQ(raw.kind, line.kind) << row.line;
  }
}

// -- the walk

std::vector<std::string> walked;

void Collect(const Call &call) {
  static const char *const kWhy[] = {
      "taken", "no_callerid", "callerid_up", "callerid_after",
      "voided", "too_few",    "mask",        "long_line",
      "ctrl_z", "tail",       "no_idlen"};
  static const char *const kKind[] = {"caller", "mail_in", "mail_out"};
  char date[16] = "";
  if (call.date.day != 0)
    snprintf(date, sizeof date, "%d-%02d-%02d", call.date.year,
             call.date.month, call.date.day);
  walked.push_back(std::string(kKind[call.kind]) + " " + call.address + "|" +
                   kWhy[call.why] + "|" + call.number + "|" + call.caller_id +
                   "|" + std::to_string(call.line) +
                   (call.connected ? "" : " not connected") + "|" + date +
                   " " + call.time);
}

void NoBegin() {}

// The forms a log dates its lines in: the stamp each line begins with, a
// day line above them all, and the date a call then has.
struct DateForm {
  const char *name;
  const char *day_line;  // nullptr: none
  const char *stamp;     // before the time
  const char *date;
};

const DateForm kForms[] = {
    {"a day line", " ---------- Sat 02 Mar 2024, session log", " ",
     "2024-03-02"},
    {"+ dd Mon", nullptr, "+ 02 Mar ", "0-03-02"},
    {"dd.mm.yyyy", nullptr, "02.03.2024 ", "2024-03-02"},
    {"yyyy-mm-dd", nullptr, "2024-03-02 ", "2024-03-02"},
    {"none", nullptr, " ", ""},
};

struct Shape {
  const char *name;
  std::vector<std::string> lines;  // each after its stamp and time
  // kind address|why|number|caller-id line's|line, before a day line
  std::vector<std::string> calls;
};

class LogWalk : public testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    ResetCallerNumber();
    observer_ = RunObserver();
    observer_.DigitsVoided = SeeDigitsVoidedInWalk;
    observer_.DigitsEnded = SeeDigitsEndedInWalk;
    Observer = &observer_;
  }
  void TearDown() override { Observer = nullptr; }

  std::vector<std::string> Walk(const std::string &log) {
    WriteFileBytes(dir_ / "T-Mail.log", log);
    CopyText(Settings[LOGWITHAON], kSettingCapacity,
             (dir_ / "T-Mail.log").c_str());
    walked.clear();
    LogWalked result = WalkMailerLog(NoBegin, Collect, nullptr);
    EXPECT_TRUE(result.opened);
    return walked;
  }

  RunObserver observer_;
  TempDir dir_;
};

TEST_F(LogWalk, CallShapesInEveryDateForm) {
  const Shape shapes[] = {
      {"a BBS caller",
       {"RING", "CallerID: 123-45-67 1", "CONNECT 33600/ARQ/V34",
        "Incoming call, passed to the BBS", "Session ended, 0:27 online"},
       {"caller |taken|1234567|1234567|3"}},
      {"a node's mail session",
       {"RING", "CallerID: 765-43-21 2", "CONNECT 33600/ARQ",
        "Remote 2:5020/777 (Node)", "Session with 2:5020/777 ended"},
       {"mail_in 2:5020/777|taken|7654321|7654321|3"}},
      {"a point's, named with its domain",
       {"RING", "CallerID: 555-12-34 3", "CONNECT 9600",
        "Remote:2:5020/777.12@fidonet"},
       {"mail_in 2:5020/777.12@fidonet|taken|5551234|5551234|3"}},
      {"a session naming several addresses: its first",
       {"RING", "CallerID: 765-43-21 2", "CONNECT 33600", "Starting session",
        "AKA 2:5020/777 2:5020/778", "AKA 2:463/68", "Session ended"},
       {"mail_in 2:5020/777|taken|7654321|7654321|3"}},
      {"a poll of the uplink",
       {"Calling 2:5020/52 (uplink)", "ATDT5551234", "CONNECT 28800",
        "Remote 2:5020/52", "Session ended"},
       {"mail_out 2:5020/52|no_callerid|||3"}},
      {"an own call dialled ATDL, its address after CONNECT",
       {"Waiting for a call", "ATDL", "CONNECT 28800", "Remote 2:463/68"},
       {"mail_out 2:463/68|no_callerid|||3"}},
      {"an own call named, not dialled",
       {"NO CARRIER", "Calling 2:5020/52", "CONNECT 28800",
        "Session ended"},
       {"mail_out 2:5020/52|no_callerid|||3"}},
      {"a mail session whose caller-id line is written after CONNECT",
       {"RING", "CONNECT 33600", "CallerID: 765-43-21 2",
        "Remote 2:5020/777", "Session ended"},
       {"mail_in 2:5020/777|callerid_after||7654321|2"}},
      {"a caller without RING right after a mail session",
       {"RING", "CallerID: 765-43-21 2", "CONNECT 33600",
        "Remote 2:5020/777", "Sent 1 file to 2:5020/777", "CONNECT 2400",
        "Incoming call, passed to the BBS", "Session ended, 1:40 online"},
       {"mail_in 2:5020/777|taken|7654321|7654321|3",
        "caller |no_callerid|||6"}},
      {"a poll within 20 lines after a BBS caller's CONNECT",
       {"RING", "CallerID: 123-45-67 1", "CONNECT 33600",
        "Incoming call, passed to the BBS", "Calling 2:5020/52",
        "ATDT 5551234", "CONNECT 28800", "Remote 2:5020/52"},
       {"caller |taken|1234567|1234567|3",
        "mail_out 2:5020/52|no_callerid|||7"}},
      {"a poll right after a mail session that named its remote twice",
       {"RING", "CallerID: 765-43-21 2", "CONNECT 33600", "Remote 2:5020/777",
        "Session with 2:5020/777 ended", "Calling 2:5020/52", "ATDL",
        "CONNECT 28800", "Session ended"},
       {"mail_in 2:5020/777|taken|7654321|7654321|3",
        "mail_out 2:5020/52|no_callerid|||8"}},
      {"the same poll, not dialled",
       {"RING", "CallerID: 123-45-67 1", "CONNECT 33600",
        "Incoming call, passed to the BBS", "Calling 2:5020/52",
        "CONNECT 28800"},
       {"caller |taken|1234567|1234567|3",
        "mail_out 2:5020/52|no_callerid|||6"}},
      {"an address further up than a session's reach",
       {"Packet from 2:5020/777", "1", "2", "3", "4", "5", "6", "7", "8", "9",
        "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
        "CONNECT 2400"},
       {"caller |no_callerid|||22"}},
      {"RING between the caller-id line and CONNECT",
       {"CallerID: 555-12-34 3", "RING", "CONNECT 9600"},
       {"caller |callerid_up||5551234|3"}},
      {"a withheld number repeated at each ring",
       {"CallerID: PRIVATE", "RING", "CallerID: PRIVATE", "RING",
        "CONNECT 9600"},
       {"caller |callerid_up|||5"}},
      {"the CONNECT line's own caller-id voids the number",
       {"CallerID: 123-45-67 1", "CONNECT 2400 CallerID: PRIVATE"},
       {"caller |voided||1234567|2"}},
      {"a call that did not connect",
       {"RING", "CallerID: 311-22-33 2", "NO CARRIER"},
       {"caller |taken|3112233|3112233|2 not connected"}},
  };
  for (const Shape &shape : shapes) {
    for (const DateForm &form : kForms) {
      std::string log;
      int above = 0;
      if (form.day_line != nullptr) {
        log += std::string(form.day_line) + "\r\n";
        above = 1;
      }
      int second = 0;
      for (const std::string &line : shape.lines) {
        char time[32];
        snprintf(time, sizeof time, "21:06:%02d ", second++ % 60);
        log += form.stamp + std::string(time) + line + "\r\n";
      }
      std::vector<std::string> expected;
      for (const std::string &call : shape.calls) {
        size_t bar = call.rfind('|');
        size_t end = call.find(' ', bar);
        int64_t line = std::stoll(call.substr(bar + 1, end - bar - 1));
        char time[32];
        snprintf(time, sizeof time, "21:06:%02d",
                 static_cast<int>(line - 1) % 60);
        expected.push_back(call.substr(0, bar + 1) +
                           std::to_string(line + above) +
                           (end == std::string::npos ? "" : call.substr(end)) +
                           "|" + form.date + " " + time);
      }
      EXPECT_EQ(Walk(log), expected) << shape.name << ", " << form.name;
    }
  }
}

std::vector<Call> calls;

void Keep(const Call &call) { calls.push_back(call); }

// A call as a row shows it, its line left out: lines move as mail comes
// between.
std::string Shown(const Call &call) {
  char date[16];
  snprintf(date, sizeof date, "%d-%02d-%02d", call.date.year, call.date.month,
           call.date.day);
  return std::string(date) + " " + call.time + " " + call.number + "/" +
         call.type + " " + std::to_string(call.why) + " " +
         std::to_string(call.lines_up) + " " + call.caller_id +
         (call.connected ? " connected" : "");
}

TEST_F(LogWalk, AGeneratedMonthsMailLeavesItsCallersAsTheyWere) {
  const std::string make = "python3 " RINGCHECK_SOURCE_DIR "/bench/make-station"
                           " month ";
  const std::string plain = dir_ / "plain.log";
  const std::string mail = dir_ / "mail.log";
  ASSERT_EQ(std::system((make + plain + " 60000 1000").c_str()), 0);
  ASSERT_EQ(std::system((make + mail + " 60000 1000 mail").c_str()), 0);
  CopyText(Settings[LOGWITHAON], kSettingCapacity, plain.c_str());
  calls.clear();
  WalkMailerLog(NoBegin, Keep, nullptr);
  std::vector<std::string> callers;
  for (const Call &call : calls) {
    EXPECT_EQ(call.kind, kCaller) << Shown(call);
    callers.push_back(Shown(call));
  }
  CopyText(Settings[LOGWITHAON], kSettingCapacity, mail.c_str());
  calls.clear();
  WalkMailerLog(NoBegin, Keep, nullptr);
  // The generator puts mail in the seconds from :42 on, callers before.
  std::vector<std::string> mail_rows;
  size_t caller = 0;
  static const char *const kKind[] = {"caller", "mail_in", "mail_out"};
  for (const Call &call : calls) {
    if (strcmp(call.time + 6, "42") >= 0) {
      mail_rows.push_back(std::string(call.time) + " " + kKind[call.kind] +
                          " " + call.address);
      continue;
    }
    EXPECT_EQ(call.kind, kCaller) << Shown(call);
    ASSERT_LT(caller, callers.size());
    EXPECT_EQ(Shown(call), callers[caller++]);
  }
  EXPECT_GT(caller, 100u);
  std::ifstream said(mail + ".mail");
  std::vector<std::string> expected;
  for (std::string line; std::getline(said, line);)
    expected.push_back(line);
  EXPECT_GT(expected.size(), caller);  // mostly mail
  EXPECT_EQ(mail_rows, expected);
}

TEST_F(LogWalk, ALogThatCannotBeOpenedIsSaidSoAndNothingElse) {
  CopyText(Settings[LOGWITHAON], kSettingCapacity,
           (dir_ / "none.log").c_str());
  walked.clear();
  LogWalked result = WalkMailerLog(NoBegin, Collect, nullptr);
  EXPECT_FALSE(result.opened);
  EXPECT_TRUE(walked.empty());
}

}  // namespace
