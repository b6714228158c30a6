// The call history.  The configuration, BADLIST, users.tor and the whole
// mailer log are read by ringcheck's own readers, and nothing is written.
// The walk through the log (walk.cpp) hands each call here; the window of
// days and a pattern keep those asked for; the numbers' side (numbers.cpp)
// completes each with its subscriber and ban; the call is written as a row
// (rows.cpp) and counted for the tables after them (tables.cpp).
#include "explain/history/history.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/history/dates.h"
#include "explain/history/numbers.h"
#include "explain/history/rows.h"
#include "explain/history/tables.h"
#include "explain/history/texts.h"
#include "explain/history/walk.h"
#include "explain/report/inputs.h"
#include "explain/report/paths.h"
#include "explain/report/phone_keys.h"
#include "explain/report/run.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "platform/os.h"
#include "platform/text_output.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

// A log past this size tells how far its reading is, on a console.
constexpr int64_t kProgressFrom = int64_t{64} << 20;
constexpr int64_t kProgressEvery = 250;  // milliseconds

struct Pattern {
  bool given;
  bool is_remark;  // a comment line, which bans nobody
  char digits[kNumberPatternCapacity + 1];
};

struct Window {
  bool given;
  WindowBound since;  // day 0: open
  WindowBound until;
  LogDate today;  // by the machine's clock
};

struct Progress {
  bool shown;
  bool refused;  // standard error is no console
  int64_t last;
};

HistoryRequest request;
Pattern pattern;
Window window;
Progress progress;
bool calls_begun;
bool calls_dated;  // some call had a date, of a date line or its own
bool no_dates;     // a window was asked of a log without dates

const RunObserver kHistoryObserver = {
    nullptr, nullptr,               SeeBadConfigLine,     nullptr, nullptr,
    nullptr, SeeDigitsVoidedInWalk, SeeDigitsEndedInWalk, nullptr, nullptr,
    nullptr, nullptr,               SeeListPieceRead,     nullptr,
};

// A refusal of the command line, in the report or, once a CSV has begun,
// on standard error.
void SayRefused(const char *text) {
  if (request.csv && calls_begun)
    OsWriteErrorLine(text);
  else
    ReportPlainLine(text);
}

// The days asked for, today's date by the machine's clock; false, said,
// when one is no date.
bool TakeWindow() {
  const char *const days[2] = {request.since, request.until};
  const char *const names[2] = {"--since", "--until"};
  WindowBound *const bounds[2] = {&window.since, &window.until};
  LogDate &today = window.today;
  OsLocalDate(&today.year, &today.month, &today.day);
  for (int side = 0; side < 2; side++) {
    if (days[side] == nullptr)
      continue;
    window.given = true;
    if (!ReadWindowDate(days[side], today, bounds[side])) {
      char said[kReportWidth * 4];
      QuoteBuffer quote;
      snprintf(said, sizeof said, Text(kHistoryBadDate), names[side],
               QuoteWithin(quote, days[side], kReportWidth - 20));
      SayRefused(said);
      return false;
    }
  }
  return true;
}

// A side of the window as the reader writes dates, its time after it
// (text holds 24 bytes).
void ShowBound(WindowBound bound, bool russian, char *text) {
  char date[11];
  ShowDate(bound.date, russian, date);
  int second = bound.second;
  if (second < 0)
    snprintf(text, 24, "%s", date);
  else if (second % 60 == 0)
    snprintf(text, 24, "%s %02d:%02d", date, second / 3600, second / 60 % 60);
  else
    snprintf(text, 24, "%s %02d:%02d:%02d", date, second / 3600,
             second / 60 % 60, second % 60);
}

void ReportWindow() {
  if (!window.given)
    return;
  char since[24];
  char until[24];
  bool russian = ReportLanguageInUse() == kRussian;
  ShowBound(window.since, russian, since);
  ShowBound(window.until, russian, until);
  ReportBlankLine();
  ReportLine(Text(kHistoryWindow),
             window.since.date.day != 0 ? since : Text(kHistoryWindowStart),
             window.until.date.day != 0 ? until : Text(kHistoryWindowEnd));
}

void ReadConfiguration(const char *path) {
  ReadConfigurationUnder(path);
  SplitCallerIdSetting();
  QuoteBuffer quote;
  if (Settings[CIDMASK][0] != '\0')
    ReportLine(Text(kHistoryMask), Quote(quote, Settings[CIDMASK]));
}

