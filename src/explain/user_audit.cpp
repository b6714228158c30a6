// The audit of the user base.  The configuration, both lists and users.tor
// are read by ringcheck's own readers, and nothing is written.
//
// The base may be large, so it is read once, and of each record only a key
// stays for each phone a call can match: the number in the high bits and
// the record below it.  Sorting the keys puts the records of one number
// together in the order the lookup meets them, and the numbers in order,
// so that a BADLIST pattern is tried only on the run of numbers its
// leading digits allow, and on each number once, however many records
// share it.  Names are not kept: the few records a finding names are read
// again, each alone, when the report names them.  The explainer may
// allocate, as a fixed buffer would set a limit on the base; memory that
// runs out is said, and ends the audit with status 6.
#include "explain/user_audit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/explain_run.h"
#include "explain/phone_keys.h"
#include "explain/report_paths.h"
#include "explain/report_texts.h"
#include "explain/report_writer.h"
#include "platform/os.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

struct ExemptEntry {
  std::string text;  // as the check compares it with the login
  std::string line;  // as the file has it
  int number;
  bool names_record;
};

struct BannedPattern {
  char pattern[kNumberPatternCapacity + 1];
  std::string line;
  int number;
};

struct Unrecognised {
  int64_t index;
  char name[kUserNameCapacity + 1];
  char phone1[kUserPhoneCapacity + 1];
  char phone2[kUserPhoneCapacity + 1];
};

// A key whose number a pattern bans: the first that does, in file order,
// as CheckBannedNumbers stops there.
struct Banned {
  size_t key;
  size_t pattern;
};

struct Audit {
  bool config_named;  // a status 5 is then a file that cannot be opened
  int bad_lines;
  int list_line;  // the number of the list piece read last
  ListLine list_piece;
  int idlen;
  bool numbers_taken;  // a call's number can be taken at all
  std::vector<ExemptEntry> exempt;
  std::vector<size_t> exempt_by_text;
  std::vector<BannedPattern> patterns;
  ScopedFile *base;  // open while the findings are reported
  bool base_changed;  // a record could not be read again
  int64_t recognised;
  PhoneKeys keys;
  std::vector<Unrecognised> unrecognised;
  std::vector<bool> banned_keys;
  std::vector<Banned> banned;
  bool out_of_memory;
};

Audit audit;

// -- what the readers tell

void SeeConfigLineBad(BadConfigLine) { audit.bad_lines++; }

void SeeListLineRead(const char *piece) {
  audit.list_line++;
  CopyText(audit.list_piece, kListPieceLength, piece);
}

const RunObserver kAuditObserver = {
    nullptr, nullptr, SeeConfigLineBad, nullptr, nullptr,
    nullptr, nullptr, nullptr,          nullptr, nullptr,
    nullptr, nullptr, SeeListLineRead,  nullptr,
};

// -- the configuration

void ReportNumberSettings() {
  QuoteBuffer quote;
  audit.idlen = SettingAsInteger(Settings[IDLEN]);
  bool with_type = strcmp(Settings[TYPEPHONE], "YES") == 0;
  long long wanted = DigitsWanted();
  // The scan keeps no number of more digits than CallerNumber holds.
  if (wanted < 1 || wanted > static_cast<long long>(kCallerNumberCapacity)) {
    ReportLine(Text(kAuditNoNumber), Quote(quote, Settings[IDLEN]),
               with_type ? Text(kLogWantedTypeNote) : "", wanted,
               CountForm(wanted, kFormDigitGenitive));
  } else if (audit.idlen < 1) {
    ReportLine(Text(kAuditNoDigits), Quote(quote, Settings[IDLEN]));
  } else {
    audit.numbers_taken = true;
    ReportLine(Text(kAuditIdlen), audit.idlen,
               CountForm(audit.idlen, kFormDigitDative),
               Quote(quote, Settings[IDLEN]));
  }
  if (Settings[CIDMASK][0] != '\0')
    ReportLine(Text(kAuditMask), Quote(quote, Settings[CIDMASK]));
}

void ReadConfiguration(const char *path) {
  ReportPathHeading(kConfigHeading, path);
  ReportFoundPath(path, false);
  audit.config_named = true;
  ReadConfigFile(path);
  if (audit.bad_lines > 0)
    ReportLine(Text(kAuditBadLines), audit.bad_lines);
  ReportNumberSettings();
}

