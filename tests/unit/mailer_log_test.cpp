#include <gtest/gtest.h>

#include <string>

#include "capture/caller_number.h"
#include "config/settings.h"
#include "run/run_status.h"
#include "run/text_helpers.h"
#include "test_files.h"

namespace {

class MailerLog : public testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    ResetCallerNumber();
  }

  // Scans a log of these bytes with the settings as the test left them.
  void Scan(const std::string &log) {
    ResetCallerNumber();
    WriteFileBytes(dir_ / "T-Mail.log", log);
    CopyText(Settings[LOGWITHAON], kSettingCapacity,
             (dir_ / "T-Mail.log").c_str());
    SplitCallerIdSetting();
    ScanMailerLog();
  }

  void ExpectScan(const std::string &log, const char *number, const char *type,
                  const char *connect = "") {
    Scan(log);
    EXPECT_STREQ(CallerNumber, number) << log;
    EXPECT_STREQ(PhoneType, type) << log;
    EXPECT_STREQ(ConnectLine, connect) << log;
  }

  TempDir dir_;
};

// Lines that hold neither the marker nor CONNECT, n bytes in all.
std::string Filler(size_t n) {
  std::string text;
  while (text.size() + 17 <= n)
    text += "14:00:00 RINGING\n";
  if (text.size() < n)
    text += std::string(n - text.size() - 1, '.') + "\n";
  return text;
}

std::string Lines(int n) { return Filler(static_cast<size_t>(n) * 17); }

TEST_F(MailerLog, TakesTheNumberRightBeforeItsConnectLine) {
  std::string call = "14:05:01 CallerID: 812-34-56 3\n"
                     "14:05:09 CONNECT 31200/ARQ/V42BIS\n";
  // Positioning cuts the first line read; it counts like any other.
  std::string log = "14:00:00 RING" + Filler(5000) + call + Lines(6);
  ExpectScan(log, "8123456", "3", "CONNECT 31200/ARQ/V42BIS\n");
  // A later CONNECT of a call without a caller-id line voids the number.
  ExpectScan(log + "14:20:44 connect 26400/ARQ\n", "", "",
             "CONNECT 26400/ARQ\n");
  // Without any CONNECT the last caller-id line holds.
  ExpectScan(Lines(3) + "CallerID 81234563\n" + Lines(20), "8123456", "3");
  ExpectScan("", "", "");
}

TEST_F(MailerLog, ReadsOnlyTheLast4000BytesAsStored) {
  std::string call = "CallerID 81234563\n";
  ExpectScan(call + Filler(4000 - call.size()), "8123456", "3");
  // One byte more and reading starts at the second byte.
  ExpectScan(call + Filler(4001 - call.size()), "", "");
  ExpectScan("x" + call + Filler(4000 - call.size()), "8123456", "3");
  // Carriage returns count, though the reader drops them.
  ExpectScan("CallerID 81234563\r\n" + Filler(4000 - call.size()), "", "");
}

TEST_F(MailerLog, LongLinesArriveInPiecesOf255) {
  std::string number = "CallerID 81234563";
  std::string line254 = std::string(254 - number.size(), 'x') + number;
  std::string line255 = "x" + line254;
  ExpectScan(line254 + "\nCONNECT 9600\n", "8123456", "3", "CONNECT 9600\n");
  // The line feed comes as a piece of its own, between number and CONNECT.
  ExpectScan(line255 + "\nCONNECT 9600\n", "", "", "CONNECT 9600\n");
  // A number across two pieces: the first ends without a line feed.
  ExpectScan(std::string(255 - 13, 'x') + "CallerID 8123" + "4563\n", "", "");
}

TEST_F(MailerLog, ConnectLineRules) {
  std::string call = "CallerID 81234563\nCONNECT 14400\n";
  ExpectScan(call + Lines(10), "8123456", "3", "CONNECT 14400\n");
  ExpectScan(call + Lines(11), "8123456", "3", "");
  // A line between the caller-id line and the CONNECT voids the number.
  ExpectScan("CallerID 81234563\n" + Lines(1) + "CONNECT 14400\n", "", "",
             "CONNECT 14400\n");
  // On a line holding both, CONNECT is handled before the digits.
  ExpectScan(Lines(2) + "Connect 2400 CallerID 81234563\n", "8123456", "3",
             "CONNECT 2400 CALLERID 81234563\n");
  // ConnectLine keeps 90 characters, the line feed counted.
  std::string text89 = "CONNECT " + std::string(81, 'V');
  ExpectScan(text89 + "\n", "", "", (text89 + "\n").c_str());
  ExpectScan(text89 + "VW\n", "", "", (text89 + "V").c_str());
}

