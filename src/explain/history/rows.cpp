// A call's row, made here rather than by ReportLine, as a log has a million
// of them; its columns are the same in every language, and what it says of
// the caller goes on on the next lines under its column rather than be
// cut.  Or the call as a CSV record, for a spreadsheet: always UTF-8 after
// a byte order mark, with CR LF, whatever the console, the locale or the
// platform, so that a Russian name opens as Cyrillic; its fields apart by
// a comma, or by what the request gives (a Russian Windows' spreadsheet
// splits at a semicolon).
#include "explain/history/rows.h"

#include <cstdio>
#include <cstring>

#include "checks/subscriber.h"
#include "explain/history/numbers.h"
#include "explain/history/texts.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "platform/cp866.h"
#include "platform/text_output.h"

namespace {

// The CSV's columns, in their order.
const char *const kCsvColumns[] = {
    "line",      "time",   "number", "type",    "connected",
    "status",    "record", "name",   "banned_by", "date",
    "caller_id", "reason", "kind",   "address"};
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The CSV's reason, a cause a code.
const char *const kReasonCodes[kNoNumberKinds] = {
    "",      "no_callerid", "callerid_up", "callerid_after",
    "voided", "short",      "mask",        "long_line",
    "ctrl_z", "tail",       "no_digits",
};

// The CSV's kind, a code a kind of connection.
const char *const kKindCodes[kConnectionKinds] = {"caller", "mail_in",
                                                  "mail_out"};

const HistoryText kWhyTexts[kNoNumberKinds] = {
    kHistoryWhyNoCallerId, kHistoryWhyNoCallerId, kHistoryWhyUpTotal,
    kHistoryWhyAfter,      kHistoryWhyVoided,     kHistoryWhyShort,
    kHistoryWhyMask,       kHistoryWhyLongLine,   kHistoryWhyCtrlZ,
    kHistoryWhyTail,       kHistoryWhyCount,
};

// Columns of a row before what it says of the caller.
constexpr size_t kTimeColumns = 8;
constexpr size_t kConnectedColumns = 7;
constexpr size_t kPatternColumns = 4;

struct Rows {
  bool with_pattern;
  char separator;  // between a CSV's fields
  LogDate day;  // of the row before
};

Rows rows;

// The number the call's own caller-id line gave, whose record it is and
// the BADLIST line that bans it.
void DescribeCallerIdOwner(LineBuilder *text, const Call &call) {
  PutFormatted(text, Text(kHistoryRangFrom), call.caller_id);
  if (call.caller_id_record >= 0) {
    char read[kUserNameCapacity + 1];
    QuoteBuffer quote;
    PutText(text, ", ");
    PutFormatted(text, Text(kHistoryRecord),
                 static_cast<long long>(call.caller_id_record + 1),
                 QuoteWithin(quote,
                             NameOfRecord(call.caller_id_record,
                                          call.caller_id_name, read),
                             kReportWidth));
  }
  if (call.caller_id_banned_by > 0)
    PutFormatted(text, Text(kHistoryBannedBy), call.caller_id_banned_by);
}

// What the call's own caller-id line gave, where ringcheck took nothing:
// the number, who has it and, for a connection, what that cost.
void DescribeCallerIdNumber(LineBuilder *text, const Call &call) {
  if (call.caller_id[0] == '\0')
    return;
  if (!SubscribersRead()) {
    PutFormatted(text, Text(kHistoryRangFrom), call.caller_id);
    return;
  }
  DescribeCallerIdOwner(text, call);
  if (!call.connected)
    return;
  if (call.caller_id_banned_by > 0)
    PutText(text, Text(kHistoryLetIn));
  else if (call.caller_id_record >= 0)
    PutText(text, Text(kHistoryNotRecognised));
}

// Who a number of a mail session or an own call is, where that says
// something: a subscriber's record, a ban.  Never "let in" nor "not
// recognised": such a connection never reaches the BBS.
void DescribeMailNumber(LineBuilder *text, int64_t record, uint32_t name,
                        int banned_by) {
  if (record >= 0) {
    char read[kUserNameCapacity + 1];
    QuoteBuffer quote;
    PutText(text, "; ");
    PutFormatted(text, Text(kHistoryRecord), static_cast<long long>(record + 1),
                 QuoteWithin(quote, NameOfRecord(record, name, read),
                             kReportWidth));
  }
  if (banned_by <= 0)
    return;
  if (record < 0) {
    PutText(text, "; ");
    PutFormatted(text, Text(kHistoryBannedByFirst), banned_by);
  } else {
    PutFormatted(text, Text(kHistoryBannedBy), banned_by);
  }
}

// A mail session or an own call: its kind and address first, then its
// number's owner or ban, the number its own caller-id line gives where
// ringcheck took none.
void DescribeMailCall(LineBuilder *text, const Call &call) {
  if (call.kind == kMailOut && call.address[0] == '\0')
    PutText(text, Text(kHistoryOwnCallDialled));
  else
    PutFormatted(text,
                 Text(call.kind == kMailIn ? kHistoryMailSession
                                           : kHistoryOwnCall),
                 call.address);
  if (call.number[0] != '\0') {
    DescribeMailNumber(text, call.record, call.name, call.banned_by);
    return;
  }
  if (call.caller_id[0] != '\0')
    DescribeCallerIdOwner(text, call);
}

void DescribeCall(LineBuilder *text, const Call &call) {
  BeginLine(text);
  if (call.kind != kCaller) {
    DescribeMailCall(text, call);
    return;
  }
  if (call.number[0] != '\0') {
    DescribeNumber(text, call.record, call.name, call.banned_by);
    return;
  }
  if (call.why == kCallerIdUp)
    PutFormatted(text, Text(kHistoryWhyUp),
                 static_cast<long long>(call.lines_up),
                 CountForm(call.lines_up, kFormLineAccusative));
  else
    PutText(text, WhyNoNumberText(call.why));
  DescribeCallerIdNumber(text, call);
}

// A heading a day, so that each row has its date without a column; the
// rows before the first date have none.
void ReportDayOf(const Call &call) {
  bool same = call.date.year == rows.day.year &&
              call.date.month == rows.day.month &&
              call.date.day == rows.day.day;
  rows.day = call.date;
  if (same)
    return;
  if (call.date.day == 0) {
    ReportPlainLine(Text(kHistoryNoDay));
    return;
  }
  char date[11];
  ShowDate(call.date, ReportLanguageInUse() == kRussian, date);
  ReportLine(Text(kHistoryDay), date);
}

void ReportCall(const Call &call) {
  ReportDayOf(call);
  LineBuilder row;
  BeginLine(&row);
  PutFormatted(&row, "%9lld  ", static_cast<long long>(call.line));
  PutPadded(&row, call.time, kTimeColumns);
  PutByte(&row, ' ');
  PutPadded(&row, call.number[0] != '\0' ? call.number : Text(kNoNumber),
            kCallerNumberCapacity);
  PutByte(&row, ' ');
  PutPadded(&row, call.type, 2);
  PutByte(&row, ' ');
  char connected[32];
  if (call.connected && call.kind != kCaller)
    snprintf(connected, sizeof connected, "%s", Text(kHistoryConnectedMail));
  else if (call.connected)
    snprintf(connected, sizeof connected, Text(kHistoryConnected), call.status);
  else
    snprintf(connected, sizeof connected, "%s", Text(kHistoryRang));
  PutPadded(&row, connected, kConnectedColumns);
  PutByte(&row, ' ');
  if (rows.with_pattern) {
    char status[8] = "";
    if (call.connected && call.kind == kCaller)
      snprintf(status, sizeof status, "%d", call.pattern_status);
    PutPadded(&row, status, kPatternColumns);
    PutByte(&row, ' ');
  }
  LineBuilder text;
  DescribeCall(&text, call);
  ReportBuiltLineWith(&row, text.text);
}

// A CSV row, built in place: its fields are short, and a quote may double
// each character of one.
struct CsvRow {
  char text[16 * 96];
  size_t length;
};

// A field as RFC 4180 has it: in double quotes, each one inside doubled,
// when it holds the separator, a quote or a line break.  A field that a
// spreadsheet would take for a formula (=, +, -, @ first) gets a ' before
// it, as callers choose names; guarded asks for that.  Code page 866
// becomes UTF-8.
void PutCsvField(CsvRow *row, const char *text, bool guarded = true) {
  char *out = row->text + row->length;
  if (row->length > 0)
    *out++ = rows.separator;
  size_t length = strlen(text);
  const char quoted_for[] = {rows.separator, '"', '\r', '\n', '\0'};
  bool quoted = strcspn(text, quoted_for) < length;
  if (quoted)
    *out++ = '"';
  char first = text[0];
  if (guarded && (first == '=' || first == '+' || first == '-' ||
                  first == '@' || first == '\t' || first == '\r'))
    *out++ = '\'';
  for (; *text != '\0'; text++) {
    if (quoted && *text == '"')
      *out++ = '"';
    out += Cp866ToUtf8(static_cast<unsigned char>(*text), out);
  }
  if (quoted)
    *out++ = '"';
  *out = '\0';
  row->length = static_cast<size_t>(out - row->text);
}

void PutCsvNumber(CsvRow *row, long long number, bool present) {
  char text[24] = "";
  if (present)
    snprintf(text, sizeof text, "%lld", number);
  PutCsvField(row, text);
}

// CR LF after the row, then the row written.
void EndCsvRow(CsvRow *row) {
  memcpy(row->text + row->length, "\r\n", 3);
  OsWriteOutputBytes(row->text, row->length + 2);
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
  PutCsvField(&row, call.record >= 0
                        ? NameOfRecord(call.record, call.name, read)
                        : "");
  PutCsvNumber(&row, call.banned_by, call.banned_by > 0);
  char date[11];
  CsvDate(call.date, date);
  // A date without its year is --mm-dd, as ISO 8601 writes it.
  PutCsvField(&row, date, false);
  PutCsvField(&row, call.caller_id);
  PutCsvField(&row, call.number[0] == '\0' ? kReasonCodes[call.why] : "");
  PutCsvField(&row, kKindCodes[call.kind]);
  PutCsvField(&row, call.kind != kCaller ? call.address : "", false);
  EndCsvRow(&row);
}

}  // namespace

