// The walk from the mailer log's lines to its calls.
//
// The log is read once, from its first byte, through ringcheck's own scan
// (capture/log_scan.h), piece by piece as ringcheck reads it.  Of each line
// the walk keeps what it did once its last piece is read: whether it held
// CONNECT, the caller-id marker (and what became of the digits behind it),
// RING, a modem result that ends a call (NO CARRIER, BUSY, NO ANSWER, NO
// DIALTONE) or a date alone; and the stamp it begins with, a date and a
// time.  The scan tells what a caller-id piece did only through the
// watcher (SeeDigitsVoidedInWalk, SeeDigitsEndedInWalk), which notes it for
// the line being read.
//
// A call is held until the lines after it tell how it ended.  The walk is
// in one of four states, and each line, once read, moves it:
//
//   state      the line                  what the walk does        next
//   ---------  ------------------------  ------------------------  ---------
//   idle       CONNECT, with the marker  takes a connection, its   idle
//              on it                     caller-id line that
//   idle       CONNECT                   holds a connection        connected
//   idle       a caller-id line          holds a call              ringing
//   ringing    CONNECT                   takes a connection, the   idle
//                                        held call's caller-id
//                                        line its own
//   ringing    a caller-id line, the     holds it in the place of  ringing
//              same number               the held one
//   ringing    a caller-id line,         takes the held call as    ringing
//              another number            not connected, holds the
//                                        new one
//   ringing    RING                      -                         ringing
//   ringing    an end                    takes the held call as    idle
//                                        not connected
//   connected  a caller-id line          holds it beside the       heard
//                                        connection
//   connected  CONNECT                   takes the connection      (as idle)
//                                        with no caller-id line
//   connected  RING, an end              takes the connection      idle
//                                        with no caller-id line
//   heard      CONNECT                   takes the connection      (as
//                                        with no caller-id line:   ringing)
//                                        the line heard is the
//                                        next one's
//   heard      a caller-id line, the     holds it in the place of  heard
//              same number               the one heard
//   heard      anything else: another    takes the connection,     (as idle)
//              number, RING, an end      the line heard its own,
//                                        written after CONNECT
//   any        the end of the log        takes what it holds       -
//
// An end is a modem result, a date line, or the fifth line of nothing of
// the call: any line but RING, as a call rings a while before it
// connects.  A date line dates the lines after it.
//
// What ringcheck makes of a connection is what it would have made of the
// log had it run right after the CONNECT line was written: the scan of the
// last 4000 bytes up to the line's end, then CIDMASK (of a call that did
// not connect, right after its caller-id line).  At that line the walk's
// own scan stands where the tail's scan would end, as long as the line
// before it lies wholly inside that tail and no Ctrl-Z does: a number
// comes from the line right before CONNECT, or from the CONNECT line
// itself, and no earlier line counts.  Otherwise (a line of thousands of
// bytes, a Ctrl-Z in the tail) the tail is scanned on its own, as
// ringcheck would, with the watcher's notes ignored meanwhile.  The number
// the call's own caller-id line gives is taken from that line alone, by
// the same scan's rules.
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

// The lines of one call stand within this many of each other.
constexpr int64_t kLinesOfACall = 5;
constexpr size_t kLogBlockSize = 64 * 1024;
// Bytes kept of a line's first piece: its stamp, or a date alone.
constexpr size_t kHeadCapacity = 64;

// What a line of the log did as the scan went through its pieces.
struct LogLine {
  int64_t number;       // from 1
  int64_t start;        // the offset of its first byte
  int64_t first_piece;  // the scan's number of its first piece
  int pieces;
  bool caller_id;
  bool connect;
  bool ring;
  bool modem_end;  // a modem result that ends a call
  bool voided;
  bool stored_digit;
  int64_t digits;  // of its last caller-id piece
  char collected[kCallerNumberCapacity + 1];  // the digits it stored
  char head[kHeadCapacity];  // the start of its first piece, as read
  size_t head_length;
  size_t stamp_end;  // the stamp stands before the marker or CONNECT
};

enum WalkState { kIdle, kRinging, kConnected, kHeard };

