// The call history.  The configuration, BADLIST, users.tor and the whole
// mailer log are read by ringcheck's own readers, and nothing is written.
//
// A call is a line of the log: every CONNECT line is a connected call, and
// every caller-id line that no CONNECT line directly follows is a call
// that did not connect.  What ringcheck makes of a call is what it would
// have made of the log had it run right after that line was written: the
// scan of the last 4000 bytes up to the line's end.  The log is read once,
// through that very scan, from its first byte; at a call's line the scan
// stands where the tail's scan would end, as long as the line before it
// lies wholly inside that tail and no Ctrl-Z does: a number comes from the
// line right before CONNECT, or from the caller-id line itself, and no
// earlier line counts.  Otherwise (a line of thousands of bytes, a Ctrl-Z
// in the tail) the tail is scanned on its own, as ringcheck would.
//
// The base is read once into phone keys; the few names the calls name are
// read again and kept.  A table a number counts the calls; it stops
// growing at half a million numbers, so that memory stays bounded however
// long the log: later numbers are counted in the totals only.  The explainer
// may allocate; memory that runs out is said, and ends the history with
// status 6.
#include "explain/call_history.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "capture/caller_number.h"
#include "capture/log_scan.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/explain_run.h"
#include "explain/phone_keys.h"
#include "explain/report_paths.h"
#include "explain/report_texts.h"
#include "explain/report_writer.h"
#include "platform/text_output.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

// A caller-id line at most this many lines above a CONNECT line that has
// none right before it stood a few lines up.
constexpr int64_t kLinesUp = 5;
// The time text kept of a call's line: what the log has before the marker.
constexpr size_t kTimeCapacity = 40;
// Columns of the time in a report line: its end, next to the marker.
constexpr size_t kTimeColumns = 10;
// The table of numbers stops growing at this many slots.
constexpr size_t kMostSlots = size_t{1} << 20;
// Names kept of the records the calls name, in bytes; later names are read
// again for each call.
constexpr size_t kMostNameBytes = 8 << 20;
constexpr size_t kLogBlockSize = 256 * 1024;
constexpr uint32_t kNoName = UINT32_MAX;
constexpr char kCsvHeader[] =
    "line,time,number,type,connected,status,record,name,banned_by";

// Why a call has no number ringcheck takes.
enum NoNumber {
  kNumberTaken,
  kNoCallerIdLine,
  kCallerIdUp,
  kNumberVoided,
  kTooFewDigits,
  kMaskLeftNone,
  kTailCutOff,
  kNoDigitCount,
  kNoNumberKinds
};

const ReportText kWhyTexts[kNoNumberKinds] = {
    kHistoryWhyNoCallerId, kHistoryWhyNoCallerId, kHistoryWhyUp,
    kHistoryWhyVoided,     kHistoryWhyShort,      kHistoryWhyMask,
    kHistoryWhyTail,       kHistoryWhyCount,
};

struct Call {
  int64_t line;
  char time[kTimeCapacity + 1];
  char number[kCallerNumberCapacity + 1];  // masked, as ringcheck compares
  char type[kPhoneTypeCapacity + 1];
  bool connected;
  int status;        // of a connected call
  int64_t record;    // -1: none
  uint32_t name;     // where its name is kept, or kNoName
  int banned_by;     // the BADLIST line, 0: none
  NoNumber why;
  int64_t lines_up;  // for kCallerIdUp
  // Its number's slot, while the table has not grown since; SIZE_MAX:
  // none.
  size_t slot;
  uint64_t table;
};

// What a line of the log did as the scan went through its pieces.
struct LogLine {
  int64_t number;       // from 1
  int64_t start;        // the offset of its first byte
  int64_t first_piece;  // the scan's number of its first piece
  bool caller_id;
  bool connect;
  bool voided;
  bool stored;          // a digit
  int64_t taken;        // digits of its last caller-id piece
  char head[kTimeCapacity + 8];  // the start of its first piece as read
  int time_end;         // where its time text ends in head, -1: none
};

// 32 bytes, so that the largest table takes 32 MiB.  A record index fits
// 32 bits (kKeyRecordLimit); a count past them stops there.
struct NumberSlot {
  uint64_t key;  // the number part of a phone key; 0: a free slot
  uint32_t calls;
  uint32_t connected;
  int32_t record;
  uint32_t name;
  int32_t banned_by;
};

struct BannedPattern {
  char pattern[kNumberPatternCapacity + 1];
  int line;
};

