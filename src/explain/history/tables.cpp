#include "explain/history/tables.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "capture/fido_address.h"
#include "checks/subscriber.h"
#include "explain/history/numbers.h"
#include "explain/history/rows.h"
#include "explain/history/texts.h"
#include "explain/report/phone_keys.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "run/run_status.h"

namespace {

// The calls of a day, its date as a number that sorts: yyyymmdd, with a
// year-less date below every dated one, and 0 for the calls of no date.
struct Day {
  int key;
  LogDate date;
  int64_t calls;
  int64_t connections;
  int64_t turned_away;
  int64_t banned_let_in;
  int64_t without_number;
  int64_t mail;  // mail sessions in and own calls out
};

// The mail sessions in and the own calls out of one remote, and the first
// numbers it called from; whether it called from others is all that is
// kept of them.
constexpr int kMostRemoteNumbers = 4;

struct Remote {
  FidoAddress key;  // for the order of the table
  char address[kFidoAddressCapacity + 1];
  int64_t sessions_in;
  int64_t calls_out;
  char numbers[kMostRemoteNumbers][kCallerNumberCapacity + 1];
  int number_count;
  bool more_numbers;
};

// The most remotes the table holds; the sessions of later ones are counted
// in the totals alone, as the numbers' table does.
constexpr size_t kMostRemotes = size_t{1} << 14;

struct Totals {
  int64_t calls;
  int64_t connections;
  int64_t with_number;  // connections whose number ringcheck took
  int64_t why[kNoNumberKinds];  // of connections without a number
  int64_t banned_let_in;
  int64_t not_recognised;
  int64_t banned_calls;
  int64_t turned_away;
  int64_t unknown_connected;
  int64_t pattern_turned_away;
  int64_t pattern_still_in;
  int64_t mail_in;
  int64_t mail_out;
  int64_t mail_banned;       // mail sessions from a banned number
  int64_t mail_subscribers;  // from a subscriber's number
  int64_t pattern_mail;      // from a number a pattern matches
  std::vector<Remote> remotes;  // in the order of their first sessions
  std::unordered_map<std::string, uint32_t> remote_at;  // by address
  int64_t remote_calls_left_out;
  int64_t hours[24][2];  // [hour][connected]
  int64_t calls_with_hour;
  std::vector<Day> days;  // in the order of their keys
};

Totals totals;

Day *DayOf(LogDate date) {
  int key = date.day == 0 ? 0 : date.year * 10000 + date.month * 100 + date.day;
  std::vector<Day> &days = totals.days;
  // A log runs in the order of its days: the last one, as a rule.
  if (!days.empty() && days.back().key == key)
    return &days.back();
  auto at = std::lower_bound(days.begin(), days.end(), key,
                             [](const Day &day, int k) { return day.key < k; });
  if (at == days.end() || at->key != key)
    at = days.insert(at, Day{key, date, 0, 0, 0, 0, 0, 0});
  return &*at;
}

// The order of a nodelist: zone, net, node, point, then the domain.
bool AddressBefore(const FidoAddress &a, const FidoAddress &b) {
  const int left[4] = {a.zone, a.net, a.node, a.point};
  const int right[4] = {b.zone, b.net, b.node, b.point};
  for (int i = 0; i < 4; i++)
    if (left[i] != right[i])
      return left[i] < right[i];
  return strcmp(a.domain, b.domain) < 0;
}

// The remote of an address, taken into the table on its first session;
// nullptr when the table is full.
Remote *RemoteOf(const char *address) {
  auto found = totals.remote_at.find(address);
  if (found != totals.remote_at.end())
    return &totals.remotes[found->second];
  if (totals.remotes.size() >= kMostRemotes)
    return nullptr;
  Remote remote = Remote();
  ReadFidoAddress(address, &remote.key);
  snprintf(remote.address, sizeof remote.address, "%s", address);
  totals.remote_at.emplace(address,
                           static_cast<uint32_t>(totals.remotes.size()));
  totals.remotes.push_back(remote);
  return &totals.remotes.back();
}

// A number the remote called from, once.
void NoteRemoteNumber(Remote *remote, const char *number) {
  for (int i = 0; i < remote->number_count; i++)
    if (strcmp(remote->numbers[i], number) == 0)
      return;
  if (remote->number_count == kMostRemoteNumbers) {
    remote->more_numbers = true;
    return;
  }
  snprintf(remote->numbers[remote->number_count], sizeof remote->numbers[0],
           "%s", number);
  remote->number_count++;
}

// A mail session or an own call: counted by its kind and its remote, and
// whether it came from a number that is banned or a subscriber's, which
// ringcheck never saw.
void CountMailCall(const Call &call, Day *day) {
  day->mail++;
  const char *number = call.caller_id[0] != '\0' ? call.caller_id : call.number;
  if (call.kind == kMailIn) {
    totals.mail_in++;
    totals.mail_banned += call.banned_by > 0 || call.caller_id_banned_by > 0;
    totals.mail_subscribers += call.record >= 0 || call.caller_id_record >= 0;
  } else {
    totals.mail_out++;
  }
  Remote *remote = RemoteOf(call.address);
  if (remote == nullptr) {
    totals.remote_calls_left_out++;
    return;
  }
  if (call.kind == kMailOut) {
    remote->calls_out++;
    return;
  }
  remote->sessions_in++;
  if (number[0] != '\0')
    NoteRemoteNumber(remote, number);
}

void ReportSubscribersTurnedAway() {
  std::vector<const NumberSlot *> numbers = NumbersByCalls();
  std::sort(numbers.begin(), numbers.end(),
            [](const NumberSlot *a, const NumberSlot *b) {
              return a->record < b->record;
            });
  for (const NumberSlot *slot : numbers) {
    if (slot->turned_away == 0 || slot->record < 0)
      continue;
    char read[kUserNameCapacity + 1];
    QuoteBuffer quote;
    ReportLine(Text(kHistoryPatternRecord),
               static_cast<long long>(slot->record + 1),
               Quote(quote, NameOfRecord(slot->record, slot->name, read)),
               static_cast<long long>(slot->turned_away),
               CountForm(slot->turned_away, kFormConnection));
  }
}

}  // namespace