// What a call keeps of its caller-id line: where it stands, and what the
// scan made of its digits.
struct CallerIdLine {
  int64_t number;
  int64_t start;
  int pieces;
  bool voided;
  int64_t digits;
  char collected[kCallerNumberCapacity + 1];
};

// The call held, and the caller-id line it has.
struct HeldCall {
  Call call;
  bool has_own_line;
  CallerIdLine own_line;
  int64_t quiet_lines;  // lines since that belong to no call
};

struct Walk {
  void (*take)(const Call &call);
  // Lines that hold nothing for the walk while it holds no call.  With a
  // call held the next lines are read, as RING and a modem's result
  // matter too: they are few.
  PlainLineTest plain;
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
  WalkState state;
  HeldCall held;
  HeldCall heard;  // a caller-id line after the connection held
  LogDate date;  // of the last date line
  bool dated;
  // What the scan told of the piece just read.
  bool piece_caller_id;
  bool piece_voided;
  int64_t piece_digits;
};

Walk walk;

// One number buffer into another as a whole, terminator and all: both are
// kCallerNumberCapacity + 1 bytes, and a call copies several.
void CopyNumber(char *target, const char *source) {
  memcpy(target, source, kCallerNumberCapacity + 1);
}

// ringcheck's number and phone type, had it run with the log ending at
// end: the walk's own scan where it stands as the tail's would, the tail
// scanned on its own otherwise; then the mask.  raw gets the number
// before the mask.
void RingcheckView(int64_t end, int64_t before_start, Call *call, char *raw) {
  int64_t tail = end > kLogTailLength ? end - kLogTailLength : 0;
  bool scan_is_tails =
      before_start >= tail && walk.reader.last_ctrl_z < tail;
  if (!scan_is_tails && !walk.tail_file_tried) {
    walk.tail_file_tried = true;
    OpenFileForReading(Settings[LOGWITHAON], walk.tail_file);
  }
  call->type[0] = '\0';
  if (scan_is_tails || walk.tail_file->file.handle == -1) {
    // The scan's last step, on a copy: the walk's scan goes on.
    CopyNumber(raw, CallerNumber);
    SettleCallerNumber(&walk.scan, raw, call->type);
  } else {
    char number[kCallerNumberCapacity + 1];
    char connect[kConnectLineCapacity + 1];
    CopyText(number, kCallerNumberCapacity, CallerNumber);
    CopyText(connect, kConnectLineCapacity, ConnectLine);
    CallerNumber[0] = '\0';
    ConnectLine[0] = '\0';
    PhoneType[0] = '\0';
    walk.scanning_tail = true;
    ScanLogPart(walk.tail_file, tail, end - tail);
    walk.scanning_tail = false;
    CopyText(raw, kCallerNumberCapacity, CallerNumber);
    CopyText(call->type, kPhoneTypeCapacity, PhoneType);
    CopyText(CallerNumber, kCallerNumberCapacity, number);
    CopyText(ConnectLine, kConnectLineCapacity, connect);
    PhoneType[0] = '\0';
  }
  CopyNumber(call->number, raw);
  if (Settings[CIDMASK][0] != '\0' && call->number[0] != '\0')
    ApplyNumberMaskTo(call->number);
}

CallerIdLine CallerIdLineOf(const LogLine &line) {
  CallerIdLine kept;
  kept.number = line.number;
  kept.start = line.start;
  kept.pieces = line.pieces;
  kept.voided = line.voided;
  kept.digits = line.digits;
  memcpy(kept.collected, line.collected, sizeof kept.collected);
  return kept;
}

// The number a caller-id line gives by itself, as the scan settles one:
// the digits wanted, the phone type split off, then the mask.
void OwnNumberOf(const CallerIdLine &line, char *number) {
  char type[kPhoneTypeCapacity + 1] = "";
  CopyNumber(number, line.collected);
  SettleCallerNumber(&walk.scan, number, type);
  if (Settings[CIDMASK][0] != '\0' && number[0] != '\0')
    ApplyNumberMaskTo(number);
}

