// The mailer log scan and the number mask.  The input's first part holds
// the settings (as configuration lines), the second the log.
//
// Whatever the log holds: the number is empty or exactly IDLEN digits, the
// phone type empty or one digit, a kept CONNECT line begins with CONNECT,
// and the mask only ever drops digits, so the masked number is the
// captured one with some digits taken out.  The scan, which passes over
// the lines it finds plain without reading them as pieces, ends as one
// that reads every piece does; and every line found plain, read as a
// piece, is one whole line in one piece that changes nothing of the scan,
// whether the reading stops at a Ctrl-Z or goes past it.
#include <cstdlib>
#include <cstring>
#include <string>

#include "capture/caller_number.h"
#include "capture/log_scan.h"
#include "config/settings.h"
#include "fuzz_station.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

bool IsDigits(const char *text) {
  for (; *text != '\0'; text++)
    if (*text < '0' || *text > '9')
      return false;
  return true;
}

// True when every character of part occurs in whole, in the same order.
bool IsSubsequence(const std::string &part, const std::string &whole) {
  size_t next = 0;
  for (char c : whole)
    if (next < part.size() && part[next] == c)
      next++;
  return next == part.size();
}

void CheckCapture() {
  size_t length = strnlen(CallerNumber, kCallerNumberCapacity + 1);
  if (length > kCallerNumberCapacity || strnlen(PhoneType, 2) > 1 ||
      strnlen(ConnectLine, kConnectLineCapacity + 1) > kConnectLineCapacity ||
      strnlen(SeparatorSet, kSeparatorSetCapacity + 1) > kSeparatorSetCapacity)
    Fail("a capture buffer overran");
  if (!IsDigits(CallerNumber) || !IsDigits(PhoneType))
    Fail("the number or the phone type holds a non-digit");
  if (length != 0 &&
      static_cast<int>(length) != SettingAsInteger(Settings[IDLEN]))
    Fail("the number is not IDLEN digits long");
  if (ConnectLine[0] != '\0' && strncmp(ConnectLine, "CONNECT", 7) != 0)
    Fail("the CONNECT line does not begin with CONNECT");
}

// The buffers as a scan leaves them.
struct Capture {
  std::string number;
  std::string type;
  std::string connect;
  bool operator!=(const Capture &other) const {
    return number != other.number || type != other.type ||
           connect != other.connect;
  }
};

Capture Captured() { return {CallerNumber, PhoneType, ConnectLine}; }

// ringcheck's scan of the log's tail, every piece read and scanned.
Capture ScanEveryPiece() {
  ScopedFile log;
  if (!OpenFileForReading("T-MAIL.LOG", &log))
    return {};
  int64_t size = StreamLength(&log.file);
  OsSetPosition(&log.file, size > kLogTailLength ? size - kLogTailLength : 0,
                kSeekFromStart);
  CallerNumber[0] = PhoneType[0] = ConnectLine[0] = '\0';
  LogScan scan;
  BeginLogScan(&scan);
  TextReader reader;
  BeginTextReading(&reader, &log);
  char line[kLogPieceLength + 1];
  while (ReadLinePiece(&reader, line, kLogPieceLength))
    ScanLogLine(&scan, line);
  SettleScanResults(&scan);
  return Captured();
}

// Every line the test finds plain, read: one piece, the whole line, and
// nothing of the scan changed.
void CheckPlainLines(bool past_ctrl_z) {
  ScopedFile log;
  if (!OpenFileForReading("T-MAIL.LOG", &log))
    return;
  LogScan scan;
  BeginLogScan(&scan);
  PlainLineTest plain;
  BeginPlainLineTest(&scan, &plain);
  TextReader reader;
  unsigned char block[700];
  BeginTextReadingThrough(&reader, &log, block, sizeof block);
  if (past_ctrl_z)
    ReadPastCtrlZ(&reader);
  char line[kLogPieceLength + 1];
  bool begins = true;
  while (true) {
    size_t length = begins ? PlainLineAhead(&plain, &reader) : 0;
    if (length > 0) {
      Capture before = Captured();
      LogScan scanned = scan;
      int64_t from = TextReadingOffset(&reader);
      if (!ReadLinePiece(&reader, line, kLogPieceLength) ||
          !PieceEndedLine(&reader) ||
          TextReadingOffset(&reader) - from != static_cast<int64_t>(length))
        Fail("a plain line is not one whole piece");
      ScanLogLine(&scanned, line);
      // The piece is upper-cased now, as the scan looked at it.
      if (Captured() != before ||
          scanned.last_digit_line != scan.last_digit_line ||
          scanned.last_connect_line != scan.last_connect_line ||
          strstr(line, "CONNECT") != nullptr ||
          strstr(line, scan.marker) != nullptr)
        Fail("a plain line holds what the scan looks for");
      scan.line_number++;
      continue;
    }
    if (!ReadLinePiece(&reader, line, kLogPieceLength))
      return;
    ScanLogLine(&scan, line);
    begins = PieceEndedLine(&reader);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  std::string_view input(reinterpret_cast<const char *>(data), size);
  WriteStationFile("fuzz.cfg", TakePart(&input));
  WriteStationFile("T-MAIL.LOG", input);
  ResetSettings();
  ResetCallerNumber();
  try {
    ReadConfigFile("fuzz.cfg");
    CopyText(Settings[LOGWITHAON], kSettingCapacity, "T-MAIL.LOG");
    SplitCallerIdSetting();
    ScanMailerLog();
    CheckCapture();
    Capture scanned = Captured();
    if (ScanEveryPiece() != scanned)
      Fail("passing plain lines over changed what the scan takes");
    CheckPlainLines(false);
    CheckPlainLines(true);
    CallerNumber[0] = '\0';
    strcpy(CallerNumber, scanned.number.c_str());
    std::string captured = CallerNumber;
    if (Settings[CIDMASK][0] != '\0')
      ApplyNumberMask();
    if (!IsDigits(CallerNumber) || !IsSubsequence(CallerNumber, captured))
      Fail("the mask did more than drop digits");
  } catch (...) {
    // A run ended by FinishRun: no configuration, or no log.
  }
  LeaveFuzzStation();
  return 0;
}
