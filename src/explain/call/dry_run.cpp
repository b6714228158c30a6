// The watcher of the dry run.  The report follows the stages: each section
// opens when its stage starts and closes when the next one starts or the
// run ends, and what a section says at its close it reads from the shared
// buffers, which hold by then what the stage left in them.
#include "explain/call/dry_run.h"

#include <cstdio>
#include <cstring>

#include "capture/caller_number.h"
#include "capture/connection_kinds.h"
#include "capture/log_lines.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "explain/call/texts.h"
#include "explain/report/paths.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "output/result_file.h"
#include "platform/language.h"
#include "platform/os.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

constexpr int kNoStage = -1;

// How the collected number last became empty.
enum EmptiedBy { kNotEmptied, kVoided, kEmptiedByConnect, kNoDigits };

// What the report has gathered of the run so far.
struct {
  const char *config_path;
  int stage;
  int setting_lines[kSettingCount];  // 0: the default
  char piece[kSettingCapacity + 2];   // the configuration piece as read
  // The mailer log.
  int64_t line_number;
  const char *line;  // the scan's own buffer
  char raw_line[256];
  bool line_shown;
  char number_before[kCallerNumberCapacity + 1];
  bool saw_caller_id;
  EmptiedBy emptied_by;
  int64_t emptied_line;
  int64_t last_connect_line;
  // Who each connection was with, by the kinds' rules over the pieces
  // read: the piece read last waits until the scan has told what it held.
  KindRules kinds;
  bool piece_waiting;
  bool piece_caller_id;
  bool piece_connect;
  SettledConnection settled;  // the last connection settled, line 0: none
  // The mask.
  char unmasked[kCallerNumberCapacity + 1];
  // The user base and the lists.
  int64_t records;
  int64_t user_index;  // -1: no record matched
  // A later record with the number whose name is the login: -1 none.
  int64_t login_index;
  bool login_given;  // "" included
  bool list_opened;
  int list_line_number;
  char list_line[kListPieceLength + 1];
} report;

const char *NumberText(const char *number) {
  return number[0] != '\0' ? number : Text(kNoNumber);
}

// -- the configuration file

void ReportSettings() {
  for (int slot = 0; slot < kSettingCount; slot++) {
    QuoteBuffer quote;
    Quote(quote, Settings[slot]);
    if (report.setting_lines[slot] > 0)
      ReportLine(Text(kSettingFromLine), SettingKeyName(slot),
                 report.setting_lines[slot], quote);
    else
      ReportLine(Text(kSettingDefault), SettingKeyName(slot), quote);
  }
}

// The piece as ReadConfigFile sees it once a remark is cut and leading
// blanks go: nothing but its line feed makes an empty line.
bool PieceIsEmptyLine() {
  const char *p = report.piece;
  while (*p == ' ')
    p++;
  return *p == '\n';
}

void SeeConfigLineRead(const char *piece) {
  CopyText(report.piece, sizeof report.piece - 1, piece);
}

void SeeConfigLineBad(BadConfigLine why) {
  QuoteBuffer quote;
  ReportLine(Text(kBadLine), ConfigLineCount,
             Quote(quote, report.piece));
  CallText reason = why == kLineWithoutKey ? kBadLineNoKey
                    : PieceIsEmptyLine()   ? kBadLineEmpty
                                           : kBadLineNoSpace;
  ReportPlainLine(Text(reason));
}

void SeeConfigLineTaken(int slot) { report.setting_lines[slot] = ConfigLineCount; }

// -- the mailer log

void ShowLogLine() {
  if (report.line_shown)
    return;
  report.line_shown = true;
  QuoteBuffer quote;
  ReportLine(Text(kLogLine), static_cast<long long>(report.line_number),
             Quote(quote, report.raw_line));
}

// The piece read last, told to the kinds' rules.
void FollowPieceRead() {
  if (!report.piece_waiting)
    return;
  report.piece_waiting = false;
  LogLineClass line;
  ClassifyLogLine(report.raw_line, strlen(report.raw_line),
                  report.piece_caller_id, report.piece_connect, &line);
  SettledConnection settled;
  if (FollowLine(&report.kinds, report.line_number, line, &settled))
    report.settled = settled;
}