// Why ringcheck took no number of a call, at the end of whose line (end)
// it would have run; own is its caller-id line, if it has one.
NoNumber WhyNoNumber(const Call &call, const char *raw,
                     const CallerIdLine *own, int64_t end, int64_t *lines_up) {
  *lines_up = 0;
  if (!walk.numbers_possible)
    return kNoDigitCount;
  if (raw[0] != '\0')
    return call.number[0] == '\0' ? kMaskLeftNone : kNumberTaken;
  if (own == nullptr)
    return kNoCallerId;
  if (own->number > call.line)
    return kCallerIdAfter;
  if (call.line - own->number >= 2) {
    *lines_up = call.line - own->number;
    return kCallerIdUp;
  }
  // The line ringcheck would have read the number from.
  int64_t tail = end > kLogTailLength ? end - kLogTailLength : 0;
  if (walk.reader.last_ctrl_z >= tail)
    return kCtrlZ;
  if (own->start < tail)
    return kTailCutOff;
  if (own->pieces > 1)
    return kLongLine;
  if (own->voided)
    return kNumberVoided;
  if (own->digits < walk.digits_wanted)
    return kTooFewDigits;
  return kTailCutOff;
}

// A call of line: its stamp, dated by the last date line where the line
// gives no date of its own or no year.
void BeginCall(const LogLine &line, bool connected, Call *call) {
  LineStamp stamp;
  ReadLineStamp(line.head, line.stamp_end, &stamp);
  call->line = line.number;
  call->connected = connected;
  call->date = stamp.date.day != 0 ? DateInYearOf(stamp.date, walk.date)
                                   : walk.date;
  memcpy(call->time, stamp.time, sizeof call->time);
  call->hour = stamp.hour;
  call->lines_up = 0;
  call->caller_id[0] = '\0';
  call->kind = kCaller;
  call->address[0] = '\0';
}

void Take(const Call &call) { walk.take(call); }

// The connection held takes the caller-id line heard after it.
void GiveHeardLine() {
  HeldCall &held = walk.held;
  held.has_own_line = true;
  held.own_line = walk.heard.own_line;
  memcpy(held.call.caller_id, walk.heard.call.caller_id,
         sizeof held.call.caller_id);
  if (held.call.why == kNoCallerId)
    held.call.why = kCallerIdAfter;
}

void TakeHeld() {
  if (walk.state == kHeard)
    GiveHeardLine();
  if (walk.state != kIdle)
    Take(walk.held.call);
  walk.state = kIdle;
}

// A connection's number and why it has none, its own line known or not.
void SettleConnection(HeldCall *held, const char *raw, int64_t end) {
  Call &call = held->call;
  const CallerIdLine *own = held->has_own_line ? &held->own_line : nullptr;
  if (own != nullptr)
    OwnNumberOf(*own, call.caller_id);
  call.why = WhyNoNumber(call, raw, own, end, &call.lines_up);
}

void OnConnect(const LogLine &line, int64_t end) {
  if (walk.state == kConnected)
    TakeHeld();
  if (walk.state == kHeard) {
    // The line heard after the connection held is this one's, before it.
    Take(walk.held.call);
    walk.held = walk.heard;
    walk.state = kRinging;
  }
  // The connection takes the place of the call held, its caller-id line
  // that call's.
  HeldCall &connection = walk.held;
  connection.has_own_line = walk.state == kRinging || line.caller_id;
  if (walk.state != kRinging && line.caller_id)
    connection.own_line = CallerIdLineOf(line);
  connection.quiet_lines = 0;
  BeginCall(line, true, &connection.call);
  char raw[kCallerNumberCapacity + 1];
  int64_t before_start = walk.previous != nullptr ? walk.previous->start : 0;
  RingcheckView(end, before_start, &connection.call, raw);
  SettleConnection(&connection, raw, end);
  if (connection.has_own_line) {
    Take(connection.call);
    walk.state = kIdle;
  } else {
    // Its caller-id line may come after it.
    walk.state = kConnected;
  }
}

