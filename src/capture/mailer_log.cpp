// The caller's number from the tail of the mailer log.
//
// The caller-id unit's line (a marker word and the digits) stands directly
// before the modem's CONNECT line of the same call.  Only the last 4000
// bytes of the log are read, however large it grows; the last caller-id
// line in them wins.
#include <cstdint>
#include <cstring>

#include "capture/caller_number.h"
#include "capture/log_scan.h"
#include "config/settings.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

char SeparatorSet[kSeparatorSetCapacity + 1] = " :-\"";
// Aligned as the phones it is compared with (see user_base.cpp).
alignas(256) char CallerNumber[kCallerNumberCapacity + 1];
char PhoneType[kPhoneTypeCapacity + 1];
char ConnectLine[kConnectLineCapacity + 1];

namespace {

constexpr char kDefaultSeparators[] = " :-\"";
// Characters of CALLERID behind its first space that may become separators.
constexpr size_t kSeparatorTextLength = 11;
constexpr char kConnectWord[] = "CONNECT";
// A CONNECT line further up than this belongs to an older call.
constexpr int kConnectLineReach = 10;

// A number of the digits wanted: CallerNumber holds no more.
bool DigitCountFits(long long count) {
  return count >= 1 && count <= static_cast<long long>(kCallerNumberCapacity);
}

bool IsSeparator(char c) {
  return c != '\0' && strchr(SeparatorSet, c) != nullptr;
}

void AddSeparator(char c) {
  size_t length = strlen(SeparatorSet);
  if (length >= kSeparatorSetCapacity || IsSeparator(c))
    return;
  SeparatorSet[length] = c;
  SeparatorSet[length + 1] = '\0';
}

// The digits behind the marker, with separators anywhere among them.  The
// line ends them at its line feed or once enough were seen; any other
// character, the end of a piece without a line feed included, voids the
// number.  Digits past the buffer are counted but not kept: such a count
// never yields a number.
void CollectDigits(LogScan *scan, const char *at) {
  while (*at == ' ')
    at++;
  int64_t position = 0;
  for (;;) {
    char c = *at;
    if (scan->separators[static_cast<unsigned char>(c)]) {
      // passed over
    } else if (c >= '0' && c <= '9') {
      if (position < static_cast<int64_t>(kCallerNumberCapacity)) {
        CallerNumber[position] = c;
        CallerNumber[position + 1] = '\0';
      }
      position++;
      scan->last_digit_line = scan->line_number;
    } else {
      CallerNumber[0] = '\0';
      NoteDigitsVoided(at);
      return;
    }
    at++;
    if (position >= scan->digit_count || *at == '\n') {
      NoteDigitsEnded(position, scan->digit_count);
      return;
    }
  }
}

}  // namespace

void ScanLogLine(LogScan *scan, char *line) {
  scan->line_number++;
  NoteMailerLogLineRead(scan->line_number, line);
  size_t length = UpperCaseCp866Piece(line, kLogPieceLength + 1);
  const char *marker =
      FindBytes(line, length, scan->marker, scan->marker_length);
  const char *connect =
      FindBytes(line, length, kConnectWord, sizeof kConnectWord - 1);
  scan->marker_at = marker != nullptr ? marker - line : -1;
  scan->connect_at = connect != nullptr ? connect - line : -1;
  if (connect != nullptr) {
    // A number counts only when its line comes right before the CONNECT.
    if (scan->line_number - scan->last_digit_line != 1)
      CallerNumber[0] = '\0';
    CopyText(ConnectLine, kConnectLineCapacity, connect);
    scan->last_connect_line = scan->line_number;
    NoteConnectLineSeen();
  }
  if (marker != nullptr)
    CollectDigits(scan, marker + scan->marker_length);
}

// Keeps a number only of the right length, splits the phone type off its
// end and drops a CONNECT line that lies too far up.
void SettleCallerNumber(const LogScan *scan, char *number, char *type) {
  // Counted here: a number is a few digits, and a call settles several.
  int64_t length = 0;
  while (length <= static_cast<int64_t>(kCallerNumberCapacity) &&
         number[length] != '\0')
    length++;
  if (!DigitCountFits(scan->digit_count) || length != scan->digit_count)
    number[0] = '\0';
  if (scan->phone_type && number[0] != '\0') {
    size_t last = static_cast<size_t>(scan->digit_count - 1);
    type[0] = number[last];
    type[1] = '\0';
    number[last] = '\0';
  }
}

