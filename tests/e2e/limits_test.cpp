// Input at and past the limits: files of gigabytes, control bytes in the
// text files, lines at the edge of a read piece, length bytes that claim
// more than a record field holds, and command lines of great size.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "station.h"

namespace {

const char kCall[] =
    "14:05:01 CallerID: 123-45-67 1\r\n"
    "14:05:09 CONNECT 33600/ARQ/V34\r\n";
const char kConnectLine[] = "CONNECT 33600/ARQ/V34";
const UserEntry kIvan = {"Ivan Petrov", "123-45-67", "", "Moscow", "point"};
const UserEntry kOlga = {"Olga Sidorova", "", "555-12-34", "Tver", "sysop"};

constexpr int64_t kThreeGiB = int64_t{3} << 30;

// A file of size bytes that holds nothing but these bytes at offset; the
// rest is a hole that takes no room on the disk.
void WriteSparseFile(const std::string &path, int64_t size, int64_t offset,
                     const std::string &bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << path;
  ASSERT_EQ(ftruncate(fd, size), 0);
  ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), offset),
            static_cast<ssize_t>(bytes.size()));
  close(fd);
}

TEST(Limits, AUserBaseOf3GiBIsSearchedToItsLastRecord) {
  // Beyond 2 GiB an offset no longer fits 32 signed bits.  The bytes after
  // the last whole record belong to none.
  Station station;
  station.Write("T-Mail.log", kCall);
  int64_t records = kThreeGiB / kUserRecordBytes;
  WriteSparseFile(station.dir / "BBS/users.tor",
                  records * kUserRecordBytes + 100,
                  (records - 1) * kUserRecordBytes, UserRecordBytes(kIvan));
  EXPECT_EQ(station.Run().exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov", "point", "Moscow", "1234567", "1", "0",
                       kConnectLine}));
}

// Past 2 GiB a size no longer fits 32 signed bits, past 4 GiB no 32 bits
// at all.  A Ctrl-Z just before the last 4000 bytes ends the text of any
// read that starts earlier, so that a wrong start shows as a lost call,
// not only as a slow one.
TEST(Limits, OnlyTheTailOfAMailerLogOfGigabytesIsRead) {
  Station station;
  station.WriteUsers({kOlga});
  std::string call = std::string("\r\n") + kCall;
  std::string tail = "\x1A" + std::string(4000 - call.size(), '\0') + call;
  for (int64_t size : {kThreeGiB, (int64_t{4} << 30) + 1000}) {
    WriteSparseFile(station.dir / "T-Mail.log", size,
                    size - static_cast<int64_t>(tail.size()), tail);
    EXPECT_EQ(station.Run().exit_code, 0) << size;
    EXPECT_EQ(station.Result(),
              CrLfLines({"", "", "", "1234567", "1", "0", kConnectLine}))
        << size;
  }
}

