// ringcheck-explain: the facts its report gives for a call, the exit code
// ringcheck would give, and that it leaves every file as it found it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "station.h"

namespace {

const char kCallLog[] =
    "14:04:58 RING\r\n"
    "14:05:01 CallerID: 123-45-67 1\r\n"
    "14:05:09 CONNECT 33600/ARQ/V34\r\n";
const UserEntry kIvan = {"Ivan Petrov", "8(095)123-45-67", "", "Moscow",
                         "2:5020/123.7"};

// Every line of the report fits a console of 80 columns.
void ExpectNarrowLines(const std::string &report) {
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    if (end == std::string::npos)
      end = report.size();
    EXPECT_LE(end - start, 80u) << report.substr(start, end - start);
    start = end + 1;
  }
}

struct ExplainCase {
  const char *name;
  const char *config;  // after TORNADOPATH BBS\ .
  const char *log;
  const char *banned;
  const char *exempt;
  int exit_code;
  std::vector<std::string> facts;  // each one somewhere in the report
};

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
      "empty, the last caller-id line gave 5 of 8 digits"}},
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
    {"MaskAndMissingLists", "CIDMASK *XXXXXX\r\nBADLIST none.lst\r\n", kCallLog,
     "", "", 0,
     {"Mask \"*XXXXXX\": 1234567 before, 234567 after",
      "BADLIST \"NONE.LST\"\n  missing", "no record has the phone 234567"}},
};

class Explain : public testing::TestWithParam<ExplainCase> {};

TEST_P(Explain, ReportsTheFactsAndTheExitCode) {
  const ExplainCase &c = GetParam();
  Station station;
  station.Configure(c.config);
  station.Write("T-Mail.log", c.log);
  station.WriteUsers({kIvan});
  if (c.banned[0] != '\0')
    station.Write("BadPhone.lst", c.banned);
  if (c.exempt[0] != '\0')
    station.Write("GoodPhone.lst", c.exempt);
  ProgramRun run = station.Explain({"Ivan Petrov"});
  EXPECT_EQ(run.exit_code, c.exit_code);
  for (const std::string &fact : c.facts)
    EXPECT_NE(run.output.find(fact), std::string::npos)
        << fact << "\n--- in ---\n" << run.output;
  ExpectNarrowLines(run.output);
  // ringcheck itself agrees on the exit code.
  EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, c.exit_code);
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
  EXPECT_NE(run.output.find("none given"), std::string::npos) << run.output;
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
