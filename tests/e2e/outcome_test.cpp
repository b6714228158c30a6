// What a BBS script gets back for a call: the exit code and the seven
// lines of the result file, byte for byte.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "station.h"

namespace {

const char kCallLog[] =
    "14:04:58 RING\r\n"
    "14:05:01 CallerID: 123-45-67 1\r\n"
    "14:05:09 Connect 33600/ARQ/V34\r\n"
    "14:05:10 Passed to the BBS\r\n";
const char kConnectLine[] = "CONNECT 33600/ARQ/V34";
const UserEntry kIvan = {"Ivan Petrov", "8(095)123-45-67", "", "Moscow",
                         "2:5020/123.7"};
const UserEntry kOlga = {"Olga Sidorova", "", "555-12-34", "Tver", "sysop"};

TEST(Outcome, AKnownCallerEndsWith0AndTheSubscribersLines) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kOlga, kIvan});
  ProgramRun run = station.Run({"Ivan Petrov"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov", "2:5020/123.7", "Moscow", "1234567", "1",
                       "0", kConnectLine}));
}

// A household on one line: every call from it is the first record's, and
// the login does not change that.
TEST(Outcome, AHouseholdsLineIsTakenAsItsFirstRecord) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kOlga, kIvan, {"Anna Ivanova", "", "123-45-67", "Tver",
                                     "2:5020/123.8"}});
  EXPECT_EQ(station.Run({"Anna Ivanova"}).exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov", "2:5020/123.7", "Moscow", "1234567", "1",
                       "0", kConnectLine}));
}

TEST(Outcome, AnUnknownOrMissingNumberLeavesTheUserLinesEmpty) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kOlga});
  EXPECT_EQ(station.Run().exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"", "", "", "1234567", "1", "0", kConnectLine}));

  // No number: the user base is not even looked at, and without a CONNECT
  // line the file ends with the status line.
  station.Write("T-Mail.log", "14:05:01 RING\r\n14:05:40 NO CARRIER\r\n");
  remove((station.dir / "BBS/users.tor").c_str());
  EXPECT_EQ(station.Run().exit_code, 0);
  EXPECT_EQ(station.Result(), CrLfLines({"", "", "", "", "", "0"}));
}

TEST(Outcome, AMissingMailerLogEndsWith1) {
  Station station;
  station.WriteUsers({kIvan});
  EXPECT_EQ(station.Run().exit_code, 1);
  EXPECT_EQ(station.Result(), "\r\n\r\n\r\n\r\n\r\n1\r\n");
}

TEST(Outcome, AMissingUserBaseEndsWith2AfterSayingError) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.Write("BadPhone.lst", "*\r\n");
  ProgramRun run = station.Run();
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.output.substr(0, 9), "Error!\n\n\r");
  // The lists are not read: the star would have banned the caller.
  EXPECT_EQ(station.Result(),
            CrLfLines({"", "", "", "1234567", "1", "2", kConnectLine}));
}

TEST(Outcome, AResultFileThatCannotBeStoredEndsWith7) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({kIvan});
  station.Write("BadPhone.lst", "123*\r\n");
  // No such directory: 7 stands in for the banned number's 3.
  station.Configure("OUTFILE nowhere\\aon.tmp\r\n");
  EXPECT_EQ(station.Run().exit_code, 7);

  // A joined path of more than 255 characters is refused whole, though
  // each part alone would do here: no file of a cut name appears.
  std::string deeper = std::string(20, 'D');
  std::string name = std::string(245, 'R');
  ASSERT_EQ(mkdir((station.dir / ("BBS/" + deeper)).c_str(), 0700), 0);
  station.Write("T-Mail.log", "14:05:01 RING\r\n");
  station.Configure("TORNADOPATH BBS\\" + deeper + "\\\r\nOUTFILE " + name +
                    "\r\n");
  EXPECT_EQ(station.Run().exit_code, 7);
  DIR *directory = opendir((station.dir / ("BBS/" + deeper)).c_str());
  ASSERT_NE(directory, nullptr);
  int entries = 0;
  while (readdir(directory) != nullptr)
    entries++;
  closedir(directory);
  EXPECT_EQ(entries, 2);  // . and ..
}

TEST(Outcome, AFullDiskEndsWith7) {
  if (TestingWindowsBuild())
    GTEST_SKIP() << "needs /dev/full";
  Station station;
  station.Write("T-Mail.log", "14:05:01 RING\r\n");
  station.Write("ringcheck.cfg", "TORNADOPATH /dev/\r\nOUTFILE full\r\n");
  // Creating the file works; every write to it fails.
  EXPECT_EQ(station.Run().exit_code, 7);
}

TEST(Outcome, LineBreaksInTheSubscribersStringsBecomeBlanks) {
  Station station;
  station.Write("T-Mail.log", kCallLog);
  station.WriteUsers({{"Ivan\rPetrov\n", "123-45-67", "", "Mos\x1A" "cow",
                       "\r\n\x1A\t\x7F\xFF"}});
  EXPECT_EQ(station.Run().exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov ", "   \t\x7F\xFF", "Mos cow", "1234567",
                       "1", "0", kConnectLine}));
}

}  // namespace