// When the connection of the CONNECT line found is a mail session or the
// station's own call, one line says so: ringcheck runs for callers only.
void ReportConnectionKind(int64_t connect_line) {
  FollowPieceRead();
  SettledConnection settled;
  if (EndKindRules(&report.kinds, &settled))
    report.settled = settled;
  const SettledConnection &last = report.settled;
  if (connect_line == 0 || last.line != connect_line || last.kind == kCaller)
    return;
  char address[kFidoAddressCapacity + 1] = "";
  if (last.has_address)
    ShowFidoAddress(last.address, address);
  if (last.kind == kMailIn)
    ReportLine(Text(kConnectMailIn), address);
  else if (last.has_address)
    ReportLine(Text(kConnectMailOut), address);
  else
    ReportPlainLine(Text(kConnectMailOutUnnamed));
}

void SeeMailerLogOpened(int64_t size, int64_t tail_start) {
  if (tail_start > 0)
    ReportLine(Text(kLogSize), static_cast<long long>(size),
               CountForm(size, kFormByte), static_cast<long long>(tail_start));
  else
    ReportLine(Text(kLogWhole), static_cast<long long>(size),
               CountForm(size, kFormByte));
  char marker[kSettingCapacity + 1];
  CopyText(marker, kSettingCapacity, Settings[CALLERID]);
  UpperCaseCp866(marker);
  QuoteBuffer marker_quote;
  QuoteBuffer separators_quote;
  ReportLine(Text(kLogMarker), Quote(marker_quote, marker),
             Quote(separators_quote, SeparatorSet));
  QuoteBuffer idlen_quote;
  ReportLine(Text(kLogWanted), DigitsWanted(),
             Quote(idlen_quote, Settings[IDLEN]),
             PhoneTypeWanted() ? Text(kLogWantedTypeNote) : "");
}

void SeeMailerLogLineRead(int64_t number, const char *piece) {
  FollowPieceRead();
  report.piece_waiting = true;
  report.piece_caller_id = false;
  report.piece_connect = false;
  report.line_number = number;
  report.line = piece;
  CopyText(report.raw_line, sizeof report.raw_line - 1, piece);
  report.line_shown = false;
  CopyText(report.number_before, kCallerNumberCapacity, CallerNumber);
}

void SeeDigitsVoided(const char *stop) {
  ShowLogLine();
  report.piece_caller_id = true;
  report.saw_caller_id = true;
  report.emptied_by = kVoided;
  report.emptied_line = report.line_number;
  int column = static_cast<int>(stop - report.line) + 1;
  if (*stop == '\n') {
    ReportLine(Text(kVoidedByLineEnd), column);
  } else if (*stop == '\0') {
    // The piece ends without its line feed: the text ends there, or the
    // line filled a whole piece and goes on in the next.
    ReportLine(Text(column > static_cast<int>(kLogPieceLength) ? kVoidedByCut
                                                               : kVoidedByEnd),
               column);
  } else {
    // The character as the log has it, not upper-cased.
    char shown[2] = {report.raw_line[column - 1], '\0'};
    QuoteBuffer quote;
    ReportLine(Text(kDigitsVoided), Quote(quote, shown), column);
  }
}

void SeeDigitsEnded(int64_t taken, int64_t wanted) {
  ShowLogLine();
  report.piece_caller_id = true;
  report.saw_caller_id = true;
  if (taken >= wanted) {
    ReportLine(Text(kDigitsTaken), CallerNumber, static_cast<long long>(wanted));
  } else if (taken > 0) {
    ReportLine(Text(kDigitsShort), static_cast<long long>(taken),
               static_cast<long long>(wanted));
  } else {
    QuoteBuffer quote;
    ReportLine(Text(kDigitsNone), Quote(quote, CallerNumber));
    if (CallerNumber[0] == '\0' && report.emptied_by == kNotEmptied) {
      report.emptied_by = kNoDigits;
      report.emptied_line = report.line_number;
    }
  }
  if (taken > 0 && report.number_before[0] != '\0')
    ReportLine(Text(kDigitsInPlaceOf), report.number_before);
  if (taken > 0)
    report.emptied_by = kNotEmptied;
}

void SeeConnectLineSeen() {
  ShowLogLine();
  report.piece_connect = true;
  report.last_connect_line = report.line_number;
  if (report.number_before[0] == '\0') {
    ReportPlainLine(Text(kConnectNoNumber));
  } else if (CallerNumber[0] == '\0') {
    ReportLine(Text(kConnectEmpties), report.number_before);
    report.emptied_by = kEmptiedByConnect;
    report.emptied_line = report.line_number;
  } else {
    ReportLine(Text(kConnectKeeps), CallerNumber);
  }
  CopyText(report.number_before, kCallerNumberCapacity, CallerNumber);
}

