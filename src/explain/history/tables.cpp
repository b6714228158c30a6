#include "explain/history/tables.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "explain/history/numbers.h"
#include "explain/history/rows.h"
#include "explain/history/texts.h"
#include "explain/report/phone_keys.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"

namespace {

// A call that did not connect at most this many lines above a connection
// whose caller-id line stood a few lines up is that connection's.
constexpr int64_t kLinesUp = 5;

struct Totals {
  int64_t calls;
  int64_t connected;
  int64_t connected_with_number;
  int64_t why[kNoNumberKinds];  // of connections without a number
  int64_t banned_calls;
  int64_t banned_connected;
  int64_t unknown_connected;
  // Calls that did not connect whose CONNECT came a few lines below.
  int64_t connect_further_down;
  int64_t last_unconnected_line;
  int64_t hours[24][2];  // [hour][connected]
  int64_t calls_with_hour;
};

Totals totals;

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

}  // namespace

void ForgetTotals() { totals = Totals(); }

int64_t CallsCounted() { return totals.calls; }

void CountCall(const Call &call) {
  totals.calls++;
  int hour = HourOf(call.time);
  if (hour >= 0) {
    totals.calls_with_hour++;
    totals.hours[hour][call.connected ? 1 : 0]++;
  }
  if (call.banned_by > 0) {
    totals.banned_calls++;
    totals.banned_connected += call.connected;
  }
  if (!call.connected) {
    totals.last_unconnected_line = call.line;
    return;
  }
  totals.connected++;
  if (call.number[0] != '\0') {
    totals.connected_with_number++;
    totals.unknown_connected += SubscribersRead() && call.record < 0;
  } else {
    totals.why[call.why]++;
  }
  // A call that did not connect just above this one: a line stood
  // between its caller-id line and CONNECT.
  if (call.why == kCallerIdUp && totals.last_unconnected_line > 0 &&
      call.line - totals.last_unconnected_line <= kLinesUp) {
    totals.connect_further_down++;
    totals.last_unconnected_line = 0;
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
  if (CallsLeftOut() > 0)
    ReportLine(Text(kHistoryNumbersMore),
               static_cast<long long>(CallsLeftOut()),
               static_cast<long long>(kMostNumbers));
}

void ReportTotals(const LogWalked &log) {
  ReportBlankLine();
  ReportPlainLine(Text(kHistoryTotalsHeading));
  ReportLine(Text(kHistoryLogRead), static_cast<long long>(log.bytes),
             CountForm(log.bytes, kFormByte),
             static_cast<long long>(log.lines),
             CountForm(log.lines, kFormLine));
  ReportLine(Text(kHistoryTotalCalls), static_cast<long long>(totals.calls),
             static_cast<long long>(totals.connected),
             static_cast<long long>(totals.calls - totals.connected));
  ReportLine(Text(kHistoryTotalTaken),
             static_cast<long long>(totals.connected_with_number));
  ReportLine(Text(kHistoryTotalUntaken),
             static_cast<long long>(totals.connected -
                                    totals.connected_with_number));
  // How far up the caller-id line stood is told call by call.
  int64_t no_line = totals.why[kNoCallerIdLine] + totals.why[kCallerIdUp];
  if (no_line > 0)
    ReportLine(Text(kHistoryTotalReason), Text(kHistoryWhyNoCallerId),
               static_cast<long long>(no_line));
  for (int why = kNumberVoided; why < kNoNumberKinds; why++) {
    if (totals.why[why] > 0)
      ReportLine(Text(kHistoryTotalReason),
                 WhyNoNumberText(static_cast<NoNumber>(why)),
                 static_cast<long long>(totals.why[why]));
  }
  ReportLine(Text(kHistoryTotalBanned),
             static_cast<long long>(totals.banned_calls),
             static_cast<long long>(totals.banned_connected));
  if (SubscribersRead())
    ReportLine(Text(kHistoryTotalUnknown),
               static_cast<long long>(totals.unknown_connected));
  if (totals.connect_further_down > 0)
    ReportLine(Text(kHistoryTotalBetween),
               static_cast<long long>(totals.connect_further_down));
  int64_t up = totals.why[kCallerIdUp];
  if (up >= 2 && up * 10 >= totals.connected)
    ReportLine(Text(kHistoryNoteUp), static_cast<long long>(up));
  if (!SubscribersRead())
    ReportPlainLine(Text(kHistoryNoBase));
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