// -- the lists

struct ByText {
  bool operator()(size_t entry, const char *name) const {
    return strcmp(audit.exempt[entry].text.c_str(), name) < 0;
  }
  bool operator()(const char *name, size_t entry) const {
    return strcmp(name, audit.exempt[entry].text.c_str()) < 0;
  }
  bool operator()(size_t first, size_t second) const {
    return audit.exempt[first].text < audit.exempt[second].text;
  }
};

void TakeBannedEntry(const char *entry) {
  BannedPattern pattern;
  TakeNumberPattern(entry, pattern.pattern);
  pattern.line = audit.list_piece;
  pattern.number = audit.list_line;
  audit.patterns.push_back(pattern);
}

void TakeExemptEntry(const char *entry) {
  audit.exempt_by_text.push_back(audit.exempt.size());
  audit.exempt.push_back({entry, audit.list_piece, audit.list_line, false});
}

// Reads the list a setting names, entry by entry, as its check does; a
// missing one is said and skipped.
void ReadList(int slot, ReportText heading, void (*take)(const char *entry)) {
  ReportPathHeading(heading, Settings[slot]);
  ScopedFile list;
  if (!OpenFileForReading(Settings[slot], &list)) {
    ReportPlainLine(Text(kListMissing));
    return;
  }
  ReportFoundPath(Settings[slot], false);
  ReportPlainLine(Text(kListOpened));
  TextReader reader;
  BeginTextReading(&reader, &list);
  audit.list_line = 0;
  long long entries = 0;
  ListLine entry;
  for (; ReadListEntry(&reader, entry); entries++)
    take(entry);
  CloseFile(&list);
  ReportLine(Text(kAuditEntries), entries);
}

void ReadLists() {
  ReadList(BADLIST, kBannedHeading, TakeBannedEntry);
  ReadList(GOODLIST, kExemptHeading, TakeExemptEntry);
  std::sort(audit.exempt_by_text.begin(), audit.exempt_by_text.end(),
            ByText());
}

// The GOODLIST entries that are the name, as the check compares them.
std::pair<std::vector<size_t>::iterator, std::vector<size_t>::iterator>
EntriesNamed(const char *name) {
  return std::equal_range(audit.exempt_by_text.begin(),
                          audit.exempt_by_text.end(), name, ByText());
}

bool IsExempt(const char *name) {
  auto entries = EntriesNamed(name);
  return entries.first != entries.second;
}

// -- the user base

void TakeRecord(const unsigned char *record, int64_t index) {
  Unrecognised stored;
  TakeUserName(record, stored.name);
  if (!audit.exempt.empty()) {
    auto entries = EntriesNamed(stored.name);
    for (auto entry = entries.first; entry != entries.second; ++entry)
      audit.exempt[*entry].names_record = true;
  }
  if (!audit.numbers_taken)
    return;
  // Only a phone of IDLEN digits: no other matches a call's number.
  if (AddPhoneKeys(&audit.keys, record, index, audit.idlen, audit.idlen) > 0) {
    audit.recognised++;
    return;
  }
  stored.index = index;
  TakeUserPhones(record, stored.phone1, stored.phone2);
  audit.unrecognised.push_back(stored);
}

// Reads the base into the keys, leaving it open for the findings.
void ReadUserBase(ScopedFile *base) {
  char path[kMaxPathLength + 1];
  JoinText(path, kMaxPathLength, Settings[TORNADOPATH], "users.tor");
  ReportPathHeading(kUserBaseHeading, path);
  ReportFoundPath(path, false);
  int64_t records = 0;
  if (!OpenUserBase(base, &records)) {
    ReportPlainLine(Text(kUserBaseCannotOpen));
    FinishRun(kStatusNoUserBase);
  }
  // No key would hold the index of a record past these.
  if (records > kKeyRecordLimit)
    throw std::bad_alloc();
  if (audit.numbers_taken)
    audit.keys.reserve(static_cast<size_t>(records) * 2);
  UserBaseStream stream;
  BeginUserRecords(&stream, base, 0, records);
  int64_t index = 0;
  const unsigned char *record;
  while ((record = NextUserRecord(&stream)) != nullptr)
    TakeRecord(record, index++);
  audit.base = base;
  ReportLine(Text(kUserBaseRecords), static_cast<long long>(index));
  ReportLine(Text(kAuditRecognised), static_cast<long long>(audit.recognised));
}

