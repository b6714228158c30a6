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
#include "explain/audit/audit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/audit/texts.h"
#include "explain/report/inputs.h"
#include "explain/report/phone_keys.h"
#include "explain/report/run.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
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
  const char *config;  // nullptr: none given
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
};

Audit audit;

// What the readers tell: what the inputs below keep of it.
const RunObserver kAuditObserver = {
    nullptr, nullptr, SeeBadConfigLine, nullptr, nullptr,
    nullptr, nullptr, nullptr,          nullptr, nullptr,
    nullptr, nullptr, SeeListPieceRead, nullptr,
};

// -- the configuration

void ReportNumberSettings() {
  QuoteBuffer quote;
  audit.idlen = PhoneDigitsCompared();
  long long wanted = DigitsWanted();
  DigitCount count = CheckDigitCount();
  if (count == kDigitCountOutOfRange) {
    ReportLine(Text(kAuditNoNumber), Quote(quote, Settings[IDLEN]),
               PhoneTypeWanted() ? Text(kLogWantedTypeNote) : "", wanted,
               CountForm(wanted, kFormDigitGenitive));
  } else if (count == kNoIdlenDigits) {
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

void TakeExemptEntry(const char *entry) {
  audit.exempt_by_text.push_back(audit.exempt.size());
  audit.exempt.push_back(
      {entry, ReportInputs.list_piece, ReportInputs.list_line, false});
}

void ReadLists() {
  audit.patterns = ReadBannedPatternsUnder();
  ReadListUnder(GOODLIST, kExemptHeading, TakeExemptEntry);
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
  // Only a phone of IDLEN digits, as the number of a call has before any
  // mask: which shorter phones a mask lets match depends on the numbers
  // that call, so the audit keeps to IDLEN and says so when a mask is set.
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
  int64_t records = 0;
  if (!OpenUserBaseUnder(base, &records))
    FinishRun(kStatusNoUserBase);
  if (audit.numbers_taken)
    audit.keys.reserve(static_cast<size_t>(records) * 2);
  int64_t read = ReadEachRecord(base, records, TakeRecord);
  audit.base = base;
  ReportLine(Text(kUserBaseRecords), static_cast<long long>(read));
  ReportLine(Text(kAuditRecognised), static_cast<long long>(audit.recognised));
}

// -- the findings

// The name of a record a finding names (kUserNameCapacity + 1 bytes).  A
// base that shrank since it was read has no more record there.
void TakeNameOf(int64_t index, char *name) {
  if (!ReadRecordName(audit.base, index, name))
    audit.base_changed = true;
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
      int64_t taken = RecordOfKey(audit.keys[at]);
      char taken_name[kUserNameCapacity + 1];
      TakeNameOf(taken, taken_name);
      QuoteBuffer quote;
      ReportLine(Text(kAuditSharedNumber), number,
                 static_cast<long long>(taken + 1), Quote(quote, taken_name));
      for (size_t key = at + 1; key < end; key++)
        ReportLaterRecord(RecordOfKey(audit.keys[key]), taken, taken_name,
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
    TakeNameOf(RecordOfKey(key), name);
    QuoteBuffer name_quote;
    QuoteBuffer line;
    ReportLine(Text(kAuditBanned), static_cast<long long>(RecordOfKey(key) + 1),
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

void AuditStages() {
  if (audit.config == nullptr)
    FinishRun(kStatusNoConfigFile);
  ReadConfigurationUnder(audit.config);
  ReportNumberSettings();
  ReadLists();
  ScopedFile base;
  ReadUserBase(&base);
  ReportFindings();
  audit.base = nullptr;
  if (audit.base_changed) {
    ReportBlankLine();
    ReportPlainLine(Text(kAuditBaseChanged));
  }
}

}  // namespace

int AuditUserBase(const char *config) {
  audit = Audit();
  audit.config = config;
  ForgetReportInputs();
  ReportPlainLine(Text(kAuditTitle));
  int status = RunReportStages(&kAuditObserver, AuditStages);
  // What the audit holds goes before the report's end is written.
  audit = Audit();
  ReportOutcome(status, ReportInputs.config_named, Text(kAuditRead),
                Text(kAuditNoMemory), Text(kAuditStatus6));
  return status;
}
