#include "explain/history/numbers.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/report/inputs.h"
#include "explain/report/phone_keys.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

// Names kept of the records the calls name, in bytes; later names are read
// again for each call.
constexpr size_t kMostNameBytes = 8 << 20;
// Slots: at most half of them are used, so that a search stays short.
constexpr size_t kFirstSlots = 1024;
constexpr size_t kMostSlots = kMostNumbers * 2;

struct Numbers {
  std::vector<BannedPattern> banned;
  // The base.
  ScopedFile *base;  // nullptr: it could not be opened
  PhoneKeys keys;
  std::string names;
  // The table.
  std::vector<NumberSlot> slots;
  size_t used_slots;
  int64_t calls_left_out;
  int64_t numbers_turned_away;
};

Numbers numbers;

// The BADLIST line that bans a number, as CheckBannedNumbers would stop at
// it; 0 when none does.
int BannedBy(const char *number) {
  for (const BannedPattern &banned : numbers.banned)
    if (MatchNumberPattern(banned.pattern, number))
      return banned.number;
  return 0;
}

// Keeps a record's name for the calls to come; kNoName once the names
// take their most.
uint32_t KeepNameOf(int64_t record) {
  if (numbers.names.size() > kMostNameBytes)
    return kNoName;
  char name[kUserNameCapacity + 1];
  ReadRecordName(numbers.base, record, name);
  uint32_t at = static_cast<uint32_t>(numbers.names.size());
  numbers.names.append(name, strlen(name) + 1);
  return at;
}

size_t HomeOf(uint64_t key, size_t slots) {
  return static_cast<size_t>(key * 0x9E3779B97F4A7C15ULL >> 20) & (slots - 1);
}

// Twice the slots, each number moved to its place among them.
void GrowTable() {
  std::vector<NumberSlot> before(numbers.slots.size() * 2);
  before.swap(numbers.slots);
  for (const NumberSlot &slot : before) {
    if (slot.key == 0)
      continue;
    size_t to = HomeOf(slot.key, numbers.slots.size());
    while (numbers.slots[to].key != 0)
      to = (to + 1) & (numbers.slots.size() - 1);
    numbers.slots[to] = slot;
  }
}

// The slot of a number, filled on its first call; nullptr when the table
// is full.
NumberSlot *SlotOf(const char *number, uint64_t key) {
  if (numbers.slots.empty())
    numbers.slots.resize(kFirstSlots);
  size_t mask = numbers.slots.size() - 1;
  size_t at = HomeOf(key, numbers.slots.size());
  while (numbers.slots[at].key != 0 && numbers.slots[at].key != key)
    at = (at + 1) & mask;
  if (numbers.slots[at].key == key)
    return &numbers.slots[at];
  if ((numbers.used_slots + 1) * 2 > numbers.slots.size()) {
    if (numbers.slots.size() >= kMostSlots)
      return nullptr;
    GrowTable();
    return SlotOf(number, key);
  }
  NumberSlot &slot = numbers.slots[at];
  slot.key = key;
  slot.calls = 0;
  slot.connected = 0;
  slot.record = static_cast<int32_t>(
      SubscribersRead() ? FirstRecordWithNumber(numbers.keys, number) : -1);
  slot.name = slot.record >= 0 ? KeepNameOf(slot.record) : kNoName;
  slot.banned_by = BannedBy(number);
  slot.turned_away = 0;
  numbers.used_slots++;
  return &slot;
}

// The keys of the phones a call's number can equal.
void TakeRecord(const unsigned char *record, int64_t index) {
  AddPhoneKeys(&numbers.keys, record, index, PhoneDigitsCompared(),
               FewestNumberDigits());
}

}  // namespace

void ForgetNumbers() { numbers = Numbers(); }

void ReadBannedPatterns() {
  numbers.banned = ReadBannedPatternsUnder();
}

bool ReadSubscribers(ScopedFile *base) {
  int64_t records = 0;
  if (!OpenUserBaseUnder(base, &records))
    return false;
  numbers.base = base;
  if (CheckDigitCount() == kDigitCountFits) {
    numbers.keys.reserve(static_cast<size_t>(records) * 2);
    ReadEachRecord(base, records, TakeRecord);
    std::sort(numbers.keys.begin(), numbers.keys.end());
  }
  ReportLine(Text(kUserBaseRecords), static_cast<long long>(records));
  return true;
}

