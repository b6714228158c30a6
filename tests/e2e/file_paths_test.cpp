// Paths and text files as a sysop writes them on the program's home
// platform: backslashes, any letter case, CR LF, a stray CR, a Ctrl-Z at
// the end.  The same cases run against every build of the program.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "run_program.h"
#include "test_files.h"

namespace {

// A configuration file whose two bad lines show that it was found and read
// as text: CR LF and a lone CR are dropped, and the line after the Ctrl-Z,
// a third bad one, is never read.  The settings make every other stage
// find its files in the station, so the run goes on to its end.
void MakeStation(const TempDir &station) {
  ASSERT_EQ(mkdir((station / "conf").c_str(), 0700), 0);
  ASSERT_EQ(mkdir((station / "bbs").c_str(), 0700), 0);
  WriteFileBytes(station / "conf/ringcheck.cfg",
                 "; sample\r\n"
                 "LOGWITHAON t-mail.log\r\n"
                 "TORNADOPATH bbs\r\n"
                 "FOO bar\r\n"
                 "IDLEN\r7\r\n"
                 "\x1a"
                 "JUNK here\r\n");
  WriteFileBytes(station / "t-mail.log", "");
  WriteFileBytes(station / "bbs/users.tor", "");
}

const char kTwoWarningsThenBanner[] = "\n\n\r\n\n\r\n\n\n\n";

TEST(FilePaths, DosStylePathsFindTheConfigurationFile) {
  TempDir station;
  MakeStation(station);
  std::vector<std::string> paths = {"conf\\ringcheck.cfg", "CONF\\RINGCHECK.CFG",
                                    "Conf/RingCheck.Cfg",
                                    ".\\conf\\..\\conf\\ringcheck.cfg"};
  if (TestingWindowsBuild()) {
    // Under Wine, drive Z: is the root of the host's file system.
    std::string absolute = "Z:" + (station / "conf/ringcheck.cfg");
    for (char &c : absolute)
      c = c == '/' ? '\\' : c;
    paths.push_back(absolute);
  }
  for (const std::string &path : paths) {
    ProgramRun run = RunProgramIn(station.path, {path});
    EXPECT_NE(run.exit_code, 5) << path;
    EXPECT_EQ(run.output, kTwoWarningsThenBanner) << path;
  }
}

}  // namespace