bool BannedLetIn(const Call &call) {
  return call.connected && call.status != kStatusBannedNumber &&
         call.caller_id_banned_by > 0;
}

bool NotRecognised(const Call &call) {
  return call.connected && call.caller_id_record >= 0 && call.record < 0;
}

void ForgetTotals() { totals = Totals(); }

int64_t CallsCounted() {
  return totals.calls + totals.mail_in + totals.mail_out;
}

void CountMailMatched() { totals.pattern_mail++; }

void CountCall(const Call &call) {
  Day *day = DayOf(call.date);
  if (call.kind != kCaller) {
    CountMailCall(call, day);
    return;
  }
  totals.calls++;
  day->calls++;
  if (call.hour >= 0) {
    totals.calls_with_hour++;
    totals.hours[call.hour][call.connected ? 1 : 0]++;
  }
  if (call.banned_by > 0 || call.caller_id_banned_by > 0)
    totals.banned_calls++;
  if (!call.connected)
    return;
  totals.connections++;
  day->connections++;
  if (call.status == kStatusBannedNumber) {
    totals.turned_away++;
    day->turned_away++;
  }
  if (BannedLetIn(call)) {
    totals.banned_let_in++;
    day->banned_let_in++;
  }
  totals.not_recognised += NotRecognised(call);
  if (call.pattern_status == kStatusBannedNumber)
    totals.pattern_turned_away++;
  if (call.number[0] != '\0') {
    totals.with_number++;
    totals.unknown_connected += SubscribersRead() && call.record < 0;
  } else {
    totals.why[call.why]++;
    day->without_number++;
    totals.pattern_still_in += call.caller_id[0] != '\0';
  }
}

