#include "config/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "test_files.h"

namespace {

// Reads a configuration file of these bytes over the defaults and returns
// the number of bad-line warnings it gave.
int ReadConfig(const std::string &bytes) {
  TempDir dir;
  WriteFileBytes(dir / "ring.cfg", bytes);
  ResetSettings();
  testing::internal::CaptureStdout();
  ReadConfigFile((dir / "ring.cfg").c_str());
  fflush(stdout);
  std::string output = testing::internal::GetCapturedStdout();
  int warnings = 0;
  for (size_t at = output.find("\n\n\r"); at != std::string::npos;
       at = output.find("\n\n\r", at + 1))
    warnings++;
  return warnings;
}

TEST(ReadConfigFile, DefaultsStandUntilALineSetsThem) {
  EXPECT_EQ(ReadConfig(""), 0);
  EXPECT_STREQ(Settings[LOGWITHAON], "T-Mail.log");
  EXPECT_STREQ(Settings[CALLERID], "CallerID");
  EXPECT_STREQ(Settings[IDLEN], "7");
  EXPECT_STREQ(Settings[TYPEPHONE], "YES");
  EXPECT_STREQ(Settings[TORNADOPATH], "C:\\TORNADO\\");
  EXPECT_STREQ(Settings[OUTFILE], "aon.tmp");
  EXPECT_STREQ(Settings[CIDMASK], "");
  EXPECT_STREQ(Settings[BADLIST], "BadPhone.lst");
  EXPECT_STREQ(Settings[GOODLIST], "GoodPhone.lst");
  EXPECT_EQ(ConfigLineCount, 0);
}

TEST(ReadConfigFile, TakesKeySpaceValueLinesUpperCased) {
  EXPECT_EQ(ReadConfig("IDLEN 7\nidlen   8\r\ntypephone yes\n"
                       "LOGWITHAON c:\\t-mail\\t-mail.log\n"
                       "BadList   my list.lst \n"),
            0);
  EXPECT_STREQ(Settings[IDLEN], "8");
  EXPECT_STREQ(Settings[TYPEPHONE], "YES");
  EXPECT_STREQ(Settings[LOGWITHAON], "C:\\T-MAIL\\T-MAIL.LOG");
  EXPECT_STREQ(Settings[BADLIST], "MY LIST.LST ");
  EXPECT_EQ(ConfigLineCount, 5);
  // Cyrillic letters are upper-cased too, yo excepted.
  ReadConfig("GOODLIST \xA0\xE0\xF1.lst\n");
  EXPECT_STREQ(Settings[GOODLIST], "\x80\x90\xF1.LST");
}

TEST(ReadConfigFile, ATrailingBlankStaysInTheValue) {
  ReadConfig("TYPEPHONE YES \n");
  EXPECT_STREQ(Settings[TYPEPHONE], "YES ");
}

TEST(ReadConfigFile, CommentsAndCuts) {
  EXPECT_EQ(ReadConfig(";IDLEN 5\n   ;indented remark\nIDLEN 8 ;eight\n"), 0);
  EXPECT_STREQ(Settings[IDLEN], "8");
  EXPECT_EQ(ConfigLineCount, 3);
  // The value keeps its own last character, and loses the blanks before ';'.
  ReadConfig("IDLEN 8;eight\nTYPEPHONE YES  ;x\n");
  EXPECT_STREQ(Settings[IDLEN], "8");
  EXPECT_STREQ(Settings[TYPEPHONE], "YES");
  ReadConfig("IDLEN ;nothing\n");
  EXPECT_STREQ(Settings[IDLEN], "");
}

TEST(ReadConfigFile, TheLastLineKeepsItsLastCharacterWithoutALineFeed) {
  ReadConfig("GOODLIST good.lst");
  EXPECT_STREQ(Settings[GOODLIST], "GOOD.LST");
}

TEST(ReadConfigFile, BadLinesWarnAndChangeNothing) {
  EXPECT_EQ(ReadConfig("IDLEN 6\n\nFOO bar\nCIDMASK\n   \nIDLEN\t9\n"), 5);
  EXPECT_STREQ(Settings[IDLEN], "6");
  EXPECT_STREQ(Settings[CIDMASK], "");
  EXPECT_EQ(ConfigLineCount, 6);
  EXPECT_EQ(ReadConfig("CIDMASK \n"), 0);
  EXPECT_STREQ(Settings[CIDMASK], "");
}

TEST(ReadConfigFile, OverLongLinesComeInPieces) {
  // 254 characters, then the line feed alone: a bad line of its own.
  std::string path(254 - 8, 'P');
  EXPECT_EQ(ReadConfig("OUTFILE " + path + "\nIDLEN 5\n"), 1);
  EXPECT_STREQ(Settings[OUTFILE], path.c_str());
  EXPECT_STREQ(Settings[IDLEN], "5");
  EXPECT_EQ(ConfigLineCount, 3);
}

TEST(ReadConfigFile, TornadoPathEndsWithABackslash) {
  ReadConfig("TORNADOPATH D:\\BBS\n");
  EXPECT_STREQ(Settings[TORNADOPATH], "D:\\BBS\\");
  ReadConfig("TORNADOPATH D:\\BBS\\\n");
  EXPECT_STREQ(Settings[TORNADOPATH], "D:\\BBS\\");
  ReadConfig("TORNADOPATH \n");
  EXPECT_STREQ(Settings[TORNADOPATH], "\\");
  ReadConfig("TORNADOPATH " + std::string(242, 'T') + "\n");
  EXPECT_EQ(std::string(Settings[TORNADOPATH]), std::string(242, 'T') + "\\");
}

TEST(ReadConfigFile, NulBytesAndCtrlZEndTheText) {
  EXPECT_EQ(ReadConfig(std::string("IDLEN 4\0junk\nOUTFILE x\x1AIDLEN 9\n", 32)), 0);
  EXPECT_STREQ(Settings[IDLEN], "4");
  EXPECT_STREQ(Settings[OUTFILE], "X");
}

TEST(SettingAsInteger, ReadsTheLeadingNumberAndClamps) {
  EXPECT_EQ(SettingAsInteger("7"), 7);
  EXPECT_EQ(SettingAsInteger(" \t+12abc"), 12);
  EXPECT_EQ(SettingAsInteger("-3"), -3);
  EXPECT_EQ(SettingAsInteger(""), 0);
  EXPECT_EQ(SettingAsInteger("X7"), 0);
  EXPECT_EQ(SettingAsInteger("- 7"), 0);
  EXPECT_EQ(SettingAsInteger("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(SettingAsInteger("-99999999999999999999999999"), INT_MIN);
  EXPECT_EQ(SettingAsInteger("2147483648"), INT_MAX);
  EXPECT_EQ(SettingAsInteger("-2147483648"), INT_MIN);
}

}  // namespace
