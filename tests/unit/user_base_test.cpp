#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "run/text_helpers.h"
#include "test_files.h"
#include "user_base_writer.h"

namespace {

std::string Normalized(const char *phone, int idlen) {
  char buffer[32];
  CopyText(buffer, sizeof buffer - 1, phone);
  NormalizePhone(buffer, idlen);
  return buffer;
}

TEST(NormalizePhone, KeepsTheLastIdlenDigits) {
  EXPECT_EQ(Normalized("8(095)123-45-67", 7), "1234567");
  EXPECT_EQ(Normalized("123-45-67", 7), "1234567");
  EXPECT_EQ(Normalized("8 812 555-12-34", 7), "5551234");
  EXPECT_EQ(Normalized("8(095)123-45-67", 6), "234567");
  // Fewer digits than IDLEN: all of them.
  EXPECT_EQ(Normalized("45-67", 7), "4567");
  // Letters, signs and Cyrillic bytes are dropped; none left is empty.
  EXPECT_EQ(Normalized("+7 \xAD\xAE\xAC\xA5\xE0 12", 7), "712");
  EXPECT_EQ(Normalized("no phone", 7), "");
  EXPECT_EQ(Normalized("1234567", 0), "");
  EXPECT_EQ(Normalized("1234567", -3), "");
}

// Runs the lookup in-process on a users.tor of these bytes.
struct Lookup {
  TempDir bbs;
  explicit Lookup(const std::string &bytes, const char *caller_number,
                  const char *idlen = "7") {
    WriteFileBytes(bbs / "users.tor", bytes);
    ResetSettings();
    ResetCallerNumber();
    ResetSubscriber();
    CopyText(Settings[TORNADOPATH], kSettingCapacity, (bbs.path + "/").c_str());
    CopyText(Settings[IDLEN], kSettingCapacity, idlen);
    CopyText(CallerNumber, kCallerNumberCapacity, caller_number);
    LookUpUser();
  }
};

const UserEntry kIvan = {"Ivan Petrov", "8(095)123-45-67", "", "Moscow",
                         "1970-01-01"};
const UserEntry kOlga = {"Olga Sidorova", "", "555-12-34", "Tver", "sysop"};
const UserEntry kOlgaTwin = {"Olga's husband", "555-12-34", "", "Tver", "x"};

void ExpectOlga() {
  EXPECT_STREQ(UserName, "Olga Sidorova");
  EXPECT_STREQ(UserField373, "Tver");
  EXPECT_STREQ(UserField534, "sysop");
}

TEST(LookUpUser, TakesTheFirstRecordWithEitherPhone) {
  std::string base = UserBaseBytes({kIvan, kOlga, kOlgaTwin});
  {
    Lookup lookup(base, "1234567");
    EXPECT_STREQ(UserName, "Ivan Petrov");
    EXPECT_STREQ(UserField373, "Moscow");
    EXPECT_STREQ(UserField534, "1970-01-01");
  }
  {
    // Olga's second phone; her husband's record carries it later.
    Lookup lookup(base, "5551234");
    EXPECT_STREQ(UserName, "Olga Sidorova");
    EXPECT_STREQ(UserField373, "Tver");
    EXPECT_STREQ(UserField534, "sysop");
  }
  {
    // With IDLEN 6 the stored phone keeps six digits only.
    Lookup lookup(base, "1234567", "6");
    EXPECT_STREQ(UserName, "");
  }
  {
    Lookup lookup(base, "234567", "6");
    EXPECT_STREQ(UserName, "Ivan Petrov");
  }
}

TEST(LookUpUser, ReadsOnlyWholeRecords) {
  std::string three = UserBaseBytes({kIvan, kIvan, kIvan});
  // The match in bytes after the last whole record is not a record.
  std::string tail = UserRecordBytes(kOlga).substr(0, 623);
  {
    Lookup lookup(three + tail, "5551234");
    EXPECT_STREQ(UserName, "");
  }
  {
    Lookup lookup(tail, "5551234");
    EXPECT_STREQ(UserName, "");
  }
  {
    Lookup lookup("", "5551234");
    EXPECT_STREQ(UserName, "");
  }
}

TEST(LookUpUser, AMatchWithAnEmptyNameLeavesUserNameEmpty) {
  UserEntry nameless = kOlga;
  nameless.name = "";
  Lookup lookup(UserBaseBytes({nameless}), "5551234");
  EXPECT_STREQ(UserName, "");
  EXPECT_STREQ(UserField373, "Tver");
}

TEST(LookUpUser, ComparesPhonesUpToTheirFirstNul) {
  // Text behind the last digit, and a digit behind a NUL, which ends the
  // phone as the comparison reads it.
  for (const std::string &phone :
       {std::string("555-12-34 home"), std::string("555-12-34\0 9", 12)}) {
    UserEntry entry = kOlga;
    entry.phone2 = phone;
    Lookup lookup(UserBaseBytes({entry}), "5551234");
    ExpectOlga();
  }
}

TEST(LookUpUser, OverlongLengthBytesKeepTheFirstBytesUpToTheCapacity) {
  UserEntry entry = {std::string(40, 'N'), "123-45-67", "", "0123456789ABCDE",
                     "0123456789ABCDEFGHIJKLMNOP"};
  std::string record = UserRecordBytes(entry);
  // The BBS never writes such lengths; a damaged record must not overrun
  // anything.  The phone's 15 bytes hold its digits and filler.
  record[kUserPhone1At] = static_cast<char>(200);
  record[kUserField373At] = static_cast<char>(255);
  Lookup lookup(record, "1234567");
  EXPECT_EQ(std::string(UserName), std::string(37, 'N'));
  EXPECT_STREQ(UserField373, "0123456789ABCDE");
  EXPECT_STREQ(UserField534, "0123456789ABCDEFGH");
}

// A base of filler records with the given entries at their indices.
std::string BaseWith(size_t records,
                     const std::vector<std::pair<size_t, UserEntry>> &placed) {
  const UserEntry filler = {"Filler", "111-11-11", "222-22-22", "-", "-"};
  std::string bytes = UserBaseBytes({filler});
  bytes.reserve(records * kUserRecordBytes);
  for (size_t i = 1; i < records; i++)
    bytes += bytes.substr(0, kUserRecordBytes);
  for (const auto &entry : placed)
    bytes.replace(entry.first * kUserRecordBytes, kUserRecordBytes,
                  UserRecordBytes(entry.second));
  return bytes;
}

TEST(LookUpUser, FindsEveryRecordOfABase) {
  // Small bases are read in smaller blocks than large ones; whatever the
  // blocks, every record, cut by an edge or not, is found.
  std::vector<UserEntry> entries;
  for (int i = 0; i < 400; i++) {
    std::string number = std::to_string(7000000 + i);
    entries.push_back({"User " + std::to_string(i), "", "8-812-" + number,
                       "-", "-"});
  }
  TempDir bbs;
  WriteUserBase(bbs / "users.tor", entries);
  ResetSettings();
  CopyText(Settings[TORNADOPATH], kSettingCapacity, (bbs.path + "/").c_str());
  for (int i = 0; i < 400; i++) {
    ResetSubscriber();
    CopyText(CallerNumber, kCallerNumberCapacity,
             std::to_string(7000000 + i).c_str());
    LookUpUser();
    ASSERT_EQ(std::string(UserName), "User " + std::to_string(i));
  }
}

// A base this large is read through the whole block.
const size_t kWholeBlockRecords =
    16 * kUserBaseBlockSize / kUserRecordBytes + 1;

TEST(LookUpUser, FindsRecordsThatABlockEdgeCutsInALargeBase) {
  // The first edge falls between the record's name and its phones.
  size_t first_cut = kUserBaseBlockSize / kUserRecordBytes;
  ASSERT_NE(kUserBaseBlockSize % kUserRecordBytes, 0u);
  {
    Lookup lookup(BaseWith(kWholeBlockRecords, {{first_cut, kOlga}}),
                  "5551234");
    ExpectOlga();
  }
  // Some later edge cuts through a phone field itself; that phone alone
  // carries the number.
  size_t phone_cut = 0;
  bool second_phone = false;
  for (size_t edge = kUserBaseBlockSize; phone_cut == 0;
       edge += kUserBaseBlockSize) {
    size_t offset = edge % kUserRecordBytes;
    if (offset > kUserPhone1At && offset < kUserPhone2At + 16) {
      phone_cut = edge / kUserRecordBytes;
      second_phone = offset > kUserPhone2At;
    }
    ASSERT_LT(edge, 64 * kUserBaseBlockSize);
  }
  UserEntry cut = kOlga;
  cut.phone1 = second_phone ? "" : "8(812)555-12-34";
  cut.phone2 = second_phone ? "8(812)555-12-34" : "";
  size_t records = std::max(kWholeBlockRecords, phone_cut + 2);
  Lookup lookup(BaseWith(records, {{phone_cut, cut}}), "5551234");
  ExpectOlga();
}

TEST(LookUpUser, ReadsABaseThatEndsWithinABlock) {
  // The last whole record and the broken one behind it lie in the final,
  // partly filled block.
  size_t records = kWholeBlockRecords + 5;
  std::string base = BaseWith(records, {{records - 1, kOlga}});
  ASSERT_NE(base.size() % kUserBaseBlockSize, 0u);
  std::string broken = UserRecordBytes(kIvan).substr(0, 500);
  {
    Lookup lookup(base + broken, "5551234");
    ExpectOlga();
  }
  {
    Lookup lookup(base + broken, "1234567");
    EXPECT_STREQ(UserName, "");
  }
}

}  // namespace
