// The command line and the configuration file, seen from a BBS script:
// exit codes and what is left on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "run_program.h"
#include "test_files.h"

namespace {

TEST(CommandLine, NoArgumentEndsWithStatus5AndNoResultFile) {
  TempDir station;
  ProgramRun run = RunProgramIn(station.path, {});
  EXPECT_EQ(run.exit_code, 5);
  // The warning's line breaks, then the banner's.
  EXPECT_EQ(run.output, "\n\n\r\n\n\n\n");
  EXPECT_FALSE(FileExists(station / "aon.tmp"));
}

TEST(CommandLine, AConfigurationFileThatCannotBeOpenedEndsWithStatus5) {
  TempDir station;
  ASSERT_EQ(mkdir((station / "dir.cfg").c_str(), 0700), 0);
  WriteFileBytes(station / "aon.tmp", "earlier run\r\n");
  for (const char *path : {"missing.cfg", "dir.cfg", "sub\\missing.cfg"}) {
    ProgramRun run = RunProgramIn(station.path, {path, "Ivan Petrov"});
    EXPECT_EQ(run.exit_code, 5) << path;
  }
  // An earlier result file stays as it was.
  EXPECT_EQ(ReadFileBytes(station / "aon.tmp"), "earlier run\r\n");
}

}  // namespace