void ReportNumbers() {
  std::vector<const NumberSlot *> numbers = NumbersByCalls();
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryNumbersHeading));
  if (numbers.empty()) {
    ReportPlainLine(Text(kHistoryNoCalls));
    return;
  }
  ReportPlainLine(Text(kHistoryNumbersColumns));
  for (const NumberSlot *slot : numbers) {
    KeyNumber number;
    NumberOfKey(slot->key << kKeyRecordBits, number);
    LineBuilder row;
    BeginLine(&row);
    PutFormatted(&row, Text(kHistoryNumber), number,
                 static_cast<long long>(slot->calls),
                 static_cast<long long>(slot->connected));
    LineBuilder who;
    BeginLine(&who);
    DescribeNumber(&who, slot->record, slot->name, slot->banned_by);
    ReportBuiltLineWith(&row, who.text);
  }
  if (CallsLeftOut() > 0)
    ReportLine(Text(kHistoryNumbersMore),
               static_cast<long long>(CallsLeftOut()),
               static_cast<long long>(kMostNumbers));
}

void ReportMailSessions() {
  if (totals.remotes.empty() && totals.remote_calls_left_out == 0)
    return;
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryMailHeading));
  // The address in a column of its widest without a domain.
  constexpr size_t kAddressColumns = 23;
  std::vector<const Remote *> remotes;
  for (const Remote &remote : totals.remotes)
    remotes.push_back(&remote);
  std::sort(remotes.begin(), remotes.end(),
            [](const Remote *a, const Remote *b) {
              return AddressBefore(a->key, b->key) ||
                     (!AddressBefore(b->key, a->key) &&
                      strcmp(a->address, b->address) < 0);
            });
  for (const Remote *at : remotes) {
    const Remote &remote = *at;
    LineBuilder row;
    BeginLine(&row);
    PutText(&row, "  ");
    PutPadded(&row,
              remote.address[0] != '\0' ? remote.address
                                         : Text(kHistoryNoAddress),
              kAddressColumns);
    PutByte(&row, ' ');
    PutFormatted(&row, Text(kHistoryMailRow),
                 static_cast<long long>(remote.sessions_in),
                 static_cast<long long>(remote.calls_out));
    if (remote.number_count == 0) {
      ReportBuiltLine(&row);
      continue;
    }
    PutText(&row, "  ");
    LineBuilder numbers;
    BeginLine(&numbers);
    for (int i = 0; i < remote.number_count; i++) {
      if (i > 0)
        PutText(&numbers, ", ");
      PutText(&numbers, remote.numbers[i]);
    }
    if (remote.more_numbers)
      PutText(&numbers, Text(kHistoryMailNumbersMore));
    ReportBuiltLineWith(&row, numbers.text);
  }
  if (totals.remote_calls_left_out > 0)
    ReportLine(Text(kHistoryMailMore),
               static_cast<long long>(totals.remote_calls_left_out),
               static_cast<long long>(kMostRemotes));
}

