#include "explain/report/phone_keys.h"

#include <algorithm>
#include <cstring>

#include "checks/subscriber.h"

namespace {

// The number part of a key: its value and, below it, its length, so that
// 0123 and 123 differ and numbers of one length sort by their value.
uint64_t NumberPart(uint64_t value, size_t length) {
  return value * 10 + length;
}

}  // namespace

uint64_t PhoneKey(const char *number, int64_t record) {
  uint64_t value = 0;
  size_t length = strlen(number);
  if (length == 0 || length > kCallerNumberCapacity ||
      record < 0 || record >= kKeyRecordLimit)
    return kNoPhoneKey;
  for (size_t i = 0; i < length; i++) {
    if (number[i] < '0' || number[i] > '9')
      return kNoPhoneKey;
    value = value * 10 + static_cast<uint64_t>(number[i] - '0');
  }
  return NumberPart(value, length) << kKeyRecordBits |
         static_cast<uint64_t>(record);
}

int64_t RecordOfKey(uint64_t key) {
  return static_cast<int64_t>(key & (kKeyRecordLimit - 1));
}

uint64_t NumberPartOfKey(uint64_t key) { return key >> kKeyRecordBits; }

void NumberOfKey(uint64_t key, KeyNumber number) {
  uint64_t part = NumberPartOfKey(key);
  size_t length = static_cast<size_t>(part % 10);
  uint64_t value = part / 10;
  for (size_t i = length; i > 0; i--) {
    number[i - 1] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  number[length] = '\0';
}

int AddPhoneKeys(PhoneKeys *keys, const unsigned char *record, int64_t index,
                 int idlen, int shortest) {
  char phones[2][kUserPhoneCapacity + 1];
  TakeUserPhones(record, phones[0], phones[1]);
  uint64_t first = UINT64_MAX;
  int kept = 0;
  for (char *phone : phones) {
    NormalizePhone(phone, idlen);
    size_t digits = strlen(phone);
    if (digits == 0 || digits > kCallerNumberCapacity ||
        digits < static_cast<size_t>(shortest))
      continue;
    uint64_t key = PhoneKey(phone, index);
    if (key == first)
      continue;
    first = key;
    keys->push_back(key);
    kept++;
  }
  return kept;
}

int64_t FirstRecordWithNumber(const PhoneKeys &keys, const char *number) {
  uint64_t key = PhoneKey(number, 0);
  if (key == kNoPhoneKey)
    return -1;
  auto found = std::lower_bound(keys.begin(), keys.end(), key);
  if (found == keys.end() || NumberPartOfKey(*found) != NumberPartOfKey(key))
    return -1;
  return RecordOfKey(*found);
}

void KeysBetween(const PhoneKeys &keys, int idlen, uint64_t low, uint64_t high,
                 size_t *from, size_t *to) {
  size_t length = static_cast<size_t>(idlen);
  *from = static_cast<size_t>(
      std::lower_bound(keys.begin(), keys.end(),
                       NumberPart(low, length) << kKeyRecordBits) -
      keys.begin());
  *to = static_cast<size_t>(
      std::lower_bound(keys.begin(), keys.end(),
                       NumberPart(high, length) << kKeyRecordBits) -
      keys.begin());
}
