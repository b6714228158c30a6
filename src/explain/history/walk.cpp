// The walk from the mailer log's lines to its calls.
//
// The log is read once, from its first byte, through ringcheck's own scan
// (capture/log_scan.h), piece by piece; the walk keeps two lines, the one
// being read and the one before it, and at most one call waiting.
//
// A call is a line of the log: every CONNECT line is a connected call, and
// every caller-id line that no CONNECT line directly follows is a call
// that did not connect.  Each line, once read to its end, moves the walk:
//
//   state     the line ended             what the walk does        next
//   --------  -------------------------  ------------------------  --------
//   idle      a CONNECT line             takes a connected call    idle
//   idle      a caller-id line           forms a call, holds it    waiting
//   idle      any other line             nothing                   idle
//   waiting   a CONNECT line             drops the held call (the  idle
//                                        connection is that call),
//                                        takes a connected call
//   waiting   a caller-id line           takes the held call as    waiting
//                                        not connected, holds a
//                                        new one
//   waiting   any other line             takes the held call as    idle
//                                        not connected
//   waiting   the end of the log         takes the held call       -
//
// A CONNECT line that is also a caller-id line is a CONNECT line here.
//
// What ringcheck makes of a call is what it would have made of the log had
// it run right after the call's line was written: the scan of the last
// 4000 bytes up to the line's end, then CIDMASK.  At a call's line the
// walk's own scan stands where the tail's scan would end, as long as the
// line before it lies wholly inside that tail and no Ctrl-Z does: a number
// comes from the line right before CONNECT, or from the caller-id line
// itself, and no earlier line counts.  Otherwise (a line of thousands of
// bytes, a Ctrl-Z in the tail) the tail is scanned on its own, as
// ringcheck would, with the watcher's notes ignored meanwhile.
//
// The scan tells what a caller-id piece did only through the watcher
// (SeeDigitsVoidedInWalk, SeeDigitsEndedInWalk), which notes it for the
// line being read.
#include "explain/history/walk.h"

#include <cstring>
#include <vector>

#include "capture/caller_number.h"
#include "capture/log_scan.h"
#include "config/settings.h"
#include "explain/report/paths.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

// A caller-id line at most this many lines above a CONNECT line that has
// none right before it stood a few lines up.
constexpr int64_t kLinesUp = 5;
constexpr size_t kLogBlockSize = 256 * 1024;

// What a line of the log did as the scan went through its pieces.
struct LogLine {
  int64_t number;       // from 1
  int64_t start;        // the offset of its first byte
  int64_t first_piece;  // the scan's number of its first piece
  bool caller_id;
  bool connect;
  bool voided;
  bool stored_digit;
  int64_t digits;  // of its last caller-id piece
  char head[kTimeCapacity + 8];  // the start of its first piece as read
  int time_end;  // where its time text ends in head, -1: none
};

struct Walk {
  void (*take)(const Call &call);
  bool numbers_possible;  // the settings let the scan take a number
  long long digits_wanted;
  LogScan scan;
  TextReader reader;
  // The log opened again for a tail scanned on its own, once needed.
  ScopedFile *tail_file;
  bool tail_file_tried;
  bool scanning_tail;
  LogLine window[2];
  LogLine *current;
  LogLine *previous;  // nullptr before the second line
  int64_t lines;
  int64_t last_caller_id_line;
  bool waiting;  // a call is held
  Call held;
  // What the scan told of the piece just read.
  bool piece_caller_id;
  bool piece_voided;
  int64_t piece_digits;
};

Walk walk;