void ReportTotals(const LogWalked &log, bool with_pattern) {
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryTotalsHeading));
  ReportLine(Text(kHistoryLogRead), static_cast<long long>(log.bytes),
             CountForm(log.bytes, kFormByte),
             static_cast<long long>(log.lines),
             CountForm(log.lines, kFormLine));
  ReportLine(Text(kHistoryTotalKinds), static_cast<long long>(totals.calls),
             static_cast<long long>(totals.mail_in),
             static_cast<long long>(totals.mail_out));
  ReportLine(Text(kHistoryTotalCalls), static_cast<long long>(totals.calls),
             static_cast<long long>(totals.connections),
             static_cast<long long>(totals.calls - totals.connections));
  ReportLine(Text(kHistoryTotalTaken),
             static_cast<long long>(totals.with_number));
  ReportLine(Text(kHistoryTotalUntaken),
             static_cast<long long>(totals.connections - totals.with_number));
  for (int why = kNoCallerId; why < kNoNumberKinds; why++) {
    if (totals.why[why] > 0)
      ReportLine(Text(kHistoryTotalReason),
                 WhyNoNumberText(static_cast<NoNumber>(why)),
                 static_cast<long long>(totals.why[why]));
  }
  ReportLine(Text(kHistoryTotalBannedIn),
             static_cast<long long>(totals.banned_let_in));
  ReportLine(Text(kHistoryTotalUnrecognised),
             static_cast<long long>(totals.not_recognised));
  ReportLine(Text(kHistoryTotalBanned),
             static_cast<long long>(totals.banned_calls),
             static_cast<long long>(totals.turned_away));
  if (SubscribersRead())
    ReportLine(Text(kHistoryTotalUnknown),
               static_cast<long long>(totals.unknown_connected));
  if (totals.mail_banned > 0 || totals.mail_subscribers > 0)
    ReportLine(Text(kHistoryTotalMailNumbers),
               static_cast<long long>(totals.mail_banned),
               static_cast<long long>(totals.mail_subscribers));
  // The mailer's fault, by its cause.
  if (totals.why[kCallerIdAfter] > 0)
    ReportLine(Text(kHistoryNoteAfter),
               static_cast<long long>(totals.why[kCallerIdAfter]),
               static_cast<long long>(totals.connections));
  if (totals.why[kCallerIdUp] > 0)
    ReportLine(Text(kHistoryNoteUp),
               static_cast<long long>(totals.why[kCallerIdUp]),
               static_cast<long long>(totals.connections));
  if (!SubscribersRead())
    ReportPlainLine(Text(kHistoryNoBase));
  if (!with_pattern)
    return;
  ReportLine(Text(kHistoryPatternTurns),
             static_cast<long long>(totals.pattern_turned_away),
             CountForm(totals.pattern_turned_away, kFormConnection),
             static_cast<long long>(NumbersTurnedAway()));
  ReportSubscribersTurnedAway();
  if (totals.pattern_still_in > 0)
    ReportLine(Text(kHistoryPatternStillIn),
               static_cast<long long>(totals.pattern_still_in));
  if (totals.pattern_mail > 0)
    ReportLine(Text(kHistoryPatternMail),
               static_cast<long long>(totals.pattern_mail));
}

void ReportDays() {
  if (totals.days.empty() ||
      (totals.days.size() == 1 && totals.days[0].key == 0))
    return;
  // The mail column where the log holds mail sessions or own calls.
  bool mail = totals.mail_in + totals.mail_out > 0;
  ReportBlankLine();
  ReportPlainLine(Text(mail ? kHistoryDaysHeadingMail : kHistoryDaysHeading));
  for (const Day &day : totals.days) {
    char date[16];
    if (day.key == 0)
      snprintf(date, sizeof date, "%s", "-");
    else
      ShowDate(day.date, ReportLanguageInUse() == kRussian, date);
    if (mail)
      ReportLine(Text(kHistoryDayRowMail), date,
                 static_cast<long long>(day.calls),
                 static_cast<long long>(day.connections),
                 static_cast<long long>(day.turned_away),
                 static_cast<long long>(day.banned_let_in),
                 static_cast<long long>(day.without_number),
                 static_cast<long long>(day.mail));
    else
      ReportLine(Text(kHistoryDayRow), date, static_cast<long long>(day.calls),
                 static_cast<long long>(day.connections),
                 static_cast<long long>(day.turned_away),
                 static_cast<long long>(day.banned_let_in),
                 static_cast<long long>(day.without_number));
  }
}

// A bar a hour, # for the calls that connected and - for the rest, as
// wide as the report allows for the busiest hour.
void ReportHours() {
  if (totals.calls_with_hour == 0 || totals.calls_with_hour * 2 < totals.calls)
    return;
  int64_t busiest = 0;
  for (const int64_t *hour : totals.hours)
    busiest = std::max(busiest, hour[0] + hour[1]);
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryHoursHeading));
  // Left of the bar stand 22 columns: two blanks, the hour, the counts.
  // It stops short of the report's width, so that a guide can quote it
  // indented.
  constexpr int64_t kBarColumns = 50;
  for (int hour = 0; hour < 24; hour++) {
    int64_t connected = totals.hours[hour][1];
    int64_t all = connected + totals.hours[hour][0];
    char bar[kBarColumns + 3] = "";
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
