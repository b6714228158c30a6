// The user base as keys: for each phone a call can match, the number the
// call must have and the record.  Sorted, they put the records of one
// number together in the order the lookup meets them, and the numbers in
// order of their digits, so that the first record with a number, or every
// number a pattern's leading digits allow, is a binary search away.  The
// audit and the call history read the base once into them.
#ifndef RINGCHECK_EXPLAIN_REPORT_PHONE_KEYS_H
#define RINGCHECK_EXPLAIN_REPORT_PHONE_KEYS_H

#include <cstdint>
#include <vector>

#include "capture/caller_number.h"

// A number of at most nine digits and its length take 34 bits; the
// record's index takes the rest.
constexpr int kKeyRecordBits = 30;
constexpr int64_t kKeyRecordLimit = int64_t{1} << kKeyRecordBits;

using PhoneKeys = std::vector<uint64_t>;
// The number of a key (kCallerNumberCapacity + 1 bytes).
using KeyNumber = char[kCallerNumberCapacity + 1];

// The key of a number of 1 to 9 digits on a record; kNoPhoneKey for any
// other text, which no key could tell from a shorter number.
constexpr uint64_t kNoPhoneKey = UINT64_MAX;
uint64_t PhoneKey(const char *number, int64_t record);
int64_t RecordOfKey(uint64_t key);
// The number with its length: keys of one number compare equal here.
uint64_t NumberPartOfKey(uint64_t key);
void NumberOfKey(uint64_t key, KeyNumber number);
// The keys of a record's two phones, each reduced as the lookup reduces it,
// kept when it has at least shortest digits (a phone matches a call's
// number only when it has as many digits); a phone that gives the other's
// key is kept once.  Returns how many were kept.
int AddPhoneKeys(PhoneKeys *keys, const unsigned char *record, int64_t index,
                 int idlen, int shortest);
// The first record of sorted keys with the phone number, or -1.
int64_t FirstRecordWithNumber(const PhoneKeys &keys, const char *number);
// The keys whose numbers are idlen digits from low to high - 1, as
// positions in sorted keys.
void KeysBetween(const PhoneKeys &keys, int idlen, uint64_t low, uint64_t high,
                 size_t *from, size_t *to);

#endif