// Why the scan left no number.  The scan's last step drops a number of the
// wrong length; what it held before that is number_before, as no line
// after the last caller-id or CONNECT line changes it.
void ReportWhyNoNumber() {
  char why[128];
  long long wanted = DigitsWanted();
  long long line = report.emptied_line;
  QuoteBuffer quote;
  DigitCount count = CheckDigitCount();
  if (count == kDigitCountOutOfRange)
    snprintf(why, sizeof why, Text(kWhyBadCount), wanted,
             CountForm(wanted, kFormDigitGenitive));
  else if (count == kNoIdlenDigits)
    snprintf(why, sizeof why, Text(kWhyNoIdlen), Quote(quote, Settings[IDLEN]));
  else if (!report.saw_caller_id)
    snprintf(why, sizeof why, "%s", Text(kWhyNoMarker));
  else if (report.number_before[0] != '\0')
    snprintf(why, sizeof why, Text(kWhyTooFew),
             static_cast<int>(strlen(report.number_before)),
             CountForm(static_cast<long long>(strlen(report.number_before)),
                       kFormDigitAccusative),
             wanted);
  else if (report.emptied_by == kEmptiedByConnect)
    snprintf(why, sizeof why, Text(kWhyConnect), line);
  else if (report.emptied_by == kNoDigits)
    snprintf(why, sizeof why, Text(kWhyNoDigits), line);
  else
    snprintf(why, sizeof why, Text(kWhyVoided), line);
  ReportLine(Text(kNumberEmpty), why);
}

void ReportScanResults() {
  long long lines = report.line_number;
  long long connect_line = report.last_connect_line;
  ReportLine(Text(kLogLinesRead), lines);
  if (CallerNumber[0] != '\0')
    ReportLine(Text(kNumberIs), CallerNumber);
  else
    ReportWhyNoNumber();
  if (PhoneType[0] != '\0')
    ReportLine(Text(kPhoneTypeIs), PhoneType);
  else if (!PhoneTypeWanted())
    ReportPlainLine(Text(kPhoneTypeOff));
  else
    ReportPlainLine(Text(kPhoneTypeNoNumber));
  QuoteBuffer quote;
  if (ConnectLine[0] != '\0')
    ReportLine(Text(kConnectIs), connect_line, Quote(quote, ConnectLine));
  else if (connect_line == 0)
    ReportPlainLine(Text(kConnectNone));
  else
    ReportLine(Text(kConnectTooFar), connect_line, lines - connect_line,
               CountForm(lines - connect_line, kFormLineAccusative));
  ReportConnectionKind(connect_line);
  if (Settings[CIDMASK][0] == '\0') {
    ReportBlankLine();
    ReportPlainLine(Text(kMaskNone));
  }
}

// -- the user base and the lists

void SeeUserBaseOpened(int64_t records) {
  report.records = records;
  ReportLine(Text(kUserBaseRecords), static_cast<long long>(records));
}

void SeeUserFound(int64_t record_end) {
  report.user_index =
      record_end / static_cast<int64_t>(kUserRecordSize) - 1;
}

// The records after the match with the same number, which ringcheck never
// reads: every call from the number is taken as the first, so the others
// of a household that shares one line do not pass the scripts' check that
// the login is the subscriber found.
void ReportOtherRecords() {
  ScopedFile base;
  int64_t records = 0;
  if (!OpenUserBase(&base, &records)) {
    ReportPlainLine(Text(kOthersUnread));
    return;
  }
  // As many as the lookup counted: a base that grew since has more.
  if (records > report.records)
    records = report.records;
  UserBaseStream stream;
  BeginUserRecords(&stream, &base, report.user_index + 1, records);
  int idlen = PhoneDigitsCompared();
  bool others = false;
  const unsigned char *record;
  while ((record = NextUserRecordWithCallerNumber(&stream, idlen)) !=
         nullptr) {
    char name[kUserNameCapacity + 1];
    TakeUserName(record, name);
    int64_t index = UserRecordsTaken(&stream) - 1;
    QuoteBuffer quote;
    ReportLine(Text(kUserSharesNumber), static_cast<long long>(index + 1),
               Quote(quote, name));
    others = true;
    // The scripts let a login in as the record found when it is its name.
    if (report.login_index < 0 && LoginName[0] != '\0' &&
        strcmp(LoginName, name) == 0 && strcmp(LoginName, UserName) != 0)
      report.login_index = index;
  }
  CloseFile(&base);
  if (!others)
    return;
  ReportLine(Text(kUserTakenFirst),
             static_cast<long long>(report.user_index + 1));
  if (report.login_index >= 0)
    ReportLine(Text(kLoginIsLaterRecord),
               static_cast<long long>(report.login_index + 1),
               static_cast<long long>(report.user_index + 1));
}

