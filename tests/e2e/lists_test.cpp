// The banned-number and exempt-name lists as a sysop writes them, and the
// login name as a BBS script passes it.
#include <gtest/gtest.h>

#include <string>

#include "station.h"

namespace {

const char kCallLog[] =
    "14:05:01 CallerID: 123-45-67 1\r\n"
    "14:05:09 CONNECT 33600/ARQ/V34\r\n";
const UserEntry kIvan = {"Ivan Petrov", "123-45-67", "", "Moscow", "point"};

struct ListCase {
  std::string lines;
  int exit_code;
};

TEST(Lists, ABannedNumberEndsWith3BeforeTheExemptCheck) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  station.Write("GoodPhone.lst", "Ivan Petrov\r\n");
  station.Write("BadPhone.lst", "; pranks\r\n123-45-67   ; night calls\r\n");
  EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, 3);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov", "point", "Moscow", "1234567", "1", "3",
                       "CONNECT 33600/ARQ/V34"}));
  // Without the banned list the exempt name counts.
  remove((station.dir / "BadPhone.lst").c_str());
  EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, 4);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov", "point", "Moscow", "1234567", "1", "4",
                       "CONNECT 33600/ARQ/V34"}));
}

TEST(Lists, BannedEntriesAreTheDigitsAndWildcardsOfALine) {
  const ListCase cases[] = {
      {"(123) 45-67\r\n", 3},
      {"123-45-6?\r\n", 3},
      {"12*\r\n", 3},
      {";1234567\r\n", 0},            // a comment
      {"8 095 123-45-67\r\n", 0},     // compared from the first digit
      {"1234567", 3},                 // no line end on the last line
      {"\r\n   ; remark\r\n", 0},     // empty patterns ban one digit only
      {"555-12-34\r\n123-45-67\r\n", 3},
  };
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  for (const ListCase &c : cases) {
    station.Write("BadPhone.lst", c.lines);
    EXPECT_EQ(station.Run().exit_code, c.exit_code) << c.lines;
  }
}

TEST(Lists, EmptyBannedEntriesBanAOneDigitNumber) {
  Station station;
  station.Configure("IDLEN 1\r\nTYPEPHONE NO\r\n");
  station.Write("T-Mail.log", "CallerID: 5\r\n");
  station.Write("BadPhone.lst", "7\r\n   ; remark\r\n");
  station.WriteUsers({});
  EXPECT_EQ(station.Run().exit_code, 3);
  EXPECT_EQ(station.Result(), CrLfLines({"", "", "", "5", "", "3"}));
}

TEST(Lists, ABannedEntryKeepsItsFirst15PatternCharacters) {
  // With 15 characters kept, the bound for an eight-digit number is 11 and
  // the three question marks match the number's end.  Kept whole, the
  // line would be compared one place further, where a 0 meets that end.
  Station station;
  station.Configure("IDLEN 8\r\nTYPEPHONE NO\r\n");
  station.Write("T-Mail.log", "CallerID: 1234-5678\r\n");
  station.WriteUsers({});
  station.Write("BadPhone.lst", "12345678???0000 00\r\n");
  EXPECT_EQ(station.Run().exit_code, 3);
  station.Write("BadPhone.lst", "12345678??00000\r\n");
  EXPECT_EQ(station.Run().exit_code, 0);
}

TEST(Lists, ExemptNamesAreComparedExactly) {
  const ListCase cases[] = {
      {"Ivan Petrov", 4},
      {"Sysop\nIvan Petrov\nOlga\n", 4},
      {"   Ivan Petrov;remark\r\n", 4},
      {"Ivan Petrov ;remark\r\n", 0},  // the blank before ';' stays
      {"ivan petrov\r\n", 0},
      {";Ivan Petrov\r\n", 0},
      {"\r\n   ;\r\n", 0},              // empty names match no login name
      // A line is read in pieces of 254: the rest is a line of its own.
      {std::string(254, 'A') + "Ivan Petrov\r\n", 4},
      {std::string(253, 'A') + "Ivan Petrov\r\n", 0},
  };
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  for (const ListCase &c : cases) {
    station.Write("GoodPhone.lst", c.lines);
    EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, c.exit_code) << c.lines;
  }
}

TEST(Lists, TheLoginNameComesWholeOrInTwoQuotedHalves) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  station.Write("GoodPhone.lst", "Ivan Petrov\r\n\"Ivan\r\n");
  EXPECT_EQ(station.Run({"\"Ivan", "Petrov\""}).exit_code, 4);
  EXPECT_EQ(station.Run({"\"Ivan", "Petrov\"", "ignored"}).exit_code, 4);
  EXPECT_EQ(station.Run({"\"Ivan"}).exit_code, 4);
  // Halves without their quotes, or no name at all: no check.
  EXPECT_EQ(station.Run({"Ivan", "Petrov"}).exit_code, 0);
  EXPECT_EQ(station.Run().exit_code, 0);
  // Nor when the number is nobody's.
  station.WriteUsers({});
  EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, 0);
}

}  // namespace