// ringcheck's number and phone type, had it run with the log ending at
// end: the walk's own scan where it stands as the tail's would, the tail
// scanned on its own otherwise; then the mask.  raw gets the number
// before the mask.
void RingcheckView(int64_t end, int64_t before_start, Call *call, char *raw) {
  int64_t tail = end > kLogTailLength ? end - kLogTailLength : 0;
  char number[kCallerNumberCapacity + 1];
  char connect[kConnectLineCapacity + 1];
  CopyText(number, kCallerNumberCapacity, CallerNumber);
  CopyText(connect, kConnectLineCapacity, ConnectLine);
  PhoneType[0] = '\0';
  bool scan_is_tails =
      before_start >= tail && walk.reader.last_ctrl_z < tail;
  if (!scan_is_tails && !walk.tail_file_tried) {
    walk.tail_file_tried = true;
    OpenFileForReading(Settings[LOGWITHAON], walk.tail_file);
  }
  if (scan_is_tails || walk.tail_file->file.handle == -1) {
    SettleScanResults(&walk.scan);
  } else {
    CallerNumber[0] = '\0';
    ConnectLine[0] = '\0';
    walk.scanning_tail = true;
    ScanLogPart(walk.tail_file, tail, end - tail);
    walk.scanning_tail = false;
  }
  CopyText(raw, kCallerNumberCapacity, CallerNumber);
  CopyText(call->type, kPhoneTypeCapacity, PhoneType);
  if (Settings[CIDMASK][0] != '\0')
    ApplyNumberMask();
  CopyText(call->number, kCallerNumberCapacity, CallerNumber);
  CopyText(CallerNumber, kCallerNumberCapacity, number);
  CopyText(ConnectLine, kConnectLineCapacity, connect);
  PhoneType[0] = '\0';
}

// Why a call whose caller-id line, if it had one, is decisive has no
// number.
NoNumber WhyNoNumber(const LogLine *decisive, const char *raw, Call *call) {
  if (!walk.numbers_possible)
    return kNoDigitCount;
  if (raw[0] != '\0')
    return call->number[0] == '\0' ? kMaskLeftNone : kNumberTaken;
  if (decisive == nullptr || !decisive->caller_id) {
    int64_t up = call->line - walk.last_caller_id_line;
    if (walk.last_caller_id_line > 0 && up >= 2 && up <= kLinesUp) {
      call->lines_up = up;
      return kCallerIdUp;
    }
    return kNoCallerIdLine;
  }
  if (decisive->voided)
    return kNumberVoided;
  if (decisive->digits < walk.digits_wanted)
    return kTooFewDigits;
  return kTailCutOff;
}

void TakeTime(const LogLine &line, Call *call) {
  size_t end = line.time_end > 0 ? static_cast<size_t>(line.time_end) : 0;
  if (end > kTimeCapacity)
    end = kTimeCapacity;
  size_t start = 0;
  while (start < end && (line.head[start] == ' ' || line.head[start] == '\t'))
    start++;
  while (end > start &&
         (line.head[end - 1] == ' ' || line.head[end - 1] == '\t'))
    end--;
  memcpy(call->time, line.head + start, end - start);
  call->time[end - start] = '\0';
}

void BeginCall(const LogLine &line, bool connected, Call *call) {
  call->line = line.number;
  call->connected = connected;
  call->lines_up = 0;
  TakeTime(line, call);
}

// The current line has been read to its end, at the offset end.
void EndLine(int64_t end) {
  const LogLine &line = *walk.current;
  const LogLine *previous = walk.previous;
  int64_t before_start = previous != nullptr ? previous->start : 0;
  if (walk.waiting) {
    walk.waiting = false;
    if (!line.connect)
      walk.take(walk.held);
  }
  char raw[kCallerNumberCapacity + 1];
  if (line.connect) {
    Call call;
    BeginCall(line, true, &call);
    RingcheckView(end, before_start, &call, raw);
    const LogLine *decisive =
        line.caller_id && (line.stored_digit || line.voided) ? &line
                                                              : previous;
    call.why = WhyNoNumber(decisive, raw, &call);
    walk.take(call);
  } else if (line.caller_id) {
    Call &call = walk.held;
    BeginCall(line, false, &call);
    RingcheckView(end, before_start, &call, raw);
    // A line without a digit has no number of its own, whatever an
    // earlier one left in the scan.
    if (!line.stored_digit) {
      raw[0] = '\0';
      call.number[0] = '\0';
      call.type[0] = '\0';
    }
    call.why = WhyNoNumber(&line, raw, &call);
    walk.waiting = true;
  }
  if (line.caller_id)
    walk.last_caller_id_line = line.number;
}

