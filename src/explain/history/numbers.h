// The numbers of the history's calls: who each one is, as ringcheck's
// lookup and BADLIST check would find it, and a table a number that counts
// its calls.  users.tor is read once into phone keys, so that the first
// record with a number is a binary search away; of the records the calls
// name, the names are read again and kept, up to 8 MiB of them.  The table
// stops growing at half a million numbers, so that memory stays bounded
// however long the log; the calls of later numbers are counted in the
// totals only, and how many they were is said.
#ifndef RINGCHECK_EXPLAIN_HISTORY_NUMBERS_H
#define RINGCHECK_EXPLAIN_HISTORY_NUMBERS_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "explain/history/call.h"

struct ScopedFile;

// 32 bytes, so that the largest table takes 32 MiB.  A record index fits
// 32 bits (kKeyRecordLimit); a count past them stops there.
struct NumberSlot {
  uint64_t key;  // the number part of a phone key; 0: a free slot
  uint32_t calls;
  uint32_t connected;
  int32_t record;
  uint32_t name;
  int32_t banned_by;
  uint32_t turned_away;  // connections a pattern would turn away
};

// The most numbers the table holds.
constexpr size_t kMostNumbers = size_t{1} << 19;

void ForgetNumbers();
// BADLIST, under its heading, read by its check's own reader.
void ReadBannedPatterns();
// users.tor, under its heading, into phone keys; false, said, when it
// cannot be opened.  The base stays open in base for the names.
bool ReadSubscribers(ScopedFile *base);
bool SubscribersRead();
// Completes a call the history takes: the first record with each of its
// numbers (ringcheck's and its caller-id line's), the BADLIST line that
// bans each and the status ringcheck ends it with; a caller's call counted
// in the table under the number that rang.
// With a pattern (not null), also the status ringcheck would end it with
// were the pattern a line of BADLIST.
void LookUpCall(Call *call, const char *pattern);
// The name of a record, kept (name) or read again into read
// (kUserNameCapacity + 1 bytes).
const char *NameOfRecord(int64_t record, uint32_t name, char *read);
// The numbers the table counts, the most calls first.
std::vector<const NumberSlot *> NumbersByCalls();
// The calls whose numbers found no room in the table.
int64_t CallsLeftOut();
// The numbers of the table with a connection a pattern would turn away.
int64_t NumbersTurnedAway();
// A record whose own number a pattern matches.
struct BannedRecord {
  int64_t record;
  uint64_t key;  // a phone key of its number
};
// Those of the whole base, in the order of the base.
std::vector<BannedRecord> RecordsBannedBy(const char *pattern);

#endif
