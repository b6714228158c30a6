// Writes users.tor files for tests: 624-byte records holding the five
// length-prefixed strings the program reads.  Every other byte of a record
// is 0xFF, so that a reader that strays past a string's length sees
// garbage instead of a convenient zero.
#ifndef RINGCHECK_TESTS_USER_BASE_WRITER_H
#define RINGCHECK_TESTS_USER_BASE_WRITER_H

#include <string>
#include <vector>

struct UserEntry {
  std::string name;
  std::string phone1;
  std::string phone2;
  std::string field373;
  std::string field534;
};

constexpr size_t kUserRecordBytes = 624;
constexpr size_t kUserNameAt = 0;
constexpr size_t kUserField373At = 373;
constexpr size_t kUserPhone1At = 389;
constexpr size_t kUserPhone2At = 405;
constexpr size_t kUserField534At = 534;

// One record.  A string must fit before the next field (the name may run to
// 372 bytes, each 16-byte field to 15, field 534 to 89); throws otherwise.
std::string UserRecordBytes(const UserEntry &entry);
std::string UserBaseBytes(const std::vector<UserEntry> &entries);
void WriteUserBase(const std::string &path,
                   const std::vector<UserEntry> &entries);

#endif