// A call of a caller-id line: the number ringcheck would take run right
// after it, which is the line's own unless the tail or a Ctrl-Z hides it.
void HoldRinging(const LogLine &line, int64_t end, HeldCall *held) {
  HeldCall &ringing = *held;
  ringing.quiet_lines = 0;
  BeginCall(line, false, &ringing.call);
  char raw[kCallerNumberCapacity + 1];
  int64_t before_start = walk.previous != nullptr ? walk.previous->start : 0;
  RingcheckView(end, before_start, &ringing.call, raw);
  // A line without a digit has no number of its own, whatever an earlier
  // one left in the scan.
  if (!line.stored_digit) {
    raw[0] = '\0';
    ringing.call.number[0] = '\0';
    ringing.call.type[0] = '\0';
  }
  ringing.has_own_line = true;
  ringing.own_line = CallerIdLineOf(line);
  OwnNumberOf(ringing.own_line, ringing.call.caller_id);
  ringing.call.why = WhyNoNumber(ringing.call, raw, &ringing.own_line, end,
                                 &ringing.call.lines_up);
}

// The unit said the same number again: the same call.
bool SameNumber(const LogLine &line, const HeldCall &held) {
  char number[kCallerNumberCapacity + 1];
  OwnNumberOf(CallerIdLineOf(line), number);
  return number[0] != '\0' && strcmp(number, held.call.caller_id) == 0;
}

void OnCallerId(const LogLine &line, int64_t end) {
  if (walk.state == kConnected) {
    // The connection's own, written after CONNECT, unless a CONNECT
    // follows it.
    HoldRinging(line, end, &walk.heard);
    walk.state = kHeard;
    return;
  }
  if (walk.state == kHeard && SameNumber(line, walk.heard)) {
    HoldRinging(line, end, &walk.heard);
    return;
  }
  if (walk.state == kRinging && SameNumber(line, walk.held)) {
    HoldRinging(line, end, &walk.held);
    return;
  }
  TakeHeld();
  HoldRinging(line, end, &walk.held);
  walk.state = kRinging;
}

void OnOtherLine(const LogLine &line) {
  LogDate date;
  if (ReadDateLine(line.head, line.head_length, &date)) {
    TakeHeld();
    walk.date = date;
    walk.dated = true;
    return;
  }
  if (walk.state == kIdle)
    return;
  if (line.ring) {
    // A new call rings: nothing after it is the connection's.
    if (walk.state != kRinging)
      TakeHeld();
    return;
  }
  HeldCall &counting = walk.state == kHeard ? walk.heard : walk.held;
  if (line.modem_end || ++counting.quiet_lines >= kLinesOfACall)
    TakeHeld();
}

// The current line has been read to its end, at the offset end.
void EndLine(int64_t end) {
  const LogLine &line = *walk.current;
  if (line.connect)
    OnConnect(line, end);
  else if (line.caller_id)
    OnCallerId(line, end);
  else
    OnOtherLine(line);
}

// The length of the next line when it is nothing to the walk, as the scan
// passes over it, and no date line either; 0 otherwise.
size_t PlainLineNext() {
  if (walk.state != kIdle)
    return 0;
  size_t length = PlainLineAhead(&walk.plain, &walk.reader);
  if (length == 0)
    return 0;
  size_t held;
  const unsigned char *text = HeldBytes(&walk.reader, &held);
  // The line as its first piece's head holds it, as a line read has it.
  size_t head = length - 1;
  if (head > 0 && text[head - 1] == '\r')
    head--;
  if (head > kHeadCapacity)
    head = kHeadCapacity;
  LogDate date;
  if (ReadDateLine(reinterpret_cast<const char *>(text), head, &date))
    return 0;
  return length;
}

// The window moves on to the next line, which begins at start.
LogLine *NextLine(int64_t start) {
  LogLine *next =
      walk.current == &walk.window[0] ? &walk.window[1] : &walk.window[0];
  walk.previous = walk.current;
  walk.current = next;
  next->number = ++walk.lines;
  next->start = start;
  return next;
}

// A line of nothing, counted.
void PassLine(int64_t start, size_t length) {
  NextLine(start);
  PassPlainLine(&walk.scan, &walk.reader, length);
}

void BeginLine(int64_t start, const char *piece) {
  LogLine *next = NextLine(start);
  next->first_piece = walk.scan.line_number + 1;
  next->pieces = 0;
  next->caller_id = false;
  next->connect = false;
  next->ring = false;
  next->modem_end = false;
  next->voided = false;
  next->stored_digit = false;
  next->digits = 0;
  next->collected[0] = '\0';
  next->head_length = strnlen(piece, kHeadCapacity);
  memcpy(next->head, piece, next->head_length);
  next->stamp_end = next->head_length;
}