// -- the findings

int64_t RecordOf(uint64_t key) { return RecordOfKey(key); }

// The name of a record a finding names (kUserNameCapacity + 1 bytes).  A
// base that shrank since it was read has no more record there.
void TakeNameOf(int64_t index, char *name) {
  UserBaseStream stream;
  BeginUserRecords(&stream, audit.base, index, index + 1);
  const unsigned char *record = NextUserRecord(&stream);
  if (record != nullptr) {
    TakeUserName(record, name);
  } else {
    name[0] = '\0';
    audit.base_changed = true;
  }
}

// The first key past the run of keys with the same number as keys[at].
size_t RunEnd(size_t at) {
  size_t end = at + 1;
  while (end < audit.keys.size() &&
         NumberPartOfKey(audit.keys[end]) == NumberPartOfKey(audit.keys[at]))
    end++;
  return end;
}

// The keys whose numbers begin with the pattern's leading digits, as far
// as the match examines them: no other number can match it.
void PatternRange(const char *pattern, size_t *from, size_t *to) {
  size_t length = strlen(pattern);
  size_t idlen = static_cast<size_t>(audit.idlen);
  size_t examined = (length + idlen) / 2;
  uint64_t low = 0;
  size_t fixed = 0;
  while (fixed < length && fixed < examined && fixed < idlen &&
         pattern[fixed] >= '0' && pattern[fixed] <= '9') {
    low = low * 10 + static_cast<uint64_t>(pattern[fixed] - '0');
    fixed++;
  }
  uint64_t span = 1;
  for (size_t i = fixed; i < idlen; i++)
    span *= 10;
  low *= span;
  KeysBetween(audit.keys, audit.idlen, low, low + span, from, to);
}

void FindBannedNumbers() {
  audit.banned_keys.assign(audit.keys.size(), false);
  for (size_t p = 0; p < audit.patterns.size(); p++) {
    size_t from;
    size_t to;
    PatternRange(audit.patterns[p].pattern, &from, &to);
    for (size_t at = from; at < to;) {
      size_t end = RunEnd(at);
      KeyNumber number;
      NumberOfKey(audit.keys[at], number);
      if (!audit.banned_keys[at] &&
          MatchNumberPattern(audit.patterns[p].pattern, number)) {
        for (size_t key = at; key < end; key++) {
          audit.banned_keys[key] = true;
          audit.banned.push_back({key, p});
        }
      }
      at = end;
    }
  }
  std::sort(audit.banned.begin(), audit.banned.end(),
            [](const Banned &a, const Banned &b) { return a.key < b.key; });
}

void ReportUnrecognised() {
  ReportBlankLine();
  ReportLine(Text(kAuditUnrecognisedHeading),
             static_cast<long long>(audit.unrecognised.size()));
  for (const Unrecognised &record : audit.unrecognised) {
    QuoteBuffer name;
    QuoteBuffer phone1;
    QuoteBuffer phone2;
    ReportLine(Text(kAuditUnrecognised),
               static_cast<long long>(record.index + 1),
               Quote(name, record.name), Quote(phone1, record.phone1),
               Quote(phone2, record.phone2));
  }
}

// What becomes of a call from the shared number by the login of a record
// after the first: the scripts let it in only as the record found.
void ReportLaterRecord(int64_t index, int64_t taken, const char *taken_name,
                       bool banned, bool *refused) {
  char name[kUserNameCapacity + 1];
  TakeNameOf(index, name);
  QuoteBuffer quote;
  Quote(quote, name);
  long long shown = index + 1;
  if (banned) {
    ReportLine(Text(kAuditSharedBanned), shown, quote);
  } else if (taken_name[0] == '\0') {
    // No name found: the exempt check does not run, and the scripts take
    // the caller for a new user.
    ReportLine(Text(kAuditSharedNoName), shown, quote,
               static_cast<long long>(taken + 1));
  } else if (IsExempt(name)) {
    ReportLine(Text(kAuditSharedExempt), shown, quote);
  } else if (strcmp(name, taken_name) == 0) {
    ReportLine(Text(kAuditSharedSameName), shown, quote,
               static_cast<long long>(taken + 1));
  } else {
    ReportLine(Text(kAuditSharedRefused), shown, quote);
    *refused = true;
  }
}