struct History {
  bool csv;
  bool csv_started;
  bool config_named;
  int bad_lines;
  int list_line;
  std::vector<BannedPattern> patterns;
  bool has_pattern;
  bool pattern_is_remark;  // a comment line, which bans nobody
  char pattern[kNumberPatternCapacity + 1];
  bool numbers_taken;
  long long wanted;
  // The user base.
  bool base_open;
  ScopedFile *base;
  PhoneKeys keys;
  std::string names;
  // The numbers.
  std::vector<NumberSlot> slots;
  size_t used_slots;
  uint64_t table;  // how often the table grew
  int64_t numbers_left_out;
  // The log.
  LogScan scan;
  TextReader reader;
  ScopedFile *tail;  // the log again, for a tail scanned on its own
  bool tail_tried;
  bool rescanning;
  LogLine lines[2];
  LogLine *line;      // the line being read
  LogLine *previous;  // the one before it, or nullptr
  int64_t last_caller_id_line;
  bool pending;       // a caller-id line waits for the next line
  Call pending_call;
  int64_t last_unconnected;  // the line of the last call that rang only
  // What the scan said of the piece just read.
  bool piece_caller_id;
  bool piece_voided;
  int64_t piece_taken;
  // The totals.
  int64_t calls;
  int64_t connected;
  int64_t taken;
  int64_t why[kNoNumberKinds];
  int64_t banned_calls;
  int64_t banned_connected;
  int64_t unknown_connected;
  int64_t between;
  int64_t hours[24][2];
  int64_t timed;
  int64_t bytes;
  int64_t log_lines;
  bool out_of_memory;
};

History history;

// -- what the readers tell

void SeeConfigLineBad(BadConfigLine) { history.bad_lines++; }

void SeeListLineRead(const char *) { history.list_line++; }

void SeeDigitsVoided(const char *) {
  if (history.rescanning)
    return;
  history.piece_caller_id = true;
  history.piece_voided = true;
}

void SeeDigitsEnded(int64_t taken, int64_t) {
  if (history.rescanning)
    return;
  history.piece_caller_id = true;
  history.piece_taken = taken;
}

const RunObserver kHistoryObserver = {
    nullptr, nullptr,         SeeConfigLineBad, nullptr, nullptr,
    nullptr, SeeDigitsVoided, SeeDigitsEnded,   nullptr, nullptr,
    nullptr, nullptr,         SeeListLineRead,  nullptr,
};

// The report's lines; none around a CSV.
bool Reporting() { return !history.csv; }

// -- the configuration, BADLIST and the pattern

void ReadConfiguration(const char *path) {
  if (Reporting()) {
    ReportPathHeading(kConfigHeading, path);
    ReportFoundPath(path, false);
  }
  history.config_named = true;
  ReadConfigFile(path);
  SplitCallerIdSetting();
  history.wanted = DigitsWanted();
  history.numbers_taken =
      history.wanted >= 1 &&
      history.wanted <= static_cast<long long>(kCallerNumberCapacity) &&
      SettingAsInteger(Settings[IDLEN]) >= 1;
  if (!Reporting())
    return;
  if (history.bad_lines > 0)
    ReportLine(Text(kAuditBadLines), history.bad_lines);
  QuoteBuffer quote;
  if (Settings[CIDMASK][0] != '\0')
    ReportLine(Text(kHistoryMask), Quote(quote, Settings[CIDMASK]));
}

void ReadBannedList() {
  if (Reporting())
    ReportPathHeading(kBannedHeading, Settings[BADLIST]);
  ScopedFile list;
  if (!OpenFileForReading(Settings[BADLIST], &list)) {
    if (Reporting())
      ReportPlainLine(Text(kListMissing));
    return;
  }
  if (Reporting()) {
    ReportFoundPath(Settings[BADLIST], false);
    ReportPlainLine(Text(kListOpened));
  }
  TextReader reader;
  BeginTextReading(&reader, &list);
  history.list_line = 0;
  ListLine entry;
  while (ReadListEntry(&reader, entry)) {
    BannedPattern banned;
    TakeNumberPattern(entry, banned.pattern);
    banned.line = history.list_line;
    history.patterns.push_back(banned);
  }
  CloseFile(&list);
  if (Reporting())
    ReportLine(Text(kAuditEntries),
               static_cast<long long>(history.patterns.size()));
}

// The BADLIST line that bans a number, as CheckBannedNumbers would stop at
// it; 0 when none does.
int BannedBy(const char *number) {
  for (const BannedPattern &banned : history.patterns)
    if (MatchNumberPattern(banned.pattern, number))
      return banned.line;
  return 0;
}

// Takes the pattern as a BADLIST line.  A remark leaves none: every call is
// then left out, as such a line bans nobody.
void TakePattern(const char *argument) {
  ListLine line;
  CopyText(line, kListPieceLength, argument);
  QuoteBuffer quote;
  Quote(quote, argument);
  if (!PrepareListEntry(line)) {
    history.has_pattern = true;
    history.pattern_is_remark = true;
    if (Reporting()) {
      ReportBlankLine();
      ReportLine(Text(kHistoryPatternRemark), quote);
    }
    return;
  }
  history.has_pattern = true;
  TakeNumberPattern(line, history.pattern);
  if (!Reporting())
    return;
  ReportBlankLine();
  ReportLine(Text(kHistoryPattern), quote, history.pattern);
  size_t characters = 0;
  for (const char *p = line; *p != '\0'; p++)
    characters += (*p >= '0' && *p <= '9') || *p == '?' || *p == '*';
  if (characters > kNumberPatternCapacity)
    ReportPlainLine(Text(kHistoryPatternCut));
  if (history.pattern[0] == '\0')
    ReportPlainLine(Text(kHistoryPatternEmpty));
}

