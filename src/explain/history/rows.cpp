// A call's row, made here rather than by ReportLine, as a log has a million
// of them; its columns are the same in every language.  Or the call as a
// CSV record, for a spreadsheet.
#include "explain/history/rows.h"

#include <cstdio>
#include <cstring>

#include "checks/subscriber.h"
#include "explain/history/numbers.h"
#include "explain/history/texts.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "platform/text_output.h"
#include "run/text_helpers.h"

namespace {

// Columns of the time in a report line: its end, next to the marker.
constexpr size_t kTimeColumns = 10;
constexpr char kCsvHeader[] =
    "line,time,number,type,connected,status,record,name,banned_by";

const HistoryText kWhyTexts[kNoNumberKinds] = {
    kHistoryWhyNoCallerId, kHistoryWhyNoCallerId, kHistoryWhyUp,
    kHistoryWhyVoided,     kHistoryWhyShort,      kHistoryWhyMask,
    kHistoryWhyTail,       kHistoryWhyCount,
};

bool csv_rows;

void ReportCall(const Call &call) {
  LineBuilder row;
  BeginLine(&row);
  PutFormatted(&row, "%9lld  ", static_cast<long long>(call.line));
  size_t length = strlen(call.time);
  char time[kTimeColumns * 2 + 1];
  // The end of the time, next to the marker, where the clock stands.
  size_t skipped = length > kTimeColumns ? length - kTimeColumns : 0;
  ShowInColumn(time, call.time + skipped, kTimeColumns);
  PutPadded(&row, time, kTimeColumns);
  PutByte(&row, ' ');
  PutPadded(&row, call.number[0] != '\0' ? call.number : Text(kNoNumber),
            kCallerNumberCapacity);
  PutByte(&row, ' ');
  PutPadded(&row, call.type, 2);
  PutByte(&row, ' ');
  char connected[32];
  if (call.connected)
    snprintf(connected, sizeof connected, Text(kHistoryConnected), call.status);
  else
    snprintf(connected, sizeof connected, "%s", Text(kHistoryRang));
  PutPadded(&row, connected, 7);
  PutByte(&row, ' ');
  char before[128];
  char after[64];
  const char *name =
      DescribeSubscriber(call, before, sizeof before, after, sizeof after);
  PutText(&row, before);
  if (name != nullptr) {
    size_t used = row.length + strlen(after);
    QuoteBuffer quote;
    QuoteWithin(quote, name, used < kReportWidth ? kReportWidth - used : 0);
    PutText(&row, quote);
  }
  PutText(&row, after);
  ReportBuiltLine(&row);
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

}  // namespace

const char *WhyNoNumberText(NoNumber why) { return Text(kWhyTexts[why]); }

void WriteRowsAsCsv(bool csv) { csv_rows = csv; }

bool RowsAreCsv() { return csv_rows; }

void WriteCallsHeading(bool pattern) {
  if (csv_rows) {
    OsWriteTextRecord(kCsvHeader);
    return;
  }
  ReportBlankLine();
  ReportPlainLine(
      Text(pattern ? kHistoryMatchingHeading : kHistoryCallsHeading));
  ReportPlainLine(Text(kHistoryColumns));
}

void WriteCall(const Call &call) {
  if (csv_rows)
    WriteCsvRow(call);
  else
    ReportCall(call);
}

const char *DescribeSubscriber(const Call &call, char *before, size_t size,
                               char *after, size_t after_size) {
  after[0] = '\0';
  if (call.number[0] == '\0') {
    if (call.why == kCallerIdUp)
      snprintf(before, size, Text(kHistoryWhyUp),
               static_cast<long long>(call.lines_up),
               CountForm(call.lines_up, kFormLineAccusative));
    else
      snprintf(before, size, "%s", WhyNoNumberText(call.why));
    return nullptr;
  }
  if (call.banned_by > 0)
    snprintf(after, after_size, Text(kHistoryBannedBy), call.banned_by);
  if (!SubscribersRead()) {
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