void ReportSharedNumbers() {
  long long shared = 0;
  for (size_t at = 0, end; at < audit.keys.size(); at = end) {
    end = RunEnd(at);
    shared += end - at > 1;
  }
  ReportBlankLine();
  ReportLine(Text(kAuditSharedHeading), shared);
  bool refused = false;
  for (size_t at = 0; at < audit.keys.size();) {
    size_t end = RunEnd(at);
    if (end - at > 1) {
      KeyNumber number;
      NumberOfKey(audit.keys[at], number);
      int64_t taken = RecordOf(audit.keys[at]);
      char taken_name[kUserNameCapacity + 1];
      TakeNameOf(taken, taken_name);
      QuoteBuffer quote;
      ReportLine(Text(kAuditSharedNumber), number,
                 static_cast<long long>(taken + 1), Quote(quote, taken_name));
      for (size_t key = at + 1; key < end; key++)
        ReportLaterRecord(RecordOf(audit.keys[key]), taken, taken_name,
                          audit.banned_keys[at], &refused);
    }
    at = end;
  }
  if (refused)
    ReportPlainLine(Text(kAuditSharedRemedy));
}

void ReportBannedRecords() {
  ReportBlankLine();
  ReportLine(Text(kAuditBannedHeading),
             static_cast<long long>(audit.banned.size()));
  for (const Banned &banned : audit.banned) {
    uint64_t key = audit.keys[banned.key];
    const BannedPattern &pattern = audit.patterns[banned.pattern];
    KeyNumber number;
    NumberOfKey(key, number);
    char name[kUserNameCapacity + 1];
    TakeNameOf(RecordOf(key), name);
    QuoteBuffer name_quote;
    QuoteBuffer line;
    ReportLine(Text(kAuditBanned), static_cast<long long>(RecordOf(key) + 1),
               Quote(name_quote, name), number, pattern.number,
               Quote(line, pattern.line.c_str()));
  }
}

void ReportUnnamedEntries() {
  long long unnamed = 0;
  for (const ExemptEntry &entry : audit.exempt)
    unnamed += !entry.names_record;
  ReportBlankLine();
  ReportLine(Text(kAuditUnnamedHeading), unnamed);
  for (const ExemptEntry &entry : audit.exempt) {
    QuoteBuffer quote;
    if (!entry.names_record)
      ReportLine(Text(kAuditUnnamed), entry.number,
                 Quote(quote, entry.line.c_str()));
  }
}

void ReportFindings() {
  if (audit.numbers_taken) {
    std::sort(audit.keys.begin(), audit.keys.end());
    FindBannedNumbers();
    ReportUnrecognised();
    ReportSharedNumbers();
    ReportBannedRecords();
  }
  ReportUnnamedEntries();
}

void AuditStages(int argc, const char *const *argv) {
  if (argc < 3)
    FinishRun(kStatusNoConfigFile);
  try {
    ReadConfiguration(argv[2]);
    ReadLists();
    ScopedFile base;
    ReadUserBase(&base);
    ReportFindings();
    audit.base = nullptr;
    if (audit.base_changed) {
      ReportBlankLine();
      ReportPlainLine(Text(kAuditBaseChanged));
    }
  } catch (const std::bad_alloc &) {
    audit.out_of_memory = true;
  } catch (const std::length_error &) {
    audit.out_of_memory = true;
  }
}

}  // namespace

bool AsksForAudit(const char *argument) { return IsSwitch(argument, "users"); }

int AuditUserBase(int argc, const char *const *argv) {
  audit = Audit();
  ReportPlainLine(Text(kAuditTitle));
  Observer = &kAuditObserver;
  int status = RunStagesOf(AuditStages, argc, argv);
  Observer = nullptr;
  if (audit.out_of_memory)
    status = kStatusNoMemory;
  // What the audit holds goes before the report's end is written.
  bool config_named = audit.config_named;
  audit = Audit();
  ReportOutcomeOf(status, config_named, kAuditRead, kAuditNoMemory,
                  kAuditStatus6);
  return status;
}