// -- the user base

// The name of a record, read again (kUserNameCapacity + 1 bytes).
void ReadNameOf(int64_t record, char *name) {
  name[0] = '\0';
  if (history.base == nullptr)
    return;
  UserBaseStream stream;
  BeginUserRecords(&stream, history.base, record, record + 1);
  const unsigned char *bytes = NextUserRecord(&stream);
  if (bytes != nullptr)
    TakeUserName(bytes, name);
}

// Keeps a record's name for the calls to come; kNoName once the names
// take their most.
uint32_t KeepNameOf(int64_t record) {
  if (history.names.size() > kMostNameBytes)
    return kNoName;
  char name[kUserNameCapacity + 1];
  ReadNameOf(record, name);
  uint32_t at = static_cast<uint32_t>(history.names.size());
  history.names.append(name, strlen(name) + 1);
  return at;
}

void ReadUserBase(ScopedFile *base) {
  char path[kMaxPathLength + 1];
  JoinText(path, kMaxPathLength, Settings[TORNADOPATH], "users.tor");
  if (Reporting()) {
    ReportPathHeading(kUserBaseHeading, path);
    ReportFoundPath(path, false);
  }
  int64_t records = 0;
  if (!OpenUserBase(base, &records)) {
    if (Reporting())
      ReportPlainLine(Text(kUserBaseCannotOpen));
    return;
  }
  if (records > kKeyRecordLimit)
    throw std::bad_alloc();
  history.base_open = true;
  history.base = base;
  int idlen = SettingAsInteger(Settings[IDLEN]);
  if (history.numbers_taken) {
    // A mask may leave a number shorter than IDLEN, and a phone of as
    // few digits matches it.
    int shortest = Settings[CIDMASK][0] != '\0' ? 1 : idlen;
    history.keys.reserve(static_cast<size_t>(records) * 2);
    UserBaseStream stream;
    BeginUserRecords(&stream, base, 0, records);
    int64_t index = 0;
    const unsigned char *record;
    while ((record = NextUserRecord(&stream)) != nullptr)
      AddPhoneKeys(&history.keys, record, index++, idlen, shortest);
    std::sort(history.keys.begin(), history.keys.end());
  }
  if (Reporting())
    ReportLine(Text(kUserBaseRecords), static_cast<long long>(records));
}

// Every record whose own number the pattern bans, said plainly.
void ReportBannedSubscribers() {
  if (!Reporting() || !history.has_pattern || !history.base_open ||
      history.pattern_is_remark)
    return;
  std::vector<uint64_t> banned;
  if (history.numbers_taken) {
    for (uint64_t key : history.keys) {
      KeyNumber number;
      NumberOfKey(key, number);
      if (MatchNumberPattern(history.pattern, number))
        banned.push_back(static_cast<uint64_t>(RecordOfKey(key)) << 34 |
                         NumberPartOfKey(key));
    }
  }
  std::sort(banned.begin(), banned.end());
  if (banned.empty()) {
    ReportPlainLine(Text(kHistoryPatternBansNone));
    return;
  }
  ReportLine(Text(kHistoryPatternBans), static_cast<long long>(banned.size()));
  for (uint64_t entry : banned) {
    int64_t record = static_cast<int64_t>(entry >> 34);
    KeyNumber number;
    NumberOfKey((entry & ((uint64_t{1} << 34) - 1)) << kKeyRecordBits,
                number);
    char name[kUserNameCapacity + 1];
    ReadNameOf(record, name);
    QuoteBuffer quote;
    ReportLine(Text(kHistoryPatternBansRecord),
               static_cast<long long>(record + 1), Quote(quote, name), number);
  }
}

// -- the numbers

// The slot of a number, filled on its first call; nullptr when the table
// is full.
NumberSlot *SlotOf(const char *number) {
  if (history.slots.empty())
    history.slots.resize(1024);
  uint64_t key = NumberPartOfKey(PhoneKey(number, 0));
  size_t mask = history.slots.size() - 1;
  size_t at = static_cast<size_t>(key * 0x9E3779B97F4A7C15ULL >> 20) & mask;
  while (history.slots[at].key != 0 && history.slots[at].key != key)
    at = (at + 1) & mask;
  if (history.slots[at].key == key)
    return &history.slots[at];
  // At most half full, so that a search stays short.
  if ((history.used_slots + 1) * 2 > history.slots.size()) {
    if (history.slots.size() >= kMostSlots)
      return nullptr;
    std::vector<NumberSlot> old(history.slots.size() * 2);
    old.swap(history.slots);
    history.used_slots = 0;
    history.table++;
    for (const NumberSlot &slot : old) {
      if (slot.key == 0)
        continue;
      size_t to = static_cast<size_t>(slot.key * 0x9E3779B97F4A7C15ULL >> 20) &
                  (history.slots.size() - 1);
      while (history.slots[to].key != 0)
        to = (to + 1) & (history.slots.size() - 1);
      history.slots[to] = slot;
      history.used_slots++;
    }
    return SlotOf(number);
  }
  NumberSlot &slot = history.slots[at];
  slot.key = key;
  slot.calls = 0;
  slot.connected = 0;
  slot.record = static_cast<int32_t>(
      history.base_open ? FirstRecordWithNumber(history.keys, number) : -1);
  slot.name = slot.record >= 0 ? KeepNameOf(slot.record) : kNoName;
  slot.banned_by = BannedBy(number);
  history.used_slots++;
  return &slot;
}

