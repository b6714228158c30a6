#include "run/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

#include "test_files.h"

namespace {

// Every piece the reader gives for the bytes, with pieces of the length.
std::vector<std::string> Pieces(const std::string &bytes, size_t piece) {
  TempDir dir;
  WriteFileBytes(dir / "text", bytes);
  ScopedFile file;
  EXPECT_TRUE(OpenFileForReading((dir / "text").c_str(), &file));
  TextReader reader;
  BeginTextReading(&reader, &file);
  std::vector<std::string> pieces;
  std::vector<char> line(piece + 1);
  while (ReadLinePiece(&reader, line.data(), piece))
    pieces.emplace_back(line.data());
  return pieces;
}

using Lines = std::vector<std::string>;

TEST(TextReader, DropsEveryCarriageReturnAndStopsAtCtrlZ) {
  EXPECT_EQ(Pieces("a\r\nb\rc\n", 10), (Lines{"a\n", "bc\n"}));
  EXPECT_EQ(Pieces("one\ntwo\x1Athree\n", 10), (Lines{"one\n", "two"}));
  EXPECT_EQ(Pieces("\x1A" "after", 10), Lines{});
  EXPECT_EQ(Pieces("", 10), Lines{});
  EXPECT_EQ(Pieces("last", 10), Lines{"last"});
}

TEST(TextReader, SplitsLongLinesLikeFgets) {
  // A line exactly as long as the piece comes as itself, then a lone LF.
  std::string exact(254, 'x');
  EXPECT_EQ(Pieces(exact + "\n", 254), (Lines{exact, "\n"}));
  std::string longer(300, 'y');
  EXPECT_EQ(Pieces(longer + "\n", 254),
            (Lines{std::string(254, 'y'), std::string(46, 'y') + "\n"}));
  // Carriage returns do not count toward the piece.
  EXPECT_EQ(Pieces("ab\r\r\rc\n", 3), (Lines{"abc", "\n"}));
}

TEST(TextReader, ANulByteEndsTheVisibleText) {
  EXPECT_EQ(Pieces(std::string("ab\0cd\nef\n", 9), 10), (Lines{"ab", "ef\n"}));
}

TEST(TextReader, ReadsAcrossItsBufferEdge) {
  std::string bytes;
  for (int i = 0; i < 200; i++)
    bytes += "line " + std::to_string(i) + "\r\n";
  Lines pieces = Pieces(bytes, 254);
  ASSERT_EQ(pieces.size(), 200u);
  EXPECT_EQ(pieces[199], "line 199\n");
}

TEST(TextWriter, StoresLineFeedsAsCrLf) {
  TempDir dir;
  ScopedFile file;
  ASSERT_TRUE(OpenFileForWriting((dir / "out").c_str(), &file));
  TextWriter writer;
  BeginTextWriting(&writer, &file);
  WriteText(&writer, "a\nb");
  for (int i = 0; i < 600; i++)
    WriteTextByte(&writer, '\n');
  EXPECT_TRUE(FlushTextWriter(&writer));
  EXPECT_TRUE(CloseFile(&file));
  std::string expected = "a\r\nb";
  for (int i = 0; i < 600; i++)
    expected += "\r\n";
  EXPECT_EQ(ReadFileBytes(dir / "out"), expected);
}

TEST(TextWriter, ReplacesALongerFileWhole) {
  TempDir dir;
  WriteFileBytes(dir / "out", std::string(5000, 'x'));
  {
    // Left by the unwinding of a run: still no old bytes behind the new.
    ScopedFile file;
    ASSERT_TRUE(OpenFileForWriting((dir / "out").c_str(), &file));
    ASSERT_TRUE(OsWriteBytes(&file.file, "new", 3));
  }
  EXPECT_EQ(ReadFileBytes(dir / "out"), "new");
  ScopedFile file;
  ASSERT_TRUE(OpenFileForWriting((dir / "out").c_str(), &file));
  EXPECT_TRUE(CloseFile(&file));
  EXPECT_EQ(ReadFileBytes(dir / "out"), "");
}

TEST(Files, PathsAreTakenDosStyleAndIgnoringCase) {
  TempDir dir;
  WriteFileBytes(dir / "T-Mail.log", "log");
  ASSERT_EQ(mkdir((dir / "Bbs").c_str(), 0700), 0);
  WriteFileBytes(dir / "Bbs/users.tor", "u");
  ScopedFile file;
  EXPECT_TRUE(OpenFileForReading((dir.path + "/T-MAIL.LOG").c_str(), &file));
  ScopedFile inner;
  EXPECT_TRUE(OpenFileForReading((dir.path + "\\BBS\\USERS.TOR").c_str(), &inner));
  ScopedFile missing;
  EXPECT_FALSE(OpenFileForReading((dir.path + "\\BBS\\NONE").c_str(), &missing));
  ScopedFile directory;
  EXPECT_FALSE(OpenFileForReading((dir / "Bbs").c_str(), &directory));
}

TEST(Files, CreationKeepsTheGivenNameUnlessAnotherCaseExists) {
  TempDir dir;
  ASSERT_EQ(mkdir((dir / "Bbs").c_str(), 0700), 0);
  WriteFileBytes(dir / "Bbs/aon.tmp", "old");
  {
    ScopedFile file;
    ASSERT_TRUE(OpenFileForWriting((dir.path + "\\BBS\\AON.TMP").c_str(), &file));
    ASSERT_TRUE(OsWriteBytes(&file.file, "new", 3));
  }
  EXPECT_EQ(ReadFileBytes(dir / "Bbs/aon.tmp"), "new");
  EXPECT_FALSE(FileExists(dir / "Bbs/AON.TMP"));
  {
    ScopedFile file;
    ASSERT_TRUE(OpenFileForWriting((dir.path + "\\BBS\\NEW.TMP").c_str(), &file));
  }
  EXPECT_TRUE(FileExists(dir / "Bbs/NEW.TMP"));
}

TEST(Files, PathsOver255CharactersCannotBeOpened) {
  TempDir dir;
  std::string name(255 - dir.path.size() - 1, 'n');
  WriteFileBytes(dir / name, "x");
  ScopedFile fits;
  EXPECT_TRUE(OpenFileForReading((dir / name).c_str(), &fits));
  ScopedFile too_long;
  EXPECT_FALSE(OpenFileForReading((dir.path + "/./" + name).c_str(), &too_long));
  ScopedFile not_created;
  EXPECT_FALSE(OpenFileForWriting((dir.path + "/./" + name).c_str(), &not_created));
}

}  // namespace
