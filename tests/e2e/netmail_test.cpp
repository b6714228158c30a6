// ringcheck-explain --calls --netmail: the history written as a netmail
// message into the station's netmail folder.  It never overwrites a
// message, leaves nothing behind when it cannot write one, refuses a bad
// address or name before writing anything, and the Windows build writes
// the bytes this platform's build does.  (A real tosser reads the message
// in tests/fidonet/.)
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "station.h"

namespace {

std::set<std::string> Names(const std::string &folder) {
  std::set<std::string> names;
  DIR *directory = opendir(folder.c_str());
  if (directory == nullptr)
    return names;
  while (struct dirent *entry = readdir(directory))
    if (entry->d_name[0] != '.')
      names.insert(entry->d_name);
  closedir(directory);
  return names;
}

struct SampleStation {
  TempDir dir;
  SampleStation() {
    std::filesystem::copy(RINGCHECK_SAMPLE_STATION, dir.path,
                          std::filesystem::copy_options::recursive);
    mkdir((dir / "netmail").c_str(), 0755);
  }
  ProgramRun Write(std::vector<std::string> more = {}) {
    std::vector<std::string> arguments = {"--calls", "ringcheck.cfg",
                                          "--netmail", "netmail",
                                          "--address", "2:5020/100"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return RunExplainerIn(dir.path, arguments);
  }
};

// The name a message gets in a folder of no messages: N.MSG on Windows,
// N.msg as Unix tossers read it.
std::string Named(int number) {
  return std::to_string(number) + (TestingWindowsBuild() ? ".MSG" : ".msg");
}

// A stored message is whole: its header, its text and the NUL that ends
// it, nothing after.
void ExpectWhole(const std::string &bytes) {
  ASSERT_GT(bytes.size(), 190u);
  EXPECT_EQ(bytes.find('\0', 190), bytes.size() - 1);
  EXPECT_NE(bytes.find("\1CHRS: CP866 2\r"), std::string::npos);
}

TEST(Netmail, AMessageIsNeverOverwritten) {
  {
    SampleStation station;
    ProgramRun run = station.Write();
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_EQ(Names(station.dir / "netmail"), std::set<std::string>{Named(2)});
    // The one line it prints names the file.
    EXPECT_NE(run.output.find(Named(2)), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;
    ExpectWhole(ReadFileBytes(station.dir / ("netmail/" + Named(2))));
  }
  {
    SampleStation station;
    WriteFileBytes(station.dir / "netmail/1.MSG", "high-water mark");
    WriteFileBytes(station.dir / "netmail/7.MSG", "a letter");
    EXPECT_EQ(station.Write().exit_code, 0);
    EXPECT_EQ(Names(station.dir / "netmail"),
              (std::set<std::string>{"1.MSG", "7.MSG", "8.MSG"}));
    EXPECT_EQ(ReadFileBytes(station.dir / "netmail/1.MSG"), "high-water mark");
    EXPECT_EQ(ReadFileBytes(station.dir / "netmail/7.MSG"), "a letter");
    ExpectWhole(ReadFileBytes(station.dir / "netmail/8.MSG"));
  }
  {
    // Two runs at once: two messages, whatever the order they name theirs.
    SampleStation station;
    ProgramRun first;
    std::thread other([&] { first = station.Write(); });
    ProgramRun second = station.Write();
    other.join();
    EXPECT_EQ(first.exit_code, 0);
    EXPECT_EQ(second.exit_code, 0);
    EXPECT_EQ(Names(station.dir / "netmail"),
              (std::set<std::string>{Named(2), Named(3)}));
    for (const std::string &name : Names(station.dir / "netmail"))
      ExpectWhole(ReadFileBytes(station.dir / ("netmail/" + name)));
  }
}

// A folder made so that nobody writes into it, root too: immutable, where
// the file system and the privileges allow it, else without write
// permission for a user who is not root.  False when neither holds.
bool MakeUnwritable(const std::string &folder) {
  if (geteuid() != 0)
    return chmod(folder.c_str(), 0555) == 0;
  std::string command = "chattr +i '" + folder + "' 2>/dev/null";
  if (system(command.c_str()) != 0)
    return false;
  std::string probe = folder + "/probe";
  FILE *file = fopen(probe.c_str(), "w");
  if (file == nullptr)
    return true;
  fclose(file);
  remove(probe.c_str());
  return false;
}

void MakeWritable(const std::string &folder) {
  chmod(folder.c_str(), 0755);
  if (geteuid() == 0 &&
      system(("chattr -i '" + folder + "' 2>/dev/null").c_str()) != 0)
    ADD_FAILURE() << "chattr -i " << folder;
}

// A folder that is not there, a full disk (where a file system can be
// mounted), a folder nobody may write in: 7, and nothing left there.
TEST(Netmail, AFolderItCannotWriteInEndsWith7AndNothingLeft) {
  SampleStation station;
  rmdir((station.dir / "netmail").c_str());
  ProgramRun run = station.Write();
  EXPECT_EQ(run.exit_code, 7) << run.output;
  EXPECT_NE(run.output.find("netmail"), std::string::npos) << run.output;
  EXPECT_FALSE(FileExists(station.dir / "netmail"));

  mkdir((station.dir / "netmail").c_str(), 0755);
  // A full disk: a file system of one page, filled; the message's
  // temporary file is made, then cannot be written, and goes.
  std::string folder = station.dir / "netmail";
  if (system(("mount -t tmpfs -o size=4k tmpfs '" + folder +
              "' 2>/dev/null").c_str()) == 0) {
    WriteFileBytes(folder + "/filler", std::string(4096, 'x'));
    run = station.Write();
    std::set<std::string> left = Names(folder);
    if (system(("umount '" + folder + "'").c_str()) != 0)
      ADD_FAILURE() << "umount " << folder;
    EXPECT_EQ(run.exit_code, 7) << run.output;
    EXPECT_EQ(left, std::set<std::string>{"filler"});
  }

  if (!MakeUnwritable(folder))
    GTEST_SKIP() << "no folder can be made unwritable here: root, and "
                    "chattr +i refused";
  run = station.Write();
  MakeWritable(folder);
  EXPECT_EQ(run.exit_code, 7) << run.output;
  EXPECT_EQ(Names(folder), std::set<std::string>{});
}

TEST(Netmail, ABadAddressOrNameWritesNothingAndEndsWith5) {
  const std::vector<std::vector<std::string>> refused = {
      {"--address", "2:5020"},
      {"--to-address", "5020/100"},
      {"--to-address", "2:5020/40000"},
      {"--to", "A name of thirty-six characters, too"},
      {"--to", ""},
  };
  for (const std::vector<std::string> &more : refused) {
    SampleStation station;
    ProgramRun run = station.Write(more);
    EXPECT_EQ(run.exit_code, 5) << more[0] << " " << more[1];
    EXPECT_NE(run.output.find(more[0]), std::string::npos) << run.output;
    EXPECT_EQ(Names(station.dir / "netmail"), std::set<std::string>{});
  }
}

// A name typed in Cyrillic reaches the header in the code page the message
// declares, whatever the command line came in.
TEST(Netmail, ACyrillicNameIsWrittenInCodePage866) {
  if (TestingWindowsBuild())
    GTEST_SKIP() << "the Windows build takes it from the ANSI code page";
  SampleStation station;
  ProgramRun run = station.Write({"--to", "Вася Пупкин"});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  std::string bytes = ReadFileBytes(station.dir / ("netmail/" + Named(2)));
  EXPECT_EQ(bytes.substr(36, 12),
            std::string("\x82\xa0\xe1\xef \x8f\xe3\xaf\xaa\xa8\xad\0", 12));
}

// A night of many calls that need the sysop: about 12 KB of their rows, then
// how many more there are and the command that lists them all.
TEST(Netmail, PastAbout12KBOfRowsItSaysHowManyMore) {
  Station station;
  std::string log;
  for (int call = 0; call < 400; call++)
    log += " 21:00:00 RING\r\n 21:00:09 CONNECT 2400\r\n";
  station.Write("T-Mail.log", log);
  station.WriteUsers({});
  mkdir((station.dir / "netmail").c_str(), 0755);
  ProgramRun run = RunExplainerIn(
      station.dir.path, {"--calls", "ringcheck.cfg", "--netmail", "netmail",
                         "--address", "2:5020/100", "--since", "2024-03-12"});
  ASSERT_EQ(run.exit_code, 5) << run.output;  // the log gives no date
  run = RunExplainerIn(station.dir.path,
                       {"--calls", "ringcheck.cfg", "--netmail", "netmail",
                        "--address", "2:5020/100"});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  std::string message = ReadFileBytes(station.dir / ("netmail/" + Named(2)));
  std::string rows = message.substr(message.find("Calls that need you"));
  EXPECT_GT(rows.size(), 11000u);
  EXPECT_LT(rows.size(), 13000u);
  size_t more = rows.find("  and ");
  ASSERT_NE(more, std::string::npos);
  long shown = 0;
  for (size_t at = 0; (at = rows.find("no caller-id line", at)) < more; at++)
    shown++;
  EXPECT_EQ(rows.substr(more),
            "  and " + std::to_string(400 - shown) +
                " more such calls; they are all listed by\r"
                "  ringcheck-explain --calls ringcheck.cfg\r" +
                std::string(1, '\0'));
  EXPECT_NE(message.find("Calls all: 400, no number 400"), std::string::npos);

  // The command gives the days asked for as dates, whenever it is run.
  std::string dated;
  for (int call = 0; call < 400; call++)
    dated += "12.03.2024 21:00:00 RING\r\n12.03.2024 21:00:09 CONNECT\r\n";
  station.Write("T-Mail.log", dated);
  remove((station.dir / ("netmail/" + Named(2))).c_str());
  run = RunExplainerIn(station.dir.path,
                       {"--calls", "ringcheck.cfg", "--netmail", "netmail",
                        "--address", "2:5020/100", "--since", "2024-03-12",
                        "--until", "today 23:00"});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  message = ReadFileBytes(station.dir / ("netmail/" + Named(2)));
  EXPECT_NE(message.find("  ringcheck-explain --calls --since 2024-03-12 "
                         "--until \"20"),
            std::string::npos)
      << message.substr(message.size() - 300);
}

// A log that cannot be opened gives no message: the files read are said
// instead, as the report says them, and ringcheck's exit code.
TEST(Netmail, ALogThatCannotBeOpenedIsSaidAndNoMessageWritten) {
  SampleStation station;
  remove((station.dir / "T-Mail.log").c_str());
  ProgramRun run = station.Write();
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.output.find("Mailer log"), std::string::npos) << run.output;
  EXPECT_EQ(Names(station.dir / "netmail"), std::set<std::string>{});
}

// The date and the MSGID's serial are the moment's; every other byte is
// the same on every platform.
std::string WithoutTheMoment(std::string bytes) {
  if (bytes.size() < 190)
    return bytes;
  bytes.replace(144, 20, 20, '#');
  size_t serial = bytes.find("\1MSGID: ");
  if (serial != std::string::npos) {
    serial = bytes.find(' ', serial + 8);
    if (serial != std::string::npos && serial + 9 <= bytes.size())
      bytes.replace(serial + 1, 8, 8, '#');
  }
  return bytes;
}

TEST(Netmail, TheWindowsBuildWritesTheBytesOfThisPlatformsOwn) {
  const std::vector<std::string> arguments = {
      "--calls",   "ringcheck.cfg", "--netmail",     "netmail",
      "--address", "2:5020/100.5",  "--to-address", "2:5020/100.1",
      "--to",      "Ivan Petrov"};
  SampleStation tested;
  ASSERT_EQ(RunExplainerIn(tested.dir.path, arguments).exit_code, 0);
  SampleStation native;
  ASSERT_EQ(RunNativeExplainerIn(native.dir.path, arguments).exit_code, 0);
  std::set<std::string> tested_names = Names(tested.dir / "netmail");
  std::set<std::string> native_names = Names(native.dir / "netmail");
  ASSERT_EQ(tested_names.size(), 1u);
  ASSERT_EQ(native_names.size(), 1u);
  std::string bytes =
      ReadFileBytes(tested.dir / ("netmail/" + *tested_names.begin()));
  std::string native_bytes =
      ReadFileBytes(native.dir / ("netmail/" + *native_names.begin()));
  EXPECT_EQ(WithoutTheMoment(bytes), WithoutTheMoment(native_bytes));
  ExpectWhole(bytes);
}

}  // namespace