// The call history reads the whole log, past 4 GiB too, and a tail that
// must be scanned on its own there (a Ctrl-Z ends ringcheck's reading) is
// found at its 64-bit offset.  The first line is the 4 GiB hole.
TEST(Limits, TheCallHistoryReadsALogPast4GiBWhole) {
  if (ProgramRunsSlowly())
    GTEST_SKIP() << "reads 4 GiB through an emulator or valgrind";
  Station station;
  station.WriteUsers({kIvan, kOlga});
  std::string tail =
      "\r\n 23:01:00 CallerID: 555-12-34 3\r\n 23:01:09 CONNECT 2400\r\n"
      "\x1A\r\n 23:02:10 CallerID: 123-45-67 1\r\n 23:02:19 CONNECT 33600\r\n";
  int64_t size = (int64_t{4} << 30) + 1000;
  WriteSparseFile(station.dir / "T-Mail.log", size,
                  size - static_cast<int64_t>(tail.size()), tail);
  ProgramRun run =
      RunExplainerIn(station.dir.path, {"--calls", "--csv", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 0);
  // ringcheck run after the last line stops at the Ctrl-Z: Olga's call.
  std::string csv = run.output;
  csv.erase(std::remove(csv.begin(), csv.end(), '\r'), csv.end());
  EXPECT_EQ(csv.substr(csv.find("\n3,")),
            "\n3,23:01:09,5551234,3,yes,0,2,Olga Sidorova,,,5551234,,caller,\n"
            "6,23:02:19,5551234,3,yes,0,2,Olga Sidorova,,,1234567,,caller,"
            "\n");
  EXPECT_EQ(station.Run().exit_code, 0);
  EXPECT_EQ(station.Result(), CrLfLines({"Olga Sidorova", "sysop", "Tver",
                                         "5551234", "3", "0",
                                         "CONNECT 2400"}));
}

// The history's table a number holds half a million numbers: the calls of
// later ones are counted once each, in the totals alone, and numbers a
// pattern leaves out take no room in it.  A base of more records than a
// report can number is said as that by the audit and the history.
TEST(Limits, TheReportsSayWhatTheirTablesCannotHold) {
  if (ProgramRunsSlowly())
    GTEST_SKIP() << "a log of a million lines through an emulator or valgrind";
  Station station;
  station.WriteUsers({kOlga});
  std::string log;
  auto call = [&log](int number) {
    char lines[64];
    snprintf(lines, sizeof lines, "CallerID: %07d 1\r\nCONNECT 2400\r\n",
             number);
    log += lines;
  };
  constexpr int kTableNumbers = 1 << 19;
  for (int number = 0; number < kTableNumbers + 100; number++)
    call(1000000 + number);
  for (int number = kTableNumbers; number < kTableNumbers + 100; number++)
    call(1000000 + number);
  for (int number = 0; number < 10; number++)
    call(9000000 + number);
  station.Write("T-Mail.log", log);
  ProgramRun run = RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.output.find("  more calls, in the totals only: 210 (from "
                            "numbers past the first 524288)"),
            std::string::npos);
  run = RunExplainerIn(station.dir.path, {"--calls", "ringcheck.cfg", "9*"});
  EXPECT_EQ(run.output.find("past the first"), std::string::npos);
  EXPECT_NE(run.output.find("  9000009         1      1  unknown"),
            std::string::npos);

  WriteSparseFile(station.dir / "BBS/users.tor",
                  ((int64_t{1} << 30) + 1) * kUserRecordBytes, 0,
                  UserRecordBytes(kIvan));
  for (const char *report : {"--users", "--calls"}) {
    run = RunExplainerIn(station.dir.path, {report, "ringcheck.cfg"});
    EXPECT_EQ(run.exit_code, 6) << report;
    EXPECT_NE(run.output.find("  records: 1073741825, more than a report can "
                              "number (at most 1073741824)"),
              std::string::npos)
        << report << run.output.substr(0, 2000);
    EXPECT_NE(run.output.find("exit code 6: users.tor has more records than "
                              "a report can number"),
              std::string::npos)
        << report;
  }
}

TEST(Limits, ControlBytesInTheMailerLog) {
  struct Case {
    std::string log;
    std::vector<std::string> result;
  };
  const Case cases[] = {
      // A NUL byte ends the text of its line: nothing stands behind the
      // marker but a separator, so the number is void.
      {std::string("CallerID:\0 123-45-67 1\r\nCONNECT 9600\r\n", 38),
       {"", "", "", "", "", "0", "CONNECT 9600"}},
      // Nothing after a Ctrl-Z is read.
      {std::string("RING\r\n\x1A") + kCall, {"", "", "", "", "", "0"}},
      {std::string(kCall) + "\x1A" + "CallerID: 555-12-34 3\r\n",
       {"", "", "", "1234567", "1", "0", kConnectLine}},
      // A lone CR is dropped: the two lines are one, which holds both.
      {"CallerID: 123-45-67 1\rCONNECT 9600\r\n",
       {"", "", "", "1234567", "1", "0", "CONNECT 9600"}},
  };
  Station station;
  station.WriteUsers({});
  for (const Case &c : cases) {
    station.Write("T-Mail.log", c.log);
    EXPECT_EQ(station.Run().exit_code, 0) << c.log;
    EXPECT_EQ(station.Result(), CrLfLines(c.result)) << c.log;
  }
}