// The subscriber and the ban of a call's number, and what ringcheck ends
// it with.
void CheckNumber(Call *call) {
  call->slot = SIZE_MAX;
  call->record = -1;
  call->name = kNoName;
  call->banned_by = 0;
  call->status = kStatusNormal;
  if (call->number[0] == '\0')
    return;
  NumberSlot *slot = SlotOf(call->number);
  call->slot = slot != nullptr
                   ? static_cast<size_t>(slot - history.slots.data())
                   : SIZE_MAX;
  call->table = history.table;
  if (slot != nullptr) {
    call->record = slot->record;
    call->name = slot->name;
    call->banned_by = slot->banned_by;
  } else {
    history.numbers_left_out++;
    call->record = history.base_open
                       ? FirstRecordWithNumber(history.keys, call->number)
                       : -1;
    call->banned_by = BannedBy(call->number);
  }
  // The lookup comes first: without users.tor the list is never read.
  if (!history.base_open)
    call->status = kStatusNoUserBase;
  else if (call->banned_by > 0)
    call->status = kStatusBannedNumber;
}

// -- a call's lines

// The name of a call's record, from the names kept or read again.
const char *NameOf(const Call &call, char *read) {
  if (call.name != kNoName)
    return history.names.c_str() + call.name;
  ReadNameOf(call.record, read);
  return read;
}

// The subscriber of a call for a report line: a text, a name to quote
// (nullptr for none) and a text, as a call's row and kHistoryNumber take
// them.
const char *DescribeSubscriber(const Call &call, char *before, size_t size,
                               char *after, size_t after_size) {
  after[0] = '\0';
  if (call.number[0] == '\0') {
    if (call.why == kCallerIdUp)
      snprintf(before, size, Text(kHistoryWhyUp),
               static_cast<long long>(call.lines_up),
               CountForm(call.lines_up, kFormLineAccusative));
    else
      snprintf(before, size, "%s", Text(kWhyTexts[call.why]));
    return nullptr;
  }
  if (call.banned_by > 0)
    snprintf(after, after_size, Text(kHistoryBannedBy), call.banned_by);
  if (!history.base_open) {
    snprintf(before, size, "%s", Text(kHistoryNoBaseUser));
    return nullptr;
  }
  if (call.record < 0) {
    snprintf(before, size, "%s", Text(kHistoryUnknown));
    return nullptr;
  }
  snprintf(before, size, Text(kHistoryRecord),
           static_cast<long long>(call.record + 1), "");
  // Stays as it is until the line is written.
  static char name[kUserNameCapacity + 1];
  char read[kUserNameCapacity + 1];
  CopyText(name, kUserNameCapacity, NameOf(call, read));
  return name;
}

// Puts text at out, padded with blanks to width; returns the end.
char *PutPadded(char *out, const char *text, size_t width) {
  size_t length = strlen(text);
  memcpy(out, text, length);
  for (; length < width; length++)
    out[length] = ' ';
  return out + length;
}

// A call's row, made here rather than by ReportLine: a log has a million
// of them.  Its columns are the same in every language.
void ReportCall(const Call &call) {
  char row[kReportWidth * 4];
  char *out =
      row + snprintf(row, 16, "%9lld  ", static_cast<long long>(call.line));
  size_t length = strlen(call.time);
  char time[kTimeColumns * 2 + 1];
  // The end of the time, next to the marker, where the clock stands.
  size_t skipped = length > kTimeColumns ? length - kTimeColumns : 0;
  ShowInColumn(time, call.time + skipped, kTimeColumns);
  out = PutPadded(out, time, kTimeColumns);
  *out++ = ' ';
  out = PutPadded(out, call.number[0] != '\0' ? call.number
                                               : Text(kNoNumber),
                  kCallerNumberCapacity);
  *out++ = ' ';
  out = PutPadded(out, call.type, 2);
  *out++ = ' ';
  char connected[32];
  if (call.connected)
    snprintf(connected, sizeof connected, Text(kHistoryConnected), call.status);
  else
    snprintf(connected, sizeof connected, "%s", Text(kHistoryRang));
  out = PutPadded(out, connected, 7);
  *out++ = ' ';
  char before[128];
  char after[64];
  const char *name =
      DescribeSubscriber(call, before, sizeof before, after, sizeof after);
  out = PutPadded(out, before, 0);
  if (name != nullptr) {
    size_t used = static_cast<size_t>(out - row) + strlen(after);
    QuoteBuffer quote;
    QuoteWithin(quote, name, used < kReportWidth ? kReportWidth - used : 0);
    out = PutPadded(out, quote, 0);
  }
  out = PutPadded(out, after, 0);
  *out = '\0';
  if (strlen(row) > kReportWidth)
    row[kReportWidth] = '\0';
  ReportMadeLine(row);
}