void ReportUserFound() {
  if (report.user_index < 0) {
    ReportLine(Text(kUserNotFound), CallerNumber);
    return;
  }
  QuoteBuffer quote;
  ReportLine(Text(kUserFound), static_cast<long long>(report.user_index + 1),
             static_cast<long long>(report.user_index));
  ReportLine(Text(kUserName), Quote(quote, UserName));
  ReportLine(Text(kUserField534), Quote(quote, UserField534));
  ReportLine(Text(kUserField373), Quote(quote, UserField373));
  ReportOtherRecords();
}

void SeeListOpened(int slot, bool opened) {
  report.list_opened = opened;
  report.list_line_number = 0;
  if (opened)
    ReportFoundPath(Settings[slot], false);
  ReportPlainLine(Text(opened ? kListOpened : kListMissing));
}

void SeeListLineRead(const char *piece) {
  report.list_line_number++;
  CopyText(report.list_line, kListPieceLength, piece);
}

void ReportListMatch(CallText text) {
  QuoteBuffer quote;
  ReportLine(Text(text), report.list_line_number,
             Quote(quote, report.list_line));
}

void ReportNoListMatch(CallText text, const char *what) {
  if (!report.list_opened)
    return;
  ReportLine(Text(kListLinesRead), report.list_line_number);
  QuoteBuffer quote;
  ReportLine(Text(text), Quote(quote, what));
}

// What GOODLIST makes of a login that is the name of a later record with
// the number, told once its check has decided.
void ReportSharedLogin(bool exempt) {
  if (report.login_index < 0)
    return;
  long long login = report.login_index + 1;
  long long taken = report.user_index + 1;
  if (exempt) {
    ReportLine(Text(kSharedExempt), login, taken);
    return;
  }
  ReportLine(Text(kSharedNotExempt), login, taken, taken);
  ReportPlainLine(Text(kSharedRemedy));
}

// -- the sections

bool HoldsBytesAboveAscii(const char *text) {
  for (; *text != '\0'; text++)
    if (static_cast<unsigned char>(*text) >= 0x80)
      return true;
  return false;
}

void ReportLoginName() {
  QuoteBuffer quote;
  if (LoginName[0] == '\0') {
    // "" is a login name: the exempt check runs for it.
    ReportPlainLine(Text(report.login_given ? kEmptyLoginName : kNoLoginName));
    return;
  }
  ReportLine(Text(kLoginName), Quote(quote, LoginName));
  // A name typed at a Windows console comes in the ANSI code page, and
  // then its letters are not the lists' code page 866 letters.
  unsigned code_page = OsCommandLineCodePage();
  if (code_page != 0 && code_page != 866 && HoldsBytesAboveAscii(LoginName))
    ReportLine(Text(kCodePageNote), code_page, code_page);
}


void OpenSection(int stage) {
  char path[kMaxPathLength + 1];
  switch (stage) {
  case kSettingsStage:
    ReportLoginName();
    ReportPathHeading(kConfigHeading, report.config_path);
    ReportFoundPath(report.config_path, false);
    break;
  case kMailerLogStage:
    ReportPathHeading(kLogHeading, Settings[LOGWITHAON]);
    ReportFoundPath(Settings[LOGWITHAON], false);
    break;
  case kNumberMaskStage:
    CopyText(report.unmasked, kCallerNumberCapacity, CallerNumber);
    break;
  case kUserBaseStage:
    UserBasePath(path);
    ReportPathHeading(kUserBaseHeading, path);
    ReportFoundPath(path, false);
    break;
  case kBannedListStage:
    ReportPathHeading(kBannedHeading, Settings[BADLIST]);
    break;
  case kExemptListStage:
    ReportPathHeading(kExemptHeading, Settings[GOODLIST]);
    break;
  default:
    break;
  }
}

