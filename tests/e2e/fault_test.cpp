// Files that are there but will not serve: directories in their place,
// files the program may not read or write, files whose reads fail.  Each
// ends as a missing file would, never in a crash.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "station.h"

namespace {

const char kCallLog[] =
    "14:05:01 CallerID: 123-45-67 1\r\n"
    "14:05:09 CONNECT 33600/ARQ/V34\r\n";
const UserEntry kIvan = {"Ivan Petrov", "123-45-67", "", "Moscow", "point"};

// A station where the caller is Ivan, banned and exempt alike, so that
// each list that is read shows in the exit code.
void LayOutCall(Station *station) {
  station->Write("T-Mail.log", kCallLog);
  station->WriteUsers({kIvan});
  station->Write("BadPhone.lst", "123-45-67\r\n");
  station->Write("GoodPhone.lst", "Ivan Petrov\r\n");
}

void MakeDirectory(const std::string &path) {
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0) << path;
}

TEST(Faults, DirectoriesWhereFilesAreExpected) {
  struct Case {
    const char *directory;
    int exit_code;
  };
  const Case cases[] = {
      {"T-Mail.log", 1},     // the log cannot be opened
      {"BBS/users.tor", 2},  // nor the user base
      {"BadPhone.lst", 4},   // a list that cannot be opened is skipped
      {"BBS/aon.tmp", 7},    // the result file cannot be created
  };
  for (const Case &c : cases) {
    Station station;
    LayOutCall(&station);
    remove((station.dir / c.directory).c_str());
    MakeDirectory(station.dir / c.directory);
    EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, c.exit_code)
        << c.directory;
  }
}

// Runs the program as the unprivileged user nobody: root reads and writes
// whatever the permission bits say.  The build may lie where only root
// can enter (a clone in root's home, a mktemp -d folder), so nobody runs a
// copy of the program, in a directory of its own that every user may
// enter.
ProgramRun RunAsNobody(Station *station,
                       const std::vector<std::string> &name_arguments) {
  TempDir bin;
  std::string program = bin / "ringcheck";
  WriteFileBytes(program, ReadFileBytes(ProgramUnderTest()));
  chmod(program.c_str(), 0755);
  chmod(bin.path.c_str(), 0755);
  chmod(station->dir.path.c_str(), 0755);
  chmod((station->dir / "BBS").c_str(), 0777);
  pid_t child = fork();
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
      _exit(120);
    if (access(station->dir.path.c_str(), X_OK) != 0 ||
        access(program.c_str(), X_OK) != 0)
      _exit(121);
    setenv("RINGCHECK_BINARY", program.c_str(), 1);
    _exit(station->Run(name_arguments).exit_code & 0xFF);
  }
  int status = 0;
  waitpid(child, &status, 0);
  int exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  EXPECT_NE(exit_code, 121)
      << "nobody cannot enter " << station->dir.path << " or " << bin.path
      << ": set TMPDIR to a directory every user may enter";
  return {exit_code, "", ""};
}

TEST(Faults, FilesThatMayNotBeReadOrWritten) {
  if (TestingWindowsBuild())
    GTEST_SKIP() << "POSIX permission bits";
  struct Case {
    const char *file;
    int exit_code;
  };
  const Case cases[] = {
      {"ringcheck.cfg", 5}, {"T-Mail.log", 1},   {"BBS/users.tor", 2},
      {"BadPhone.lst", 4},  {"GoodPhone.lst", 0}, {"BBS/aon.tmp", 7},
  };
  for (const Case &c : cases) {
    Station station;
    LayOutCall(&station);
    if (std::string(c.file) == "BBS/aon.tmp")
      station.Write(c.file, "earlier run\r\n");
    // The exempt list shows only where no number is banned.
    if (std::string(c.file) == "GoodPhone.lst")
      remove((station.dir / "BadPhone.lst").c_str());
    ASSERT_EQ(chmod((station.dir / c.file).c_str(), 0), 0);
    ProgramRun run = geteuid() == 0 ? RunAsNobody(&station, {"Ivan Petrov"})
                                    : station.Run({"Ivan Petrov"});
    EXPECT_EQ(run.exit_code, c.exit_code) << c.file;
  }
}

TEST(Faults, AFileWhoseReadsFailEndsLikeItsEnd) {
  if (TestingWindowsBuild())
    GTEST_SKIP() << "needs /proc";
  // Opening one's own memory works; reading its first page fails.
  Station station;
  LayOutCall(&station);
  station.Configure("BADLIST /proc/self/mem\r\n");
  EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, 4);
  station.Configure("LOGWITHAON /proc/self/mem\r\n");
  EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, 0);
  EXPECT_EQ(station.Result(), CrLfLines({"", "", "", "", "", "0"}));
}

}  // namespace