// A CSV row, built in place: fields of at most kTimeCapacity characters,
// each of which a quote may double.
struct CsvRow {
  char text[16 * (kTimeCapacity + 8)];
  size_t length;
};

// A CSV field as RFC 4180 has it: in double quotes, each one inside
// doubled, when it holds a comma, a quote or a line break.  A field that a
// spreadsheet would take for a formula (=, +, -, @ first) gets a ' before
// it: callers choose names.
void PutCsvField(CsvRow *row, const char *text) {
  char *out = row->text + row->length;
  if (row->length > 0)
    *out++ = ',';
  size_t length = strlen(text);
  bool quoted = strcspn(text, ",\"\r\n") < length;
  if (quoted)
    *out++ = '"';
  char first = text[0];
  if (first == '=' || first == '+' || first == '-' || first == '@' ||
      first == '\t' || first == '\r')
    *out++ = '\'';
  if (!quoted) {
    memcpy(out, text, length);
    out += length;
  }
  for (; quoted && *text != '\0'; text++) {
    if (*text == '"')
      *out++ = '"';
    *out++ = *text;
  }
  if (quoted)
    *out++ = '"';
  *out = '\0';
  row->length = static_cast<size_t>(out - row->text);
}

void PutCsvNumber(CsvRow *row, long long number, bool present) {
  char text[24];
  char *digits = text + sizeof text;
  *--digits = '\0';
  bool negative = number < 0;
  unsigned long long value =
      negative ? 0 - static_cast<unsigned long long>(number)
               : static_cast<unsigned long long>(number);
  do {
    *--digits = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  if (negative)
    *--digits = '-';
  PutCsvField(row, present ? digits : "");
}

void WriteCsvRow(const Call &call) {
  CsvRow row;
  row.length = 0;
  PutCsvNumber(&row, call.line, true);
  PutCsvField(&row, call.time);
  PutCsvField(&row, call.number);
  PutCsvField(&row, call.type);
  PutCsvField(&row, call.connected ? "yes" : "no");
  PutCsvNumber(&row, call.status, call.connected);
  PutCsvNumber(&row, call.record + 1, call.record >= 0);
  char read[kUserNameCapacity + 1];
  PutCsvField(&row, call.record >= 0 ? NameOf(call, read) : "");
  PutCsvNumber(&row, call.banned_by, call.banned_by > 0);
  OsWriteTextRecord(row.text);
}

// The hour of a time text that reads as H:MM or HH:MM (its last word), or
// -1.
int HourOf(const char *time) {
  const char *word = strrchr(time, ' ');
  word = word != nullptr ? word + 1 : time;
  int hour = 0;
  int digits = 0;
  for (; *word >= '0' && *word <= '9' && digits < 3; word++, digits++)
    hour = hour * 10 + (*word - '0');
  if (digits < 1 || digits > 2 || word[0] != ':' || word[1] < '0' ||
      word[1] > '5' || word[2] < '0' || word[2] > '9' ||
      (word[3] >= '0' && word[3] <= '9') || hour > 23)
    return -1;
  return hour;
}

void CountCall(const Call &call) {
  history.calls++;
  int hour = HourOf(call.time);
  if (hour >= 0) {
    history.timed++;
    history.hours[hour][call.connected ? 1 : 0]++;
  }
  if (call.banned_by > 0) {
    history.banned_calls++;
    history.banned_connected += call.connected;
  }
  if (!call.connected) {
    history.last_unconnected = call.line;
    return;
  }
  history.connected++;
  if (call.number[0] != '\0') {
    history.taken++;
    history.unknown_connected += history.base_open && call.record < 0;
  } else {
    history.why[call.why]++;
  }
  // A call that did not connect just above this one: a line stood
  // between its caller-id line and CONNECT.
  if (call.why == kCallerIdUp && history.last_unconnected > 0 &&
      call.line - history.last_unconnected <= kLinesUp) {
    history.between++;
    history.last_unconnected = 0;
  }
}

void TakeCall(const Call &call) {
  if (history.has_pattern &&
      (history.pattern_is_remark || call.number[0] == '\0' ||
       !MatchNumberPattern(history.pattern, call.number)))
    return;
  if (call.number[0] != '\0') {
    NumberSlot *slot = call.slot != SIZE_MAX && call.table == history.table
                           ? &history.slots[call.slot]
                           : SlotOf(call.number);
    if (slot != nullptr && slot->calls < UINT32_MAX) {
      slot->calls++;
      slot->connected += call.connected;
    }
  }
  if (history.csv)
    WriteCsvRow(call);
  else
    ReportCall(call);
  CountCall(call);
}

// -- the log

// ringcheck's number and phone type, had it run with the log ending at
// end: the stream's own scan where it stands as the tail's would, the
// tail scanned on its own otherwise; then the mask.  raw gets the number
// before the mask.
void RingcheckView(int64_t end, int64_t before_start, Call *call, char *raw) {
  int64_t tail = end > kLogTailLength ? end - kLogTailLength : 0;
  char number[kCallerNumberCapacity + 1];
  char connect[kConnectLineCapacity + 1];
  CopyText(number, kCallerNumberCapacity, CallerNumber);
  CopyText(connect, kConnectLineCapacity, ConnectLine);
  PhoneType[0] = '\0';
  bool own = before_start >= tail && history.reader.last_ctrl_z < tail;
  if (!own && !history.tail_tried) {
    history.tail_tried = true;
    OpenFileForReading(Settings[LOGWITHAON], history.tail);
  }
  if (own || history.tail->file.handle == -1) {
    SettleScanResults(&history.scan);
  } else {
    CallerNumber[0] = '\0';
    ConnectLine[0] = '\0';
    history.rescanning = true;
    ScanLogPart(history.tail, tail, end - tail);
    history.rescanning = false;
  }
  CopyText(raw, kCallerNumberCapacity, CallerNumber);
  CopyText(call->type, kPhoneTypeCapacity, PhoneType);
  if (Settings[CIDMASK][0] != '\0')
    ApplyNumberMask();
  CopyText(call->number, kCallerNumberCapacity, CallerNumber);
  CopyText(CallerNumber, kCallerNumberCapacity, number);
  CopyText(ConnectLine, kConnectLineCapacity, connect);
  PhoneType[0] = '\0';
}

// Why a call whose caller-id line, if it had one, is decisive has no
// number.
NoNumber WhyNoNumber(const LogLine *decisive, const char *raw, Call *call) {
  if (!history.numbers_taken)
    return kNoDigitCount;
  if (raw[0] != '\0')
    return call->number[0] == '\0' ? kMaskLeftNone : kNumberTaken;
  if (decisive == nullptr || !decisive->caller_id) {
    int64_t up = call->line - history.last_caller_id_line;
    if (history.last_caller_id_line > 0 && up >= 2 && up <= kLinesUp) {
      call->lines_up = up;
      return kCallerIdUp;
    }
    return kNoCallerIdLine;
  }
  if (decisive->voided)
    return kNumberVoided;
  if (decisive->taken < history.wanted)
    return kTooFewDigits;
  return kTailCutOff;
}

void TakeTime(const LogLine &line, Call *call) {
  size_t end = line.time_end > 0 ? static_cast<size_t>(line.time_end) : 0;
  if (end > kTimeCapacity)
    end = kTimeCapacity;
  size_t start = 0;
  while (start < end && (line.head[start] == ' ' || line.head[start] == '\t'))
    start++;
  while (end > start &&
         (line.head[end - 1] == ' ' || line.head[end - 1] == '\t'))
    end--;
  memcpy(call->time, line.head + start, end - start);
  call->time[end - start] = '\0';
}

void BeginCall(const LogLine &line, bool connected, Call *call) {
  call->line = line.number;
  call->connected = connected;
  call->lines_up = 0;
  TakeTime(line, call);
}

// A line has been read to its end, at the offset end.
void EndLine(int64_t end) {
  LogLine &line = *history.line;
  const LogLine *previous = history.previous;
  int64_t before_start = previous != nullptr ? previous->start : 0;
  if (history.pending) {
    history.pending = false;
    if (!line.connect)
      TakeCall(history.pending_call);
  }
  char raw[kCallerNumberCapacity + 1];
  if (line.connect) {
    Call call;
    BeginCall(line, true, &call);
    RingcheckView(end, before_start, &call, raw);
    const LogLine *decisive =
        line.caller_id && (line.stored || line.voided) ? &line : previous;
    call.why = WhyNoNumber(decisive, raw, &call);
    CheckNumber(&call);
    TakeCall(call);
  } else if (line.caller_id) {
    Call &call = history.pending_call;
    BeginCall(line, false, &call);
    RingcheckView(end, before_start, &call, raw);
    // A line without a digit has no number of its own, whatever an
    // earlier one left in the scan.
    if (!line.stored) {
      raw[0] = '\0';
      call.number[0] = '\0';
      call.type[0] = '\0';
    }
    call.why = WhyNoNumber(&line, raw, &call);
    CheckNumber(&call);
    history.pending = true;
  }
  if (line.caller_id)
    history.last_caller_id_line = line.number;
}

void BeginLine(int64_t start, const char *piece) {
  LogLine *next = history.line == &history.lines[0] ? &history.lines[1]
                                                    : &history.lines[0];
  history.previous = history.line;
  history.line = next;
  next->number = ++history.log_lines;
  next->start = start;
  next->first_piece = history.scan.line_number + 1;
  next->caller_id = false;
  next->connect = false;
  next->voided = false;
  next->stored = false;
  next->taken = 0;
  next->time_end = -1;
  // The piece's buffer holds more than the head, whatever its text.
  memcpy(next->head, piece, sizeof next->head);
}

void ScanPiece(char *piece) {
  LogLine &line = *history.line;
  history.piece_caller_id = false;
  history.piece_voided = false;
  history.piece_taken = 0;
  int64_t connects = history.scan.last_connect_line;
  ScanLogLine(&history.scan, piece);
  bool first = history.scan.line_number == line.first_piece;
  if (history.scan.last_connect_line != connects) {
    line.connect = true;
    if (first)
      line.time_end = static_cast<int>(strstr(piece, "CONNECT") - piece);
  }
  if (history.piece_caller_id) {
    line.caller_id = true;
    line.voided = line.voided || history.piece_voided;
    line.taken = history.piece_taken;
    if (history.scan.last_digit_line == history.scan.line_number)
      line.stored = true;
    if (first && !line.connect)
      line.time_end =
          static_cast<int>(strstr(piece, history.scan.marker) - piece);
  }
}

void ReadLog() {
  if (Reporting()) {
    ReportPathHeading(kLogHeading, Settings[LOGWITHAON]);
    ReportFoundPath(Settings[LOGWITHAON], false);
  }
  ScopedFile log;
  if (!OpenFileForReading(Settings[LOGWITHAON], &log)) {
    if (Reporting())
      ReportPlainLine(Text(kLogCannotOpen));
    RememberFileName(Settings[LOGWITHAON]);
    FinishRun(kStatusNoMailerLog);
  }
  ScopedFile tail;
  history.tail = &tail;
  std::vector<unsigned char> block(kLogBlockSize);
  BeginTextReadingThrough(&history.reader, &log, block.data(), block.size());
  ReadPastCtrlZ(&history.reader);
  BeginLogScan(&history.scan);
  CallerNumber[0] = '\0';
  ConnectLine[0] = '\0';
  PhoneType[0] = '\0';
  if (Reporting()) {
    ReportBlankLine();
    ReportPlainLine(Text(history.has_pattern ? kHistoryMatchingHeading
                                             : kHistoryCallsHeading));
    ReportPlainLine(Text(kHistoryColumns));
  } else {
    OsWriteTextRecord(kCsvHeader);
    history.csv_started = true;
  }
  char piece[kLogPieceLength + 1];
  bool begins = true;
  int64_t offset = 0;
  while (ReadLinePiece(&history.reader, piece, kLogPieceLength)) {
    if (begins)
      BeginLine(offset, piece);
    ScanPiece(piece);
    offset = TextReadingOffset(&history.reader);
    begins = PieceEndedLine(&history.reader);
    if (begins)
      EndLine(offset);
  }
  // A last line without its line feed ends with the file.
  if (!begins)
    EndLine(offset);
  if (history.pending) {
    history.pending = false;
    TakeCall(history.pending_call);
  }
  history.bytes = offset;
  history.tail = nullptr;
}

// -- the tables

void ReportNumbers() {
  std::vector<const NumberSlot *> numbers;
  for (const NumberSlot &slot : history.slots)
    if (slot.key != 0 && slot.calls > 0)
      numbers.push_back(&slot);
  std::sort(numbers.begin(), numbers.end(),
            [](const NumberSlot *a, const NumberSlot *b) {
              return a->calls != b->calls ? a->calls > b->calls
                                          : a->key < b->key;
            });
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryNumbersHeading));
  if (numbers.empty()) {
    ReportPlainLine(Text(kHistoryNoCalls));
    return;
  }
  ReportPlainLine(Text(kHistoryNumbersColumns));
  for (const NumberSlot *slot : numbers) {
    Call call{};
    NumberOfKey(slot->key << kKeyRecordBits, call.number);
    call.record = slot->record;
    call.name = slot->name;
    call.banned_by = slot->banned_by;
    char before[128];
    char after[64];
    const char *name =
        DescribeSubscriber(call, before, sizeof before, after, sizeof after);
    QuoteBuffer quote;
    ReportLine(Text(kHistoryNumber), call.number,
               static_cast<long long>(slot->calls),
               static_cast<long long>(slot->connected), before,
               name != nullptr ? Quote(quote, name) : "", after);
  }
  if (history.numbers_left_out > 0)
    ReportLine(Text(kHistoryNumbersMore),
               static_cast<long long>(history.numbers_left_out),
               static_cast<long long>(numbers.size()));
}