const char *WhyNoNumberText(NoNumber why) { return Text(kWhyTexts[why]); }

void BeginRows(bool with_pattern, char separator) {
  rows = Rows();
  rows.with_pattern = with_pattern;
  rows.separator = separator;
}

void WriteCallsHeading() {
  if (OutputModeInUse() == kCsvOutput) {
    OsWriteOutputBytes(kByteOrderMark, sizeof kByteOrderMark - 1);
    CsvRow header;
    header.length = 0;
    for (const char *column : kCsvColumns)
      PutCsvField(&header, column, false);
    EndCsvRow(&header);
    return;
  }
  ReportBlankLine();
  ReportPlainLine(Text(rows.with_pattern ? kHistoryMatchingHeading
                                         : kHistoryCallsHeading));
  ReportPlainLine(
      Text(rows.with_pattern ? kHistoryColumnsPattern : kHistoryColumns));
}

void WriteCall(const Call &call) {
  if (OutputModeInUse() == kCsvOutput)
    WriteCsvRow(call);
  else
    ReportCall(call);
}

void DescribeNumber(LineBuilder *text, int64_t record, uint32_t name,
                    int banned_by) {
  if (!SubscribersRead()) {
    PutText(text, Text(kHistoryNoBaseUser));
  } else if (record < 0) {
    PutText(text, Text(kHistoryUnknown));
  } else {
    char read[kUserNameCapacity + 1];
    QuoteBuffer quote;
    PutFormatted(text, Text(kHistoryRecord), static_cast<long long>(record + 1),
                 QuoteWithin(quote, NameOfRecord(record, name, read),
                             kReportWidth));
  }
  if (banned_by > 0)
    PutFormatted(text, Text(kHistoryBannedBy), banned_by);
}