// RING as a word of its own, not inside another.
bool HoldsRing(const char *piece) {
  for (const char *at = piece; (at = strstr(at, "RING")) != nullptr; at++) {
    bool before = at > piece && at[-1] >= 'A' && at[-1] <= 'Z';
    bool after = at[4] >= 'A' && at[4] <= 'Z';
    if (!before && !after)
      return true;
  }
  return false;
}

bool HoldsModemEnd(const char *piece) {
  return strstr(piece, "NO CARRIER") != nullptr ||
         strstr(piece, "BUSY") != nullptr ||
         strstr(piece, "NO ANSWER") != nullptr ||
         strstr(piece, "NO DIALTONE") != nullptr;
}

// Where the text before a word the scan found in the piece ends, within
// the head.
size_t StampEnd(ptrdiff_t word) {
  size_t at = static_cast<size_t>(word);
  return at < kHeadCapacity ? at : kHeadCapacity;
}

void ScanPiece(char *piece) {
  LogLine &line = *walk.current;
  walk.piece_caller_id = false;
  walk.piece_voided = false;
  walk.piece_digits = 0;
  int64_t connects = walk.scan.last_connect_line;
  ScanLogLine(&walk.scan, piece);
  bool first = walk.scan.line_number == line.first_piece;
  line.pieces++;
  if (walk.scan.last_connect_line != connects) {
    if (first && !line.connect && !line.caller_id)
      line.stamp_end = StampEnd(walk.scan.connect_at);
    line.connect = true;
  }
  if (walk.piece_caller_id) {
    if (first && !line.connect && !line.caller_id)
      line.stamp_end = StampEnd(walk.scan.marker_at);
    line.caller_id = true;
    line.voided = line.voided || walk.piece_voided;
    line.digits = walk.piece_digits;
    if (walk.scan.last_digit_line == walk.scan.line_number) {
      line.stored_digit = true;
      if (walk.piece_voided)
        line.collected[0] = '\0';
      else
        CopyNumber(line.collected, CallerNumber);
    }
  }
  // Only a call held looks at what else a line says, and only where the
  // line is no call's.
  if (walk.state != kIdle && !line.connect && !line.caller_id) {
    line.ring = line.ring || HoldsRing(piece);
    line.modem_end = line.modem_end || HoldsModemEnd(piece);
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

LogWalked WalkMailerLog(void (*begin)(), void (*take)(const Call &call),
                        void (*progress)(int64_t read, int64_t size)) {
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
  int64_t size = StreamLength(&log.file);
  ScopedFile tail;
  walk.tail_file = &tail;
  std::vector<unsigned char> block(kLogBlockSize);
  BeginTextReadingThrough(&walk.reader, &log, block.data(), block.size());
  ReadPastCtrlZ(&walk.reader);
  BeginLogScan(&walk.scan);
  BeginPlainLineTest(&walk.scan, &walk.plain);
  CallerNumber[0] = '\0';
  ConnectLine[0] = '\0';
  PhoneType[0] = '\0';
  begin();
  char piece[kLogPieceLength + 1];
  bool begins = true;
  int64_t offset = 0;
  int64_t told = 0;
  while (true) {
    size_t length;
    while (begins && (length = PlainLineNext()) > 0) {
      PassLine(offset, length);
      offset += static_cast<int64_t>(length);
    }
    if (!ReadLinePiece(&walk.reader, piece, kLogPieceLength))
      break;
    if (begins)
      BeginLine(offset, piece);
    ScanPiece(piece);
    offset = TextReadingOffset(&walk.reader);
    begins = PieceEndedLine(&walk.reader);
    if (begins)
      EndLine(offset);
    if (progress != nullptr && offset - told >= int64_t{1} << 20) {
      progress(offset, size);
      told = offset;
    }
  }
  // A last line without its line feed ends with the file.
  if (!begins)
    EndLine(offset);
  TakeHeld();
  walk.tail_file = nullptr;
  return {offset, walk.lines, walk.dated};
}