void ReportTotals() {
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryTotalsHeading));
  ReportLine(Text(kHistoryLogRead), static_cast<long long>(history.bytes),
             CountForm(history.bytes, kFormByte),
             static_cast<long long>(history.log_lines),
             CountForm(history.log_lines, kFormLine));
  ReportLine(Text(kHistoryTotalCalls), static_cast<long long>(history.calls),
             static_cast<long long>(history.connected),
             static_cast<long long>(history.calls - history.connected));
  ReportLine(Text(kHistoryTotalTaken), static_cast<long long>(history.taken));
  ReportLine(Text(kHistoryTotalUntaken),
             static_cast<long long>(history.connected - history.taken));
  // How far up the caller-id line stood is told call by call.
  int64_t no_line = history.why[kNoCallerIdLine] + history.why[kCallerIdUp];
  if (no_line > 0)
    ReportLine(Text(kHistoryTotalReason), Text(kHistoryWhyNoCallerId),
               static_cast<long long>(no_line));
  for (int why = kNumberVoided; why < kNoNumberKinds; why++) {
    if (history.why[why] > 0)
      ReportLine(Text(kHistoryTotalReason), Text(kWhyTexts[why]),
                 static_cast<long long>(history.why[why]));
  }
  ReportLine(Text(kHistoryTotalBanned),
             static_cast<long long>(history.banned_calls),
             static_cast<long long>(history.banned_connected));
  if (history.base_open)
    ReportLine(Text(kHistoryTotalUnknown),
               static_cast<long long>(history.unknown_connected));
  if (history.between > 0)
    ReportLine(Text(kHistoryTotalBetween),
               static_cast<long long>(history.between));
  int64_t up = history.why[kCallerIdUp];
  if (up >= 2 && up * 10 >= history.connected)
    ReportLine(Text(kHistoryNoteUp), static_cast<long long>(up));
  if (!history.base_open)
    ReportPlainLine(Text(kHistoryNoBase));
}