// Closes the section of a stage that went to its end.
void CloseSection(int stage) {
  QuoteBuffer quote;
  switch (stage) {
  case kSettingsStage:
    ReportSettings();
    break;
  case kMailerLogStage:
    ReportScanResults();
    break;
  case kNumberMaskStage:
    ReportBlankLine();
    ReportLine(Text(kMaskApplied), Quote(quote, Settings[CIDMASK]),
               NumberText(report.unmasked), NumberText(CallerNumber));
    break;
  case kUserBaseStage:
    ReportUserFound();
    break;
  case kBannedListStage:
    ReportNoListMatch(kBannedNone, CallerNumber);
    break;
  case kExemptListStage:
    ReportNoListMatch(kExemptNone, LoginName);
    ReportSharedLogin(false);
    break;
  default:
    break;
  }
}

// Closes the section of the stage that ended the run with status.
void CloseEndingSection(int status) {
  switch (status) {
  case kStatusNormal:
    CloseSection(report.stage);
    break;
  case kStatusNoConfigFile:
    ReportNoConfigFile(report.stage != kNoStage);
    break;
  case kStatusNoMailerLog:
  case kStatusNoUserBase:
    ReportPlainLine(Text(status == kStatusNoMailerLog ? kLogCannotOpen
                                                       : kUserBaseCannotOpen));
    break;
  case kStatusBannedNumber:
    ReportListMatch(kBannedMatch);
    break;
  case kStatusExemptName:
    ReportListMatch(kExemptMatch);
    if (LoginName[0] == '\0')
      ReportPlainLine(Text(kExemptEmptyEntry));
    ReportSharedLogin(true);
    break;
  default:
    break;
  }
}

// After a normal end: the stages the run had no reason to start.
void ReportSkippedStages() {
  if (report.stage < kUserBaseStage) {
    ReportBlankLine();
    ReportPlainLine(Text(kUserBaseSkipped));
    ReportPlainLine(Text(kBannedSkipped));
  }
  if (report.stage < kExemptListStage) {
    ReportBlankLine();
    ReportPlainLine(Text(UserName[0] == '\0' ? kExemptSkippedNoUser
                                              : kExemptSkippedNoLogin));
  }
}

void PutToLine(void *target, char byte) {
  PutByte(static_cast<LineBuilder *>(target), byte);
}

// The seven lines as ringcheck would compose them, one quote each.
void ReportResultLines(int status) {
  char path[kMaxPathLength + 1];
  QuoteBuffer quote;
  ResultFilePath(path);
  ReportLine(Text(kResultFileWhere), Quote(quote, path));
  ReportFoundPath(path, true);
  LineBuilder lines;
  BeginLine(&lines);
  ResultSink sink = {PutToLine, &lines};
  ComposeResultLines(status, &sink);
  char *line = lines.text;
  for (int number = 1; number <= 7; number++) {
    char *end = strchr(line, '\n');
    if (end != nullptr && number < 7)
      *end = '\0';
    ReportLine(Text(kResultLine), number, Quote(quote, line));
    line = end != nullptr && number < 7 ? end + 1 : line + strlen(line);
  }
  size_t length = strlen(ConnectLine);
  if (length == 0 || ConnectLine[length - 1] != '\n')
    ReportPlainLine(Text(kResultNoLineEnd));
}

void SeeStageStarted(RunStage stage) {
  CloseSection(report.stage);
  report.stage = stage;
  OpenSection(stage);
}

void SeeRunEnded(int status) {
  CloseEndingSection(status);
  if (status == kStatusNormal)
    ReportSkippedStages();
  ReportBlankLine();
  ReportPlainLine(Text(kOutcomeHeading));
  ReportLine(Text(kExitCode), status, StatusMeaning(status));
  if (status == kStatusNoConfigFile)
    ReportPlainLine(Text(kNoResultFile));
  else
    ReportResultLines(status);
}

const RunObserver kExplainObserver = {
    SeeStageStarted,     SeeConfigLineRead, SeeConfigLineBad,
    SeeConfigLineTaken,  SeeMailerLogOpened, SeeMailerLogLineRead,
    SeeDigitsVoided,     SeeDigitsEnded,    SeeConnectLineSeen,
    SeeUserBaseOpened,   SeeUserFound,      SeeListOpened,
    SeeListLineRead,     SeeRunEnded,
};

}  // namespace

int ExplainCall(int argc, const char *const *argv) {
  memset(&report, 0, sizeof report);
  report.stage = kNoStage;
  report.user_index = -1;
  report.login_index = -1;
  report.config_path = argc >= 2 ? argv[1] : "";
  report.login_given = CommandLineGivesLoginName(argc, argv);
  Observer = &kExplainObserver;
  ReportPlainLine(Text(kTitle));
  int exit_code = RunRingcheck(argc, argv);
  Observer = nullptr;
  return exit_code;
}