void BeginLine(int64_t start, const char *piece) {
  LogLine *next =
      walk.current == &walk.window[0] ? &walk.window[1] : &walk.window[0];
  walk.previous = walk.current;
  walk.current = next;
  next->number = ++walk.lines;
  next->start = start;
  next->first_piece = walk.scan.line_number + 1;
  next->caller_id = false;
  next->connect = false;
  next->voided = false;
  next->stored_digit = false;
  next->digits = 0;
  next->time_end = -1;
  // The piece's buffer holds more than the head, whatever its text.
  memcpy(next->head, piece, sizeof next->head);
}

void ScanPiece(char *piece) {
  LogLine &line = *walk.current;
  walk.piece_caller_id = false;
  walk.piece_voided = false;
  walk.piece_digits = 0;
  int64_t connects = walk.scan.last_connect_line;
  ScanLogLine(&walk.scan, piece);
  bool first = walk.scan.line_number == line.first_piece;
  if (walk.scan.last_connect_line != connects) {
    line.connect = true;
    if (first)
      line.time_end = static_cast<int>(strstr(piece, "CONNECT") - piece);
  }
  if (walk.piece_caller_id) {
    line.caller_id = true;
    line.voided = line.voided || walk.piece_voided;
    line.digits = walk.piece_digits;
    if (walk.scan.last_digit_line == walk.scan.line_number)
      line.stored_digit = true;
    if (first && !line.connect)
      line.time_end =
          static_cast<int>(strstr(piece, walk.scan.marker) - piece);
  }
}

}  // namespace

void SeeDigitsVoidedInWalk(const char *) {
  if (walk.scanning_tail)
    return;
  walk.piece_caller_id = true;
  walk.piece_voided = true;
}

void SeeDigitsEndedInWalk(int64_t taken, int64_t) {
  if (walk.scanning_tail)
    return;
  walk.piece_caller_id = true;
  walk.piece_digits = taken;
}

LogWalked WalkMailerLog(void (*begin)(), void (*take)(const Call &call)) {
  walk = Walk();
  walk.take = take;
  walk.current = &walk.window[0];
  walk.numbers_possible = CheckDigitCount() == kDigitCountFits;
  walk.digits_wanted = DigitsWanted();
  ReportPathHeading(kLogHeading, Settings[LOGWITHAON]);
  ReportFoundPath(Settings[LOGWITHAON], false);
  ScopedFile log;
  if (!OpenFileForReading(Settings[LOGWITHAON], &log)) {
    ReportPlainLine(Text(kLogCannotOpen));
    RememberFileName(Settings[LOGWITHAON]);
    FinishRun(kStatusNoMailerLog);
  }
  ScopedFile tail;
  walk.tail_file = &tail;
  std::vector<unsigned char> block(kLogBlockSize);
  BeginTextReadingThrough(&walk.reader, &log, block.data(), block.size());
  ReadPastCtrlZ(&walk.reader);
  BeginLogScan(&walk.scan);
  CallerNumber[0] = '\0';
  ConnectLine[0] = '\0';
  PhoneType[0] = '\0';
  begin();
  char piece[kLogPieceLength + 1];
  bool begins = true;
  int64_t offset = 0;
  while (ReadLinePiece(&walk.reader, piece, kLogPieceLength)) {
    if (begins)
      BeginLine(offset, piece);
    ScanPiece(piece);
    offset = TextReadingOffset(&walk.reader);
    begins = PieceEndedLine(&walk.reader);
    if (begins)
      EndLine(offset);
  }
  // A last line without its line feed ends with the file.
  if (!begins)
    EndLine(offset);
  if (walk.waiting) {
    walk.waiting = false;
    walk.take(walk.held);
  }
  walk.tail_file = nullptr;
  return {offset, walk.lines};
}