void SettleScanResults(const LogScan *scan) {
  SettleCallerNumber(scan, CallerNumber, PhoneType);
  if (scan->line_number - scan->last_connect_line > kConnectLineReach)
    ConnectLine[0] = '\0';
}

void BeginLogScan(LogScan *scan) {
  scan->digit_count = DigitsWanted();
  scan->phone_type = PhoneTypeWanted();
  CopyText(scan->marker, kSettingCapacity, Settings[CALLERID]);
  UpperCaseCp866(scan->marker);
  scan->marker_length = strlen(scan->marker);
  scan->line_number = 0;
  scan->last_digit_line = 0;
  scan->last_connect_line = 0;
  scan->marker_at = scan->connect_at = -1;
  memset(scan->separators, 0, sizeof scan->separators);
  for (const char *c = SeparatorSet; *c != '\0'; c++)
    scan->separators[static_cast<unsigned char>(*c)] = true;
}

void ScanLogPart(ScopedFile *log, int64_t start, int64_t length) {
  LogScan scan;
  BeginLogScan(&scan);
  OsSetPosition(&log->file, start, kSeekFromStart);
  TextReader reader;
  BeginTextReading(&reader, log);
  if (length >= 0)
    LimitTextReading(&reader, length);
  PlainLineTest plain;
  BeginPlainLineTest(&scan, &plain);
  char line[kLogPieceLength + 1];
  // Lines that hold nothing for the scan are passed over as they stand;
  // a line that ends a piece is the only place the next can begin.
  bool begins = true;
  while (true) {
    size_t plain_length;
    while (begins && (plain_length = PlainLineAhead(&plain, &reader)) > 0)
      PassPlainLine(&scan, &reader, plain_length);
    if (!ReadLinePiece(&reader, line, kLogPieceLength))
      break;
    ScanLogLine(&scan, line);
    begins = PieceEndedLine(&reader);
  }
  SettleScanResults(&scan);
}

// TYPEPHONE is compared as stored, letter case and all.
bool PhoneTypeWanted() { return strcmp(Settings[TYPEPHONE], "YES") == 0; }

// As large as IDLEN goes: an int, and one more.
long long DigitsWanted() {
  return static_cast<long long>(SettingAsInteger(Settings[IDLEN])) +
         (PhoneTypeWanted() ? 1 : 0);
}

DigitCount CheckDigitCount() {
  if (!DigitCountFits(DigitsWanted()))
    return kDigitCountOutOfRange;
  // The one digit wanted is then the phone type's.
  if (SettingAsInteger(Settings[IDLEN]) < 1)
    return kNoIdlenDigits;
  return kDigitCountFits;
}

int FewestNumberDigits() {
  return Settings[CIDMASK][0] != '\0' ? 1 : SettingAsInteger(Settings[IDLEN]);
}

void ResetCallerNumber() {
  CopyText(SeparatorSet, kSeparatorSetCapacity, kDefaultSeparators);
  CallerNumber[0] = '\0';
  PhoneType[0] = '\0';
  ConnectLine[0] = '\0';
}

// CALLERID may carry, behind a space, more characters that the caller-id
// unit puts between the digits.  They join SeparatorSet and the setting
// keeps only the marker word.
void SplitCallerIdSetting() {
  char *value = Settings[CALLERID];
  char *space = strchr(value, ' ');
  if (space == nullptr)
    return;
  const char *extra = space + 1;
  for (size_t i = 0; i < kSeparatorTextLength && extra[i] != '\0'; i++)
    AddSeparator(extra[i]);
  DeleteSpan(value, static_cast<int>(space - value), 255);
}

void ScanMailerLog() {
  ScopedFile log;
  if (!OpenFileForReading(Settings[LOGWITHAON], &log)) {
    RememberFileName(Settings[LOGWITHAON]);
    FinishRun(kStatusNoMailerLog);
    return;
  }
  // Measured on the bytes as stored, carriage returns included.
  int64_t size = StreamLength(&log.file);
  int64_t start = size > kLogTailLength ? size - kLogTailLength : 0;
  NoteMailerLogOpened(size, start);
  ScanLogPart(&log, start, -1);
  CloseFile(&log);
}