// A bar a hour, # for the calls that connected and - for the rest, as
// wide as the report allows for the busiest hour.
void ReportHours() {
  if (history.timed == 0 || history.timed * 2 < history.calls)
    return;
  int64_t busiest = 0;
  for (const int64_t *hour : history.hours)
    busiest = std::max(busiest, hour[0] + hour[1]);
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryHoursHeading));
  // Left of the bar stand 22 columns: two blanks, the hour, the counts.
  // It stops short of the report's width, so that a guide can quote it
  // indented.
  constexpr int64_t kBarColumns = 50;
  for (int hour = 0; hour < 24; hour++) {
    int64_t connected = history.hours[hour][1];
    int64_t all = connected + history.hours[hour][0];
    char bar[kReportWidth + 3] = "";
    int64_t width =
        busiest > 0 ? (all * kBarColumns + busiest - 1) / busiest : 0;
    int64_t hashes = all > 0 ? (connected * width + all / 2) / all : 0;
    if (width > 0) {
      memcpy(bar, "  ", 2);
      for (int64_t i = 0; i < width; i++)
        bar[2 + i] = i < hashes ? '#' : '-';
      bar[2 + width] = '\0';
    }
    ReportLine(Text(kHistoryHour), hour, static_cast<long long>(all),
               static_cast<long long>(connected), bar);
  }
}