// Whether the pattern can match a number ringcheck takes: IDLEN digits,
// or with a mask as few as it may leave.  When it cannot, the lengths it
// was tried on are said.
void SayWhenPatternNeverMatches() {
  if (CheckDigitCount() != kDigitCountFits)
    return;
  int most = PhoneDigitsCompared();
  int fewest = FewestNumberDigits();
  for (int digits = fewest; digits <= most; digits++)
    if (PatternMatchesSomeNumber(pattern.digits, static_cast<size_t>(digits)))
      return;
  char lengths[32];
  if (fewest == most)
    snprintf(lengths, sizeof lengths, "%d", most);
  else
    snprintf(lengths, sizeof lengths, "%d-%d", fewest, most);
  ReportLine(Text(kHistoryPatternNever), lengths);
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
  SayWhenPatternNeverMatches();
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
  WriteCallsHeading();
  calls_begun = true;
}

bool PatternKeeps(const Call &call) {
  if (!pattern.given)
    return true;
  if (pattern.is_remark)
    return false;
  if (call.number[0] != '\0' &&
      MatchNumberPattern(pattern.digits, call.number))
    return true;
  // Mostly the same number, which has not matched.
  return call.caller_id[0] != '\0' &&
         strcmp(call.caller_id, call.number) != 0 &&
         MatchNumberPattern(pattern.digits, call.caller_id);
}

void TakeCall(const Call &walked) {
  calls_dated = calls_dated || walked.date.day != 0;
  if (window.given &&
      !DateInWindow(walked.date, walked.time, window.since, window.until,
                    window.today))
    return;
  if (!PatternKeeps(walked))
    return;
  // A pattern is tried on the BBS's callers: ringcheck never runs for a
  // mail session or an own call, which are only counted.
  if (pattern.given && walked.kind != kCaller) {
    CountMailMatched();
    return;
  }
  Call call = walked;
  LookUpCall(&call, pattern.given ? pattern.digits : nullptr);
  WriteCall(call);
  CountCall(call);
}

// How far the reading is, a few times a second, on a console alone.
void ShowProgress(int64_t read, int64_t size) {
  if (size <= kProgressFrom || progress.refused)
    return;
  int64_t now = OsMilliseconds();
  if (progress.shown && now >= progress.last &&
      now - progress.last < kProgressEvery)
    return;
  char text[80];
  snprintf(text, sizeof text, Text(kHistoryProgress),
           static_cast<int>(read * 100 / size));
  progress.shown = OsShowProgress(text);
  progress.refused = !progress.shown;
  progress.last = now;
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
  ReportWindow();
  ReportPathHeading(kLogHeading, Settings[LOGWITHAON]);
  ReportFoundPath(Settings[LOGWITHAON], false);
  LogWalked log = WalkMailerLog(BeginCalls, TakeCall, ShowProgress);
  if (!log.opened) {
    ReportPlainLine(Text(kLogCannotOpen));
    RememberFileName(Settings[LOGWITHAON]);
    FinishRun(kStatusNoMailerLog);
  }
  if (progress.shown)
    OsShowProgress("");
  // No call was kept then, so no row was written.
  if (window.given && !log.dated && !calls_dated) {
    no_dates = true;
    return;
  }
  if (!RowsAreCsv()) {
    if (CallsCounted() == 0)
      ReportPlainLine(Text(kHistoryNoCalls));
    ReportNumbers();
    ReportMailSessions();
    ReportTotals(log, pattern.given);
    ReportDays();
    ReportHours();
  }
  if (!SubscribersRead())
    FinishRun(kStatusNoUserBase);
}

}  // namespace

int ReportCallHistory(const HistoryRequest &asked) {
  request = asked;
  pattern = Pattern();
  window = Window();
  progress = Progress();
  calls_begun = false;
  calls_dated = false;
  no_dates = false;
  ForgetReportInputs();
  ForgetNumbers();
  ForgetTotals();
  BeginRows(request.csv, request.pattern != nullptr, request.csv_separator);
  if (!request.csv)
    ReportPlainLine(Text(kHistoryTitle));
  if (!TakeWindow())
    return ReportRefusal();
  // A CSV has no report around it.
  MuteReport(request.csv);
  int status = RunReportStages(&kHistoryObserver, HistoryStages);
  MuteReport(false);
  ForgetNumbers();
  if (no_dates && status == kStatusNormal) {
    SayRefused(Text(kHistoryNoDates));
    return request.csv ? kStatusRefusedLine : ReportRefusal();
  }
  // After a CSV, only a failure before its first row is told.
  if (!request.csv || (!calls_begun && status != kStatusNormal))
    ReportOutcome(status, ReportInputs.config_named, Text(kHistoryRead),
                  Text(kHistoryNoMemory), Text(kHistoryStatus6));
  return status;
}
