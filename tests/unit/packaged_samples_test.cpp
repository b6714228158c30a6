// The sample files shipped in the Windows package must work as they are:
// a sysop who only corrects the paths should get no warning and no
// surprise match.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "config/settings.h"
#include "test_files.h"

namespace {

std::string Sample(const char *name) {
  return ReadFileBytes(std::string(RINGCHECK_SOURCE_DIR "/packaging/windows/") + name);
}

TEST(PackagedSamples, TheConfigurationReadsWithoutWarnings) {
  ResetSettings();
  testing::internal::CaptureStdout();
  ReadConfigFile(RINGCHECK_SOURCE_DIR "/packaging/windows/ringcheck.cfg");
  fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  // The result file where the user guide says it is, and no mask.
  EXPECT_STREQ(Settings[TORNADOPATH], "C:\\TORNADO\\");
  EXPECT_STREQ(Settings[OUTFILE], "AON.TMP");
  EXPECT_STREQ(Settings[CIDMASK], "");
  EXPECT_STREQ(Settings[TYPEPHONE], "YES");
}

// An empty entry is not harmless: in the banned list it matches every
// one-digit number, in the exempt list an empty login name.
TEST(PackagedSamples, TheListsHoldNoEmptyEntry) {
  for (const char *name : {"BadPhone.lst", "GoodPhone.lst"}) {
    std::istringstream lines(Sample(name));
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
      number++;
      if (line.compare(0, 1, ";") == 0)
        continue;
      line = line.substr(0, line.find(';'));
      EXPECT_NE(line.find_first_not_of(' '), std::string::npos)
          << name << " line " << number;
    }
    EXPECT_GT(number, 0) << name;
  }
}

}  // namespace