// -- the stages

void HistoryStages(int argc, const char *const *argv) {
  int at = 1;
  while (at < argc &&
         (IsSwitch(argv[at], "calls") || IsSwitch(argv[at], "csv"))) {
    history.csv = history.csv || IsSwitch(argv[at], "csv");
    at++;
  }
  if (at >= argc)
    FinishRun(kStatusNoConfigFile);
  try {
    ReadConfiguration(argv[at]);
    ReadBannedList();
    ScopedFile base;
    ReadUserBase(&base);
    if (at + 1 < argc)
      TakePattern(argv[at + 1]);
    ReportBannedSubscribers();
    ReadLog();
    if (Reporting()) {
      if (history.calls == 0)
        ReportPlainLine(Text(kHistoryNoCalls));
      ReportNumbers();
      ReportTotals();
      ReportHours();
    }
    history.base = nullptr;
    if (!history.base_open)
      FinishRun(kStatusNoUserBase);
  } catch (const std::bad_alloc &) {
    history.out_of_memory = true;
  } catch (const std::length_error &) {
    history.out_of_memory = true;
  }
}

}  // namespace

int ReportCallHistory(int argc, const char *const *argv) {
  history = History();
  history.line = &history.lines[0];
  history.previous = nullptr;
  bool csv = false;
  for (int at = 1; at < argc && (IsSwitch(argv[at], "calls") ||
                                 IsSwitch(argv[at], "csv"));
       at++)
    csv = csv || IsSwitch(argv[at], "csv");
  if (!csv)
    ReportPlainLine(Text(kHistoryTitle));
  Observer = &kHistoryObserver;
  int status = RunStagesOf(HistoryStages, argc, argv);
  Observer = nullptr;
  if (history.out_of_memory)
    status = kStatusNoMemory;
  bool config_named = history.config_named;
  bool csv_started = history.csv_started;
  history = History();
  // A CSV is not followed by a report; a failure before it is told.
  if (!csv || (!csv_started && status != kStatusNormal))
    ReportOutcomeOf(status, config_named, kHistoryRead, kHistoryNoMemory,
                    kHistoryStatus6);
  return status;
}
