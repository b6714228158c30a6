#include "run/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "run/text_file.h"
#include "test_files.h"

namespace {

std::string Deleted(std::string text, int start, int count) {
  char buffer[64];
  CopyText(buffer, sizeof buffer - 1, text.c_str());
  return DeleteSpan(buffer, start, count);
}

std::string UpperCased(std::string text) {
  char buffer[64];
  CopyText(buffer, sizeof buffer - 1, text.c_str());
  return UpperCaseCp866(buffer);
}

TEST(DeleteSpan, RemovesSpansAndCutsAtTheEnd) {
  EXPECT_EQ(Deleted("abcdef", 0, 2), "cdef");
  EXPECT_EQ(Deleted("abcdef", 2, 1), "abdef");
  EXPECT_EQ(Deleted("abcdef", 0, 0), "abcdef");
  EXPECT_EQ(Deleted("abc", 4, 1), "abc");
  EXPECT_EQ(Deleted("abc", 3, 7), "abc");
  EXPECT_EQ(Deleted("abc", 1, 255), "a");
  EXPECT_EQ(Deleted("abc", 1, 2), "a");
  EXPECT_EQ(Deleted("IDLEN 7\n", 0, 5), " 7\n");
  EXPECT_EQ(Deleted("abc", -1, 1), "abc");
  EXPECT_EQ(Deleted("abc", 1, -1), "abc");
}

TEST(DeleteSpan, DroppingTheFirstCharacterTrimsLeadingSpaces) {
  char text[] = "   7";
  while (text[0] == ' ')
    DeleteSpan(text, 0, 1);
  EXPECT_STREQ(text, "7");
}

TEST(UpperCaseCp866, ChangesOnlyLatinAndCyrillicLowerCase) {
  EXPECT_EQ(UpperCased("a{z}1`"), "A{Z}1`");
  EXPECT_EQ(UpperCased("\xA0\xAF\xE0\xEF"), "\x80\x8F\x90\x9F");
  EXPECT_EQ(UpperCased("\xF1\xF0\x9F\xB0\xDF"), "\xF1\xF0\x9F\xB0\xDF");
  EXPECT_EQ(UpperCased(""), "");
  for (int byte = 1; byte < 256; byte++) {
    unsigned char upper = UpperCaseCp866Byte(static_cast<unsigned char>(byte));
    bool lower = (byte >= 0x61 && byte <= 0x7A) || (byte >= 0xA0 && byte <= 0xAF) ||
                 (byte >= 0xE0 && byte <= 0xEF);
    EXPECT_EQ(upper != byte, lower) << byte;
    EXPECT_NE(upper, 0);
  }
}

TEST(StreamLength, MeasuresWithoutMovingTheReadPosition) {
  TempDir dir;
  WriteFileBytes(dir / "empty", "");
  std::string hundred(100, 'x');
  hundred[0] = 'F';
  WriteFileBytes(dir / "hundred", hundred);

  ScopedFile empty;
  ASSERT_TRUE(OpenFileForReading((dir / "empty").c_str(), &empty));
  EXPECT_EQ(StreamLength(&empty.file), 0);

  ScopedFile file;
  ASSERT_TRUE(OpenFileForReading((dir / "hundred").c_str(), &file));
  EXPECT_EQ(StreamLength(&file.file), 100);
  char first = 0;
  ASSERT_EQ(OsReadBytes(&file.file, &first, 1), 1u);
  EXPECT_EQ(first, 'F');
}

}  // namespace
