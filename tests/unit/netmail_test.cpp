// The stored message as FTS-0001 lays it out, read back byte by byte, and
// the name it gets among the folder's messages: never one taken, never 1,
// and nothing left behind.
#include <dirent.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "explain/report/netmail.h"
#include "test_files.h"

namespace {

unsigned Word(const std::string &bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::string Field(const std::string &bytes, size_t at, size_t size) {
  std::string field = bytes.substr(at, size);
  return field.substr(0, field.find('\0'));
}

std::set<std::string> Names(const std::string &folder) {
  std::set<std::string> names;
  DIR *directory = opendir(folder.c_str());
  while (struct dirent *entry = readdir(directory))
    if (entry->d_name[0] != '.')
      names.insert(entry->d_name);
  closedir(directory);
  return names;
}

FidoAddress Address(const char *text) {
  FidoAddress address;
  EXPECT_TRUE(ReadFidoAddress(text, &address)) << text;
  return address;
}

NetmailWritten Write(const std::string &folder, const char *from,
                     const char *to, std::string *path) {
  NetmailEnvelope envelope = {Address(from), Address(to), "ringcheck",
                              "Sysop", "Calls 2024-03-12: 7",
                              "ringcheck-explain 0.3beta2"};
  BeginNetmailText();
  AddNetmailLine("Calls kept: from 2024-03-12 to 2024-03-12");
  AddNetmailLine("");
  AddNetmailLine("\x87\xa2\xae\xad\xaa\xa8");  // code page 866 as it is
  char written[512] = "";
  NetmailWritten result = WriteNetmail(folder.c_str(), envelope, written);
  *path = written;
  return result;
}

TEST(Netmail, HeaderKludgesAndTextAsStored) {
  struct Case {
    const char *from, *to;
    unsigned attributes;
    const char *kludges;  // before the MSGID
  } cases[] = {
      // To the station itself: Sent, as it needs no sending.
      {"2:5020/100", "2:5020/100", 0x0109, "\1INTL 2:5020/100 2:5020/100\r"},
      // To the sysop's point: packed for it.
      {"2:5020/100", "2:5020/100.1", 0x0101,
       "\1INTL 2:5020/100 2:5020/100\r\1TOPT 1\r"},
      {"2:5020/100.7", "1:234/5", 0x0101,
       "\1INTL 1:234/5 2:5020/100\r\1FMPT 7\r"},
  };
  for (const Case &c : cases) {
    TempDir folder;
    std::string path;
    ASSERT_EQ(Write(folder.path, c.from, c.to, &path), kNetmailWritten);
    std::string bytes = ReadFileBytes(path);
    FidoAddress from = Address(c.from), to = Address(c.to);
    EXPECT_EQ(Field(bytes, 0, 36), "ringcheck");
    EXPECT_EQ(Field(bytes, 36, 36), "Sysop");
    EXPECT_EQ(Field(bytes, 72, 72), "Calls 2024-03-12: 7");
    std::string date = Field(bytes, 144, 20);
    EXPECT_EQ(date.size(), 19u);
    EXPECT_EQ(date.substr(9, 2), "  ") << date;
    EXPECT_EQ(Word(bytes, 164), 0u);  // times read
    EXPECT_EQ(Word(bytes, 166), unsigned(to.node));
    EXPECT_EQ(Word(bytes, 168), unsigned(from.node));
    EXPECT_EQ(Word(bytes, 170), 0u);  // cost
    EXPECT_EQ(Word(bytes, 172), unsigned(from.net));
    EXPECT_EQ(Word(bytes, 174), unsigned(to.net));
    EXPECT_EQ(Word(bytes, 176), unsigned(to.zone));
    EXPECT_EQ(Word(bytes, 178), unsigned(from.zone));
    EXPECT_EQ(Word(bytes, 180), unsigned(to.point));
    EXPECT_EQ(Word(bytes, 182), unsigned(from.point));
    EXPECT_EQ(Word(bytes, 186), c.attributes) << c.to;
    std::string text = bytes.substr(190);
    ASSERT_EQ(text.compare(0, strlen(c.kludges), c.kludges), 0) << text;
    text = text.substr(strlen(c.kludges));
    std::string msgid = std::string("\1MSGID: ") + c.from + " ";
    ASSERT_EQ(text.compare(0, msgid.size(), msgid), 0) << text;
    EXPECT_EQ(text.find_first_not_of("0123456789abcdef", msgid.size()),
              msgid.size() + 8);
    text = text.substr(msgid.size() + 9);
    EXPECT_EQ(text,
              "\1PID: ringcheck-explain 0.3beta2\r\1CHRS: CP866 2\r"
              "Calls kept: from 2024-03-12 to 2024-03-12\r\r"
              "\x87\xa2\xae\xad\xaa\xa8\r" +
                  std::string(1, '\0'));
  }
}

// The number after the highest message, never 1, in the letter case most
// of the messages have; anything else in the folder counts for nothing.
TEST(Netmail, NamedAfterTheHighestMessageInTheirCase) {
  struct Case {
    std::vector<std::string> there;
    const char *written;
  } cases[] = {
      {{}, "2.msg"},
      {{"1.msg"}, "2.msg"},
      {{"1.MSG", "7.MSG"}, "8.MSG"},
      {{"3.msg", "12.MSG", "5.msg"}, "13.msg"},
      {{"9.MSG", "10.MSG", "8.msg", "echotoss.log", "99.PKT", "123456789.MSG",
        "x.MSG", "RC000001.TMP"},
       "11.MSG"},
  };
  for (const Case &c : cases) {
    TempDir folder;
    for (const std::string &name : c.there)
      WriteFileBytes(folder / name, "kept " + name);
    std::string path;
    ASSERT_EQ(Write(folder.path, "2:5020/100", "2:5020/100", &path),
              kNetmailWritten);
    EXPECT_EQ(path, folder / c.written);
    std::set<std::string> names(c.there.begin(), c.there.end());
    names.insert(c.written);
    EXPECT_EQ(Names(folder.path), names);
    for (const std::string &name : c.there)
      EXPECT_EQ(ReadFileBytes(folder / name), "kept " + name);
  }
}

// A text past the most a message holds ends at a whole line, with the note
// that says so after it.
TEST(Netmail, ATextTooLongEndsWithItsNote) {
  BeginNetmailText();
  std::string line(70, 'x');
  for (size_t i = 0; i < kNetmailTextCapacity / 70 + 10; i++)
    AddNetmailLine(line.c_str());
  AddNetmailLine("y");
  EXPECT_TRUE(NetmailTextFull());
  size_t length = NetmailTextLength();
  EXPECT_EQ(length % 71, 0u);
  EXPECT_GT(length, kNetmailTextCapacity - kNetmailNoteRoom - 71);
  AddNetmailNote("(cut)");
  EXPECT_EQ(NetmailTextLength(), length + 6);
}

TEST(Netmail, AFolderThatIsNotThereIsSaidSo) {
  TempDir folder;
  std::string path;
  EXPECT_EQ(Write(folder / "none", "2:5020/100", "2:5020/100", &path),
            kNetmailNoFolder);
  WriteFileBytes(folder / "file", "");
  EXPECT_EQ(Write(folder / "file", "2:5020/100", "2:5020/100", &path),
            kNetmailNoFolder);
}

}  // namespace
