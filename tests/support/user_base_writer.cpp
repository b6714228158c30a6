#include "user_base_writer.h"

#include <stdexcept>

#include "test_files.h"

namespace {

void PutString(std::string *record, size_t at, size_t room,
               const std::string &text) {
  if (text.size() > room || text.size() > 255)
    throw std::invalid_argument("string does not fit its field: " + text);
  (*record)[at] = static_cast<char>(text.size());
  record->replace(at + 1, text.size(), text);
}

}  // namespace

std::string UserRecordBytes(const UserEntry &entry) {
  std::string record(kUserRecordBytes, '\xFF');
  PutString(&record, kUserNameAt, kUserField373At - 1, entry.name);
  PutString(&record, kUserField373At, 15, entry.field373);
  PutString(&record, kUserPhone1At, 15, entry.phone1);
  PutString(&record, kUserPhone2At, 15, entry.phone2);
  PutString(&record, kUserField534At, kUserRecordBytes - kUserField534At - 1,
            entry.field534);
  return record;
}

std::string UserBaseBytes(const std::vector<UserEntry> &entries) {
  std::string bytes;
  for (const UserEntry &entry : entries)
    bytes += UserRecordBytes(entry);
  return bytes;
}

void WriteUserBase(const std::string &path,
                   const std::vector<UserEntry> &entries) {
  WriteFileBytes(path, UserBaseBytes(entries));
}