TEST_F(MailerLog, CharactersBehindTheMarker) {
  std::string first = "CallerID 81234563\n";
  // Any character that is neither a digit nor a separator voids it.
  ExpectScan("CallerID 812X4563\n", "", "");
  ExpectScan(first + "CallerID    \n", "", "");
  ExpectScan(first + "CALLERID: - \" \n", "8123456", "3");
  // A later line rewrites the number from its first digit on.
  ExpectScan(first + "callerid 555\n", "", "");
  ExpectScan(first + "callerid 5554444 1 ignored\n", "5554444", "1");
  // The end of the data ends a short number but not a complete one.
  ExpectScan("CallerID 8123", "", "");
  ExpectScan("CallerID 81234563", "8123456", "3");
}

TEST_F(MailerLog, AnEmptyMarkerMakesEveryLineACallerIdLine) {
  Settings[CALLERID][0] = '\0';
  ExpectScan("81234563\n", "8123456", "3");
  ExpectScan("81234563\n 8-1-2\n", "", "");
}

TEST_F(MailerLog, CallerIdSettingAddsSeparators) {
  CopyText(Settings[CALLERID], kSettingCapacity, "CALLERID: ()");
  ExpectScan("CallerID: (812) 345-63\n", "8123456", "3");
  EXPECT_STREQ(SeparatorSet, " :-\"()");
  EXPECT_STREQ(Settings[CALLERID], "CALLERID:");
  // A separator digit is passed over, never collected.
  CopyText(Settings[CALLERID], kSettingCapacity, "CALLERID 5");
  ExpectScan("CallerID 815234567 8\n", "8123467", "8");
  // Eleven characters are looked at; the set holds nine.
  ResetCallerNumber();
  CopyText(Settings[CALLERID], kSettingCapacity, "ID ::::::::::A");
  SplitCallerIdSetting();
  EXPECT_STREQ(SeparatorSet, " :-\"A");
  ResetCallerNumber();
  CopyText(Settings[CALLERID], kSettingCapacity, "ID :::::::::::A");
  SplitCallerIdSetting();
  EXPECT_STREQ(SeparatorSet, " :-\"");
  CopyText(Settings[CALLERID], kSettingCapacity, "ID ABCDEFG");
  SplitCallerIdSetting();
  EXPECT_STREQ(SeparatorSet, " :-\"ABCDE");
  EXPECT_STREQ(Settings[CALLERID], "ID");
}

TEST_F(MailerLog, DigitCountAndPhoneType) {
  ExpectScan("CallerID 8123456\n", "", "");
  CopyText(Settings[TYPEPHONE], kSettingCapacity, "NO");
  ExpectScan("CallerID 8123456\n", "8123456", "");
  CopyText(Settings[IDLEN], kSettingCapacity, "9");
  ExpectScan("CallerID 812345678\n", "812345678", "");
  // Counts the buffer cannot hold, or none, never give a number.
  for (const char *idlen : {"0", "-3", "X", "99999999999"}) {
    CopyText(Settings[IDLEN], kSettingCapacity, idlen);
    ExpectScan("CallerID 8\nCONNECT 300\n", "", "", "CONNECT 300\n");
  }
  CopyText(Settings[IDLEN], kSettingCapacity, "9");
  CopyText(Settings[TYPEPHONE], kSettingCapacity, "YES");
  ExpectScan("CallerID 8123456789\nCONNECT 300\n", "", "", "CONNECT 300\n");
}

TEST(ScanMailerLog, ALogThatCannotBeOpenedEndsTheRun) {
  TempDir dir;
  ResetSettings();
  ResetCallerNumber();
  CopyText(Settings[LOGWITHAON], kSettingCapacity,
           (dir.path + "\\MISSING\\T-MAIL.LOG").c_str());
  CopyText(Settings[TORNADOPATH], kSettingCapacity, (dir.path + "/").c_str());
  testing::internal::CaptureStdout();
  EXPECT_ANY_THROW(ScanMailerLog());
  testing::internal::GetCapturedStdout();
  EXPECT_STREQ(MessageFileName, "T-MAIL.LOG");
}

}  // namespace
