// The history's message: which calls need the sysop, their rows kept until
// the report's sections are written, the subject, and the message sent.
#include "explain/history/message.h"

#include <cstdio>
#include <cstring>

#include "capture/fido_address.h"
#include "checks/subscriber.h"
#include "explain/history/history.h"
#include "explain/history/message_texts.h"
#include "explain/history/rows.h"
#include "explain/history/tables.h"
#include "explain/history/texts.h"
#include "explain/report/netmail.h"
#include "explain/report/run.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "platform/language.h"
#include "platform/os.h"
#include "platform/text_output.h"
#include "run/run_status.h"
#include "run/text_helpers.h"
#include "run/version.h"

namespace {

// Why a call needs the sysop, the first that holds, in this order.
enum Need {
  kNeedsNothing,
  kBannedLetIn,
  kNotRecognised,
  kTurnedAway,
  kWithoutNumber,
  kNeeds
};

// What a row says first, and the subject's count, of each need; those of
// kNeedsNothing are never written.
const MessageText kNeedTexts[kNeeds] = {
    kMessageTitle, kMessageBannedLetIn, kMessageNotRecognised,
    kMessageTurnedAway, kMessageWithoutNumber,
};

const MessageText kSubjectTexts[kNeeds] = {
    kMessageSubject, kMessageSubjectBannedIn, kMessageSubjectUnrecognised,
    kMessageSubjectTurnedAway, kMessageSubjectWithout,
};

// The rows kept: each its beginning and what it says, one after another,
// each ended by NUL.
struct MessageRows {
  char text[kMessageRowBytes];
  size_t used;
  long long more;  // rows that did not fit
  long long calls;  // the BBS's callers
  long long needs[kNeeds];
  LogDate first;  // of the calls kept; day 0: none
  LogDate last;
};

HistoryRequest request;
FidoAddress from_address;
FidoAddress to_address;
char to_name[kNetmailNameCapacity + 1];
MessageRows rows;
WindowBound window_since;  // the days asked for; day 0: open
WindowBound window_until;

// A mail session or the station's own call never reached the BBS, nor
// ringcheck: whatever its number, it needs nobody.
Need NeedOf(const Call &call) {
  if (!call.connected || call.kind != kCaller)
    return kNeedsNothing;
  if (BannedLetIn(call))
    return kBannedLetIn;
  if (NotRecognised(call))
    return kNotRecognised;
  if (call.status == kStatusBannedNumber)
    return kTurnedAway;
  if (call.number[0] == '\0')
    return kWithoutNumber;
  return kNeedsNothing;
}

// What the row says after why it is there: the number and whom it is, or
// why ringcheck took none and what the call's own caller-id line gave.
void DescribeNeed(LineBuilder *text, const Call &call, Need need) {
  BeginLine(text);
  PutText(text, Text(kNeedTexts[need]));
  PutText(text, ": ");
  if (call.number[0] != '\0') {
    PutText(text, call.number);
    PutByte(text, ' ');
    DescribeNumber(text, call.record, call.name, call.banned_by);
    return;
  }
  PutText(text, WhyNoNumberText(call.why));
  if (call.caller_id[0] == '\0')
    return;
  PutFormatted(text, Text(kHistoryRangFrom), call.caller_id);
  if (call.caller_id_record >= 0 || call.caller_id_banned_by > 0) {
    PutText(text, ", ");
    DescribeNumber(text, call.caller_id_record, call.caller_id_name,
                   call.caller_id_banned_by);
  }
}

bool SameDay(LogDate a, LogDate b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

void KeepRow(const char *begin, const char *said) {
  size_t begin_length = strlen(begin) + 1;
  size_t said_length = strlen(said) + 1;
  if (rows.more > 0 ||
      rows.used + begin_length + said_length > sizeof rows.text) {
    rows.more++;
    return;
  }
  memcpy(rows.text + rows.used, begin, begin_length);
  memcpy(rows.text + rows.used + begin_length, said, said_length);
  rows.used += begin_length + said_length;
}

// An argument as the sysop would type it again: in quotes where it holds a
// blank.
void PutArgument(LineBuilder *line, const char *argument) {
  bool quoted = strchr(argument, ' ') != nullptr || argument[0] == '\0';
  PutByte(line, ' ');
  if (quoted)
    PutByte(line, '"');
  PutText(line, argument);
  if (quoted)
    PutByte(line, '"');
}

// The command that lists every call the message leaves out.
void MakeListingCommand(LineBuilder *command) {
  BeginLine(command);
  PutText(command, "ringcheck-explain --calls");
  // The days as dates, not as "yesterday": the command lists the same
  // calls whenever it is run.
  const WindowBound *const bounds[2] = {&window_since, &window_until};
  const char *const names[2] = {" --since", " --until"};
  for (int side = 0; side < 2; side++) {
    if (bounds[side]->date.day == 0)
      continue;
    char bound[kWindowBoundLength + 1];
    ShowWindowBound(*bounds[side], false, bound);
    PutText(command, names[side]);
    PutArgument(command, bound);
  }
  if (request.config != nullptr)
    PutArgument(command, request.config);
  if (request.pattern != nullptr)
    PutArgument(command, request.pattern);
}

// The subject: the days asked for, else those of the calls, and the counts
// that matter, as many as fit.
void MakeSubject(char *subject) {
  bool russian = ReportLanguageInUse() == kRussian;
  if (window_since.date.day != 0)
    rows.first = window_since.date;
  if (window_until.date.day != 0)
    rows.last = window_until.date;
  if (rows.first.day == 0)
    rows.first = rows.last;
  if (rows.last.day == 0)
    rows.last = rows.first;
  char days[32];
  if (rows.first.day == 0) {
    snprintf(days, sizeof days, "%s", Text(kMessageSubjectAll));
  } else {
    char first[11];
    char last[11];
    ShowDate(rows.first, russian, first);
    ShowDate(rows.last, russian, last);
    if (SameDay(rows.first, rows.last))
      snprintf(days, sizeof days, "%s", first);
    else
      snprintf(days, sizeof days, Text(kMessageSubjectDays), first, last);
  }
  char made[256];
  int used = snprintf(made, sizeof made, Text(kMessageSubject), days,
                      rows.calls);
  for (int need = kBannedLetIn; need < kNeeds; need++) {
    if (rows.needs[need] == 0)
      continue;
    char part[64];
    int length = snprintf(part, sizeof part, Text(kSubjectTexts[need]),
                          rows.needs[need]);
    if (used + length > static_cast<int>(kNetmailSubjectCapacity))
      break;
    memcpy(made + used, part, static_cast<size_t>(length) + 1);
    used += length;
  }
  made[kNetmailSubjectCapacity] = '\0';
  memcpy(subject, made, kNetmailSubjectCapacity + 1);
}

bool TakeAddress(const char *name, const char *text, FidoAddress *address) {
  if (text != nullptr && ReadFidoAddress(text, address))
    return true;
  QuoteBuffer quote;
  const char *given = text != nullptr ? text : "";
  ReportLine(Text(kMessageBadAddress), name,
             QuoteWithin(quote, given, kReportWidth - 20));
  return false;
}

int SayNotWritten(MessageText reason) {
  QuoteBuffer quote;
  ReportLine(Text(reason), QuoteWithin(quote, request.netmail, 40));
  ReportBlankLine();
  ReportPlainLine(Text(kOutcomeHeading));
  ReportLine(Text(kExitCode), kStatusNoResultFile, Text(kMessageStatus7));
  return kStatusNoResultFile;
}

}  // namespace

bool TakeMessageRequest(const HistoryRequest &asked) {
  request = asked;
  if (!TakeAddress("--address", request.address, &from_address))
    return false;
  if (request.to_address == nullptr)
    to_address = from_address;
  else if (!TakeAddress("--to-address", request.to_address, &to_address))
    return false;
  // The name in the code page the message declares, as typed in any.
  if (request.to != nullptr &&
      (!OsArgumentInCp866(request.to, to_name, sizeof to_name) ||
       !NetmailNameFits(to_name))) {
    QuoteBuffer quote;
    ReportLine(Text(kMessageBadName), QuoteWithin(quote, request.to, 40),
               static_cast<int>(kNetmailNameCapacity));
    return false;
  }
  return true;
}

void BeginMessageRows(WindowBound since, WindowBound until) {
  window_since = since;
  window_until = until;
  rows.used = 0;
  rows.more = 0;
  rows.calls = 0;
  for (long long &count : rows.needs)
    count = 0;
  rows.first = LogDate{0, 0, 0};
  rows.last = rows.first;
}

void KeepMessageRow(const Call &call) {
  // The subject counts the BBS's callers, as the totals' calls do.
  rows.calls += call.kind == kCaller;
  if (call.date.day != 0) {
    if (rows.first.day == 0)
      rows.first = call.date;
    rows.last = call.date;
  }
  Need need = NeedOf(call);
  if (need == kNeedsNothing)
    return;
  rows.needs[need]++;
  char date[11] = "-";
  if (call.date.day != 0)
    ShowDate(call.date, ReportLanguageInUse() == kRussian, date);
  LineBuilder begin;
  BeginLine(&begin);
  PutFormatted(&begin, Text(kMessageRow), date, call.time,
               static_cast<long long>(call.line));
  LineBuilder said;
  DescribeNeed(&said, call, need);
  KeepRow(begin.text, said.text);
}

bool MessageHasRows() { return rows.used > 0 || rows.more > 0; }

void WriteMessageRows() {
  ReportBlankLine();
  if (!MessageHasRows()) {
    ReportPlainLine(Text(kMessageNothing));
    return;
  }
  ReportPlainLine(Text(kMessageRowsHeading));
  for (size_t at = 0; at < rows.used;) {
    const char *begin = rows.text + at;
    const char *said = begin + strlen(begin) + 1;
    at = static_cast<size_t>(said - rows.text) + strlen(said) + 1;
    LineBuilder line;
    BeginLine(&line);
    PutText(&line, begin);
    ReportBuiltLineWith(&line, said);
  }
  if (rows.more > 0) {
    LineBuilder command;
    MakeListingCommand(&command);
    ReportLine(Text(kMessageMore), rows.more, command.text);
  }
}

int SendHistoryMessage() {
  if (NetmailTextFull())
    AddNetmailNote(Text(kMessageCut));
  char subject[kNetmailSubjectCapacity + 1];
  MakeSubject(subject);
  char program[64];
  snprintf(program, sizeof program, "ringcheck-explain %s", kRingcheckVersion);
  if (request.to == nullptr)
    CopyText(to_name, kNetmailNameCapacity, "Sysop");
  NetmailEnvelope envelope = {from_address, to_address, "ringcheck",
                              to_name,      subject,    program};
  char path[kMaxPathLength + 1];
  NetmailWritten written = WriteNetmail(request.netmail, envelope, path);
  // What follows goes to standard output, whatever the message's text.
  ChooseOutputMode(kReportOutput);
  if (written == kNetmailNoFolder)
    return SayNotWritten(kMessageNoFolder);
  if (written == kNetmailNotWritten)
    return SayNotWritten(kMessageNotWritten);
  // The path whole, however long: the one line the run prints.
  char address[kFidoAddressCapacity + 1];
  ShowFidoAddress(to_address, address);
  char line[kMaxPathLength + 256];
  snprintf(line, sizeof line, Text(kMessageWritten), path, to_name, address);
  OsWriteTextLine(line);
  return kStatusNormal;
}
