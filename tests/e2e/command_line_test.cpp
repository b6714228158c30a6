// The command line and the configuration file, seen from a BBS script:
// exit codes and what is left on disk; and ringcheck-explain's command
// line, which chooses a report by its switches wherever they stand.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "run_program.h"
#include "station.h"
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

struct ExplainerLine {
  std::vector<std::string> arguments;
  int exit_code;
  const char *said;  // somewhere in the output
};

// Each report chosen by its switch wherever it stands, "--" ending the
// switches; and each argument that has no place, named, with 5.
const ExplainerLine kExplainerLines[] = {
    {{"ringcheck.cfg", "--calls"}, 0, "ringcheck-explain --calls:"},
    {{"ringcheck.cfg", "--", "--calls"}, 0, "Login name: \"--calls\""},
    {{"-h"}, 0, "Usage: ringcheck-explain"},
    {{"ringcheck.cfg", "--users"}, 0, "ringcheck-explain --users:"},
    {{"ringcheck.cfg", "\"Ivan", "Petrov\""}, 0, "Login name: \"Ivan Petrov\""},
    {{"ringcheck.cfg", "\"Ivan", "Petrov\"", "x"}, 5,
     "The argument \"x\" has no place on the command line."},
    {{"--calls", "ringcheck.cfg", "777*", "555*"}, 5,
     "The argument \"555*\" has no place"},
    {{"/USERS", "ringcheck.cfg", "BBS"}, 5, "The argument \"BBS\" has no"},
    {{"ringcheck.cfg", "--Ivan"}, 5, "Unknown switch \"--Ivan\"."},
    {{"--users", "ringcheck.cfg", "/csv"}, 5,
     "The switches \"/csv\" and \"--users\" cannot go together."},
    {{"--calls", "ringcheck.cfg", "--to", "Sysop"}, 5,
     "The switch \"--to\" needs --netmail beside it."},
    {{"--calls", "ringcheck.cfg", "--netmail", "mail"}, 5,
     "The switch \"--netmail\" needs --address beside it."},
    {{"--calls", "ringcheck.cfg", "--netmail", "mail", "--address", "2:5020/1",
      "--CSV=;"},
     5, "The switches \"--netmail\" and \"--CSV=;\" cannot go together."},
    {{"--calls", "ringcheck.cfg", "--csv=;;"}, 5,
     "The switch \"--csv=;;\" wants one separator character"},
    {{"ringcheck.cfg", "/csv:;"}, 0, "line"},
    {{"--calls", "ringcheck.cfg", "--since"}, 5,
     "The switch \"--since\" needs a value after it."},
};

TEST(ExplainerCommandLine, ChoosesTheReportAndRefusesWhatHasNoPlace) {
  Station station;
  station.Write("T-Mail.log", "14:05:01 CallerID: 123-45-67 1\r\n");
  station.WriteUsers({{"Ivan Petrov", "123-45-67", "", "Moscow", ""}});
  for (const ExplainerLine &line : kExplainerLines) {
    ProgramRun run = RunExplainerIn(station.dir.path, line.arguments);
    EXPECT_EQ(run.exit_code, line.exit_code) << line.said;
    EXPECT_NE(run.output.find(line.said), std::string::npos)
        << line.said << "\n--- in ---\n" << run.output;
    if (line.exit_code == 5) {
      EXPECT_NE(run.output.find("the command line was refused"),
                std::string::npos)
          << run.output;
    }
  }
  EXPECT_FALSE(FileExists(station.dir / "mail"));
}

}  // namespace