bool SubscribersRead() { return numbers.base != nullptr; }

// Who a number is: the first record with it, its name where kept, the
// BADLIST line that bans it; from its slot, or found again when the table
// has no room for it.
NumberSlot *LookUpNumber(const char *number, int64_t *record, uint32_t *name,
                         int *banned_by) {
  *record = -1;
  *name = kNoName;
  *banned_by = 0;
  if (number[0] == '\0')
    return nullptr;
  uint64_t key = PhoneKey(number, 0);
  NumberSlot *slot =
      key != kNoPhoneKey ? SlotOf(number, NumberPartOfKey(key)) : nullptr;
  if (slot == nullptr) {
    *record =
        SubscribersRead() ? FirstRecordWithNumber(numbers.keys, number) : -1;
    *banned_by = BannedBy(number);
    return nullptr;
  }
  *record = slot->record;
  *name = slot->name;
  *banned_by = slot->banned_by;
  return slot;
}

// The status of a connection: the lookup comes first (without users.tor
// the list is never read), then the list.
int StatusOf(const Call &call, bool banned) {
  if (!call.connected || call.number[0] == '\0')
    return kStatusNormal;
  if (!SubscribersRead())
    return kStatusNoUserBase;
  return banned ? kStatusBannedNumber : kStatusNormal;
}

// A count that stops at its most.
void Count(uint32_t *count, bool counted) {
  if (counted && *count < UINT32_MAX)
    (*count)++;
}

void LookUpCall(Call *call, const char *pattern) {
  NumberSlot *own = LookUpNumber(call->caller_id, &call->caller_id_record,
                                 &call->caller_id_name,
                                 &call->caller_id_banned_by);
  NumberSlot *taken =
      LookUpNumber(call->number, &call->record, &call->name, &call->banned_by);
  call->status = StatusOf(*call, call->banned_by > 0);
  call->pattern_status = StatusOf(
      *call, call->banned_by > 0 ||
                 (pattern != nullptr &&
                  MatchNumberPattern(pattern, call->number)));
  // A call counts under the number that rang, which is ringcheck's where
  // its caller-id line gave none.
  NumberSlot *slot = call->caller_id[0] != '\0' ? own : taken;
  bool in_table = slot != nullptr;
  // The table counts the BBS's callers; the mail sessions have theirs.
  if (call->kind != kCaller)
    return;
  if (call->caller_id[0] == '\0' && call->number[0] == '\0')
    return;
  if (!in_table) {
    numbers.calls_left_out++;
    return;
  }
  Count(&slot->calls, true);
  Count(&slot->connected, call->connected);
  bool turned = pattern != nullptr &&
                call->pattern_status == kStatusBannedNumber &&
                MatchNumberPattern(pattern, call->number);
  if (turned && slot->turned_away == 0)
    numbers.numbers_turned_away++;
  Count(&slot->turned_away, turned);
}

const char *NameOfRecord(int64_t record, uint32_t name, char *read) {
  if (name != kNoName)
    return numbers.names.c_str() + name;
  read[0] = '\0';
  if (SubscribersRead() && record >= 0)
    ReadRecordName(numbers.base, record, read);
  return read;
}

std::vector<const NumberSlot *> NumbersByCalls() {
  std::vector<const NumberSlot *> counted;
  for (const NumberSlot &slot : numbers.slots)
    if (slot.key != 0 && slot.calls > 0)
      counted.push_back(&slot);
  std::sort(counted.begin(), counted.end(),
            [](const NumberSlot *a, const NumberSlot *b) {
              return a->calls != b->calls ? a->calls > b->calls
                                          : a->key < b->key;
            });
  return counted;
}

int64_t CallsLeftOut() { return numbers.calls_left_out; }

int64_t NumbersTurnedAway() { return numbers.numbers_turned_away; }

std::vector<BannedRecord> RecordsBannedBy(const char *pattern) {
  std::vector<BannedRecord> banned;
  for (uint64_t key : numbers.keys) {
    KeyNumber number;
    NumberOfKey(key, number);
    if (MatchNumberPattern(pattern, number))
      banned.push_back({RecordOfKey(key), key});
  }
  std::sort(banned.begin(), banned.end(),
            [](const BannedRecord &a, const BannedRecord &b) {
              return a.record != b.record
                         ? a.record < b.record
                         : NumberPartOfKey(a.key) < NumberPartOfKey(b.key);
            });
  return banned;
}
