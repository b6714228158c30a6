// The call history.  The configuration, BADLIST, users.tor and the whole
// mailer log are read by ringcheck's own readers, and nothing is written.
// The walk through the log (walk.cpp) hands each call here; a pattern
// keeps those it would ban; the numbers' side (numbers.cpp) completes
// each with its subscriber and ban; the call is written as a row
// (rows.cpp) and counted for the tables after them (tables.cpp).
#include "explain/history/history.h"

#include <vector>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/history/numbers.h"
#include "explain/history/rows.h"
#include "explain/history/tables.h"
#include "explain/history/texts.h"
#include "explain/history/walk.h"
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

struct Pattern {
  bool given;
  bool is_remark;  // a comment line, which bans nobody
  char digits[kNumberPatternCapacity + 1];
};

HistoryRequest request;
Pattern pattern;
bool calls_begun;

const RunObserver kHistoryObserver = {
    nullptr, nullptr,               SeeBadConfigLine,     nullptr, nullptr,
    nullptr, SeeDigitsVoidedInWalk, SeeDigitsEndedInWalk, nullptr, nullptr,
    nullptr, nullptr,               SeeListPieceRead,     nullptr,
};

void ReadConfiguration(const char *path) {
  ReadConfigurationUnder(path);
  SplitCallerIdSetting();
  QuoteBuffer quote;
  if (Settings[CIDMASK][0] != '\0')
    ReportLine(Text(kHistoryMask), Quote(quote, Settings[CIDMASK]));
}

// Takes the pattern as a BADLIST line.  A remark leaves none: every call is
// then left out, as such a line bans nobody.
void TakePattern(const char *argument) {
  ListLine line;
  CopyText(line, kListPieceLength, argument);
  QuoteBuffer quote;
  Quote(quote, argument);
  pattern.given = true;
  if (!PrepareListEntry(line)) {
    pattern.is_remark = true;
    ReportBlankLine();
    ReportLine(Text(kHistoryPatternRemark), quote);
    return;
  }
  TakeNumberPattern(line, pattern.digits);
  ReportBlankLine();
  ReportLine(Text(kHistoryPattern), quote, pattern.digits);
  size_t characters = 0;
  for (const char *p = line; *p != '\0'; p++)
    characters += (*p >= '0' && *p <= '9') || *p == '?' || *p == '*';
  if (characters > kNumberPatternCapacity)
    ReportPlainLine(Text(kHistoryPatternCut));
  if (pattern.digits[0] == '\0')
    ReportPlainLine(Text(kHistoryPatternEmpty));
}

// Every record whose own number the pattern bans, said plainly.
void ReportBannedSubscribers(ScopedFile *base) {
  if (!pattern.given || !SubscribersRead() || pattern.is_remark)
    return;
  std::vector<BannedRecord> banned = RecordsBannedBy(pattern.digits);
  if (banned.empty()) {
    ReportPlainLine(Text(kHistoryPatternBansNone));
    return;
  }
  ReportLine(Text(kHistoryPatternBans), static_cast<long long>(banned.size()));
  for (const BannedRecord &entry : banned) {
    KeyNumber number;
    NumberOfKey(entry.key, number);
    char name[kUserNameCapacity + 1];
    ReadRecordName(base, entry.record, name);
    QuoteBuffer quote;
    ReportLine(Text(kHistoryPatternBansRecord),
               static_cast<long long>(entry.record + 1), Quote(quote, name),
               number);
  }
}

void BeginCalls() {
  WriteCallsHeading(pattern.given);
  calls_begun = true;
}

void TakeCall(const Call &walked) {
  if (pattern.given &&
      (pattern.is_remark || walked.number[0] == '\0' ||
       !MatchNumberPattern(pattern.digits, walked.number)))
    return;
  Call call = walked;
  LookUpCall(&call);
  WriteCall(call);
  CountCall(call);
}

void HistoryStages() {
  if (request.config == nullptr)
    FinishRun(kStatusNoConfigFile);
  ReadConfiguration(request.config);
  ReadBannedPatterns();
  ScopedFile base;
  ReadSubscribers(&base);
  if (request.pattern != nullptr)
    TakePattern(request.pattern);
  ReportBannedSubscribers(&base);
  LogWalked log = WalkMailerLog(BeginCalls, TakeCall);
  if (!RowsAreCsv()) {
    if (CallsCounted() == 0)
      ReportPlainLine(Text(kHistoryNoCalls));
    ReportNumbers();
    ReportTotals(log);
    ReportHours();
  }
  if (!SubscribersRead())
    FinishRun(kStatusNoUserBase);
}

}  // namespace

int ReportCallHistory(const HistoryRequest &asked) {
  request = asked;
  pattern = Pattern();
  calls_begun = false;
  ForgetReportInputs();
  ForgetNumbers();
  ForgetTotals();
  WriteRowsAsCsv(request.csv);
  // A CSV has no report around it.
  MuteReport(request.csv);
  ReportPlainLine(Text(kHistoryTitle));
  int status = RunReportStages(&kHistoryObserver, HistoryStages);
  MuteReport(false);
  ForgetNumbers();
  // After a CSV, only a failure before its first row is told.
  if (!request.csv || (!calls_begun && status != kStatusNormal))
    ReportOutcome(status, ReportInputs.config_named, Text(kHistoryRead),
                  Text(kHistoryNoMemory), Text(kHistoryStatus6));
  return status;
}