TEST(Limits, ControlBytesAndPieceEdgesInTheLists) {
  struct Case {
    const char *list;
    std::string lines;
    int exit_code;
  };
  const Case cases[] = {
      {"BadPhone.lst", "\x1A" "123-45-67\r\n", 0},
      {"BadPhone.lst", std::string("123\0" "45-67\r\n", 11), 0},
      // Lone CRs end no line: one long pattern that starts with 5.
      {"BadPhone.lst", "555-12-34\r123-45-67\r", 0},
      // Lines are read in pieces of 254; the rest is a line of its own.
      {"BadPhone.lst", std::string(254, 'x') + "123-45-67\r\n", 3},
      {"BadPhone.lst", std::string(253, 'x') + "123-45-67\r\n", 0},
      {"GoodPhone.lst", std::string("Ivan Petrov\0\r\n", 14), 4},
      {"GoodPhone.lst", "Sysop\rIvan Petrov\r", 0},
      {"GoodPhone.lst", "Sysop\r\n\x1AIvan Petrov\r\n", 0},
  };
  for (const Case &c : cases) {
    Station station;
    station.Write("T-Mail.log", kCall);
    station.WriteUsers({kIvan});
    station.Write(c.list, c.lines);
    EXPECT_EQ(station.Run({"Ivan Petrov"}).exit_code, c.exit_code)
        << c.list << ": " << c.lines;
  }
}

TEST(Limits, LengthBytesOf255InEveryStringOfARecord) {
  // Each string keeps what its buffer holds, the record's filler bytes
  // (0xFF) after the text included; the second phone still matches.
  UserEntry ivan = kIvan;
  ivan.phone1 = "";
  ivan.phone2 = "123-45-67";
  std::string record = UserRecordBytes(ivan);
  for (size_t at : {kUserNameAt, kUserField373At, kUserPhone1At, kUserPhone2At,
                    kUserField534At})
    record[at] = '\xFF';
  Station station;
  station.Write("T-Mail.log", kCall);
  // The last record of the file: a read past its end finds nothing.
  station.Write("BBS/users.tor", UserRecordBytes(kOlga) + record);
  EXPECT_EQ(station.Run().exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov" + std::string(26, '\xFF'),
                       "point" + std::string(13, '\xFF'),
                       "Moscow" + std::string(9, '\xFF'), "1234567", "1", "0",
                       kConnectLine}));
}

TEST(Limits, CommandLinesOfGreatSize) {
  Station station;
  station.Write("T-Mail.log", kCall);
  station.WriteUsers({kIvan});
  station.Write("GoodPhone.lst", "Ivan Petrov\r\n");
  // 10,000 arguments: the name's two halves count, the rest is ignored.
  std::vector<std::string> many = {"\"Ivan", "Petrov\""};
  many.resize(9999, "x");
  EXPECT_EQ(station.Run(many).exit_code, 4);

  // A Windows command line holds at most 32,767 characters in all.
  if (TestingWindowsBuild())
    return;
  // Arguments of 100 KiB.  A name is cut to 255 characters, longer than
  // any list line, so it is nobody's.
  std::string huge(100 * 1024, 'I');
  EXPECT_EQ(station.Run({huge}).exit_code, 0);
  EXPECT_EQ(station.Run({"\"" + huge, huge + "\""}).exit_code, 0);
  EXPECT_EQ(station.Result(),
            CrLfLines({"Ivan Petrov", "point", "Moscow", "1234567", "1", "0",
                       kConnectLine}));
  // A configuration path that long names no file.
  EXPECT_EQ(RunProgramIn(station.dir.path, {huge}).exit_code, 5);
}

}  // namespace
