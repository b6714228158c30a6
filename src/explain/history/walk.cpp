// The walk from the mailer log's lines to its calls.
//
// The log is read once, from its first byte, through ringcheck's own scan
// (capture/log_scan.h), piece by piece as ringcheck reads it, and each
// line is classified once (capture/log_lines.h): CONNECT and the caller-id
// marker as the scan found them, RING, a modem result (NO CARRIER, BUSY,
// NO ANSWER, NO DIALTONE), a dial, a date line, an address, or plain; and
// the stamp it begins with, a date and a time.  A line that holds neither
// the marker nor CONNECT is passed over as it stands, and classified from
// its bytes only when wanted: while a call is held, or where it may name
// an address while a session is open; the last ones passed otherwise are
// read again when a CONNECT or a session's address asks for them.  The
// scan tells what a caller-id piece did with its digits only through the
// watcher (SeeDigitsVoidedInWalk, SeeDigitsEndedInWalk), which notes it
// for the line being read.
//
// Two machines follow the lines.  The kinds' rules (capture/
// connection_kinds.cpp, where the rules of a caller, a mail session and an
// own call are written down with their states) settle who each connection
// was with; the lines passed over unread right before a CONNECT are told
// to them first, read again, as a dial or an address there makes it an own
// call.  The calls' machine below settles each call's number.  A call it
// takes waits, in order, until the kinds' rules have settled its
// connection, and is then handed on.
//
// A call is held until the lines after it tell how it ended.  The walk is
// in one of four states, and each line, by its kind, moves it:
//
//   state      the line                  what the walk does        next
//   ---------  ------------------------  ------------------------  ---------
//   idle       CONNECT, with the marker  takes a connection, its   idle
//              on it                     caller-id line that
//   idle       CONNECT                   holds a connection        connected
//   idle       a caller-id line          holds a call              ringing
//   idle       a date line               dates what follows        idle
//   idle       anything else             -                         idle
//   ringing    CONNECT                   takes a connection, the   idle
//                                        held call's caller-id
//                                        line its own
//   ringing    a caller-id line, the     holds it in the place of  ringing
//              same number or both       the held one
//              withheld
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
// the call: any line but RING (a dial, an address, a plain line), as a
// call rings a while before it connects.  A date line dates the lines
// after it; a line whose own stamp begins with a full date and a time
// dates them too, but is what its words say, a RING among them.
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
#include "capture/connection_kinds.h"
#include "capture/log_lines.h"
#include "capture/log_scan.h"
#include "config/settings.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

// The lines of one call stand within this many of each other.
constexpr int64_t kLinesOfACall = 5;
constexpr size_t kLogBlockSize = 64 * 1024;
// Calls handed on wait here, in their order, until their kinds are known.
constexpr int kWaitingCalls = 8;

// What a line of the log did as the scan went through its pieces.
struct LogLine {
  int64_t number;       // from 1
  int64_t start;        // the offset of its first byte
  int64_t first_piece;  // the scan's number of its first piece
  LogLineClass is;      // its kind, its stamp, a date, an address
  bool voided;
  bool stored_digit;
  int64_t digits;  // of its last caller-id piece
  char collected[kCallerNumberCapacity + 1];  // the digits it stored
};

enum WalkState { kIdle, kRinging, kConnected, kHeard };

// What a call keeps of its caller-id line: where it stands, and what the
// scan made of its digits.
struct CallerIdLine {
  int64_t number;
  int64_t start;
  int pieces;
  bool voided;
  bool stored_digit;
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

// A line passed over unread while nothing wanted it, which the kinds'
// rules may yet ask of: the lines right before a CONNECT.
struct PassedLine {
  int64_t number;
  int64_t start;
  size_t length;
};

struct WaitingCall {
  Call call;
  bool settled;
};

struct Walk {
  void (*take)(const Call &call);
  // Lines that hold neither the marker nor CONNECT are passed over as
  // they stand, told apart from the bytes; those wanted (a call held, a
  // session open) are classified from the same bytes.
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
  bool passed_wanted;  // the line passed over is classified, in its place
  PassedLine passed[kSessionLines];  // the last ones, unread
  int passed_count;
  int passed_first;
  KindRules kinds;
  // A ring, in order from waiting_first: a call handed on leaves its
  // place, and the others are not moved.
  WaitingCall waiting[kWaitingCalls];
  int waiting_first;
  int waiting_count;
  SettledConnection settled[kWaitingCalls];  // not yet taken; line 0: none
  int settled_next;
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
  kept.pieces = line.is.pieces;
  kept.voided = line.voided;
  kept.stored_digit = line.stored_digit;
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
// it would have run; own is its caller-id line, if it has one, and last
// the caller-id line the scan read last before it ran: the call's own, or
// the CONNECT line where that holds the marker too.  Each cause is what
// those lines show.
NoNumber WhyNoNumber(const Call &call, const char *raw,
                     const CallerIdLine *own, const CallerIdLine *last,
                     int64_t end, int64_t *lines_up) {
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
  if (last->start < tail)
    return kTailCutOff;
  if (last->pieces > 1)
    return kLongLine;
  // The scan told of the line's digits: voided, or ended short.
  return last->voided ? kNumberVoided : kTooFewDigits;
}

// A call of line: its stamp, dated by the last date line where the line
// gives no date of its own or no year.
void BeginCall(const LogLine &line, bool connected, Call *call) {
  LineStamp stamp;
  ReadStampOf(line.is, &stamp);
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

// Calls wait in their order until each connection's kind is known.
void HandOnSettled() {
  while (walk.waiting_count > 0 && walk.waiting[walk.waiting_first].settled) {
    walk.take(walk.waiting[walk.waiting_first].call);
    walk.waiting_first = (walk.waiting_first + 1) % kWaitingCalls;
    walk.waiting_count--;
  }
}

// The i-th call waiting, from the first.
WaitingCall &WaitingAt(int i) {
  return walk.waiting[(walk.waiting_first + i) % kWaitingCalls];
}

void GiveKind(const SettledConnection &settled, Call *call) {
  call->kind = settled.kind;
  call->address[0] = '\0';
  if (settled.has_address)
    ShowFidoAddress(settled.address, call->address);
}

void Take(const Call &call) {
  // More waiting than a session's lines could hold: the first goes on as
  // it stands.
  if (walk.waiting_count == kWaitingCalls) {
    WaitingAt(0).settled = true;
    HandOnSettled();
  }
  WaitingCall &waiting = WaitingAt(walk.waiting_count++);
  waiting.call = call;
  waiting.settled = !call.connected;
  for (int i = 0; call.connected && i < kWaitingCalls; i++) {
    SettledConnection &settled = walk.settled[i];
    if (settled.line == call.line) {
      GiveKind(settled, &waiting.call);
      waiting.settled = true;
      settled.line = 0;
      break;
    }
  }
  HandOnSettled();
}

void Settle(const SettledConnection &settled) {
  for (int i = 0; i < walk.waiting_count; i++) {
    WaitingCall &waiting = WaitingAt(i);
    if (!waiting.settled && waiting.call.line == settled.line) {
      GiveKind(settled, &waiting.call);
      waiting.settled = true;
      HandOnSettled();
      return;
    }
  }
  walk.settled[walk.settled_next] = settled;
  walk.settled_next = (walk.settled_next + 1) % kWaitingCalls;
}

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
void SettleConnection(HeldCall *held, const char *raw, const char *own_number,
                      const CallerIdLine *connect_line, int64_t end) {
  Call &call = held->call;
  const CallerIdLine *own = held->has_own_line ? &held->own_line : nullptr;
  if (own_number != nullptr)
    CopyNumber(call.caller_id, own_number);
  else if (own != nullptr)
    OwnNumberOf(*own, call.caller_id);
  const CallerIdLine *last = connect_line != nullptr ? connect_line : own;
  call.why = WhyNoNumber(call, raw, own, last, end, &call.lines_up);
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
  connection.has_own_line = walk.state == kRinging || line.is.caller_id;
  CallerIdLine marked;
  if (line.is.caller_id)
    marked = CallerIdLineOf(line);
  if (walk.state != kRinging && line.is.caller_id)
    connection.own_line = marked;
  connection.quiet_lines = 0;
  // A ringing call's own number was settled as its line was held: it is
  // the number of the line kept, not worked out again.
  char own_number[kCallerNumberCapacity + 1];
  bool own_known = walk.state == kRinging;
  if (own_known)
    CopyNumber(own_number, connection.call.caller_id);
  BeginCall(line, true, &connection.call);
  char raw[kCallerNumberCapacity + 1];
  int64_t before_start = walk.previous != nullptr ? walk.previous->start : 0;
  RingcheckView(end, before_start, &connection.call, raw);
  SettleConnection(&connection, raw, own_known ? own_number : nullptr,
                   line.is.caller_id ? &marked : nullptr, end);
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
  ringing.call.why =
      WhyNoNumber(ringing.call, raw, &ringing.own_line, &ringing.own_line,
                  end, &ringing.call.lines_up);
}

// The unit said the same number again, or withheld it again (no digit
// at all, "PRIVATE" at each ring): the same call.
bool SameNumber(const LogLine &line, const HeldCall &held) {
  if (!line.stored_digit && !held.own_line.stored_digit)
    return true;
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
  if (line.is.dates_on) {
    walk.date = line.is.date;
    walk.dated = true;
  }
  if (line.is.kind == kDateLine) {
    TakeHeld();
    return;
  }
  if (walk.state == kIdle)
    return;
  if (line.is.kind == kRingLine) {
    // A new call rings: nothing after it is the connection's.
    if (walk.state != kRinging)
      TakeHeld();
    return;
  }
  HeldCall &counting = walk.state == kHeard ? walk.heard : walk.held;
  if (line.is.kind == kModemResultLine ||
      ++counting.quiet_lines >= kLinesOfACall)
    TakeHeld();
}

// The kinds' rules told of a line.
void FollowKinds(const LogLine &line) {
  SettledConnection settled;
  if (FollowLine(&walk.kinds, line.number, line.is, &settled))
    Settle(settled);
}

// The bytes of a line passed over: where they stand in the reader's
// block still, or read again from the log into text; nullptr where they
// cannot be read.
const char *PassedBytes(const PassedLine &passed, char *text) {
  const TextReader &reader = walk.reader;
  if (passed.start >= reader.start)
    return reinterpret_cast<const char *>(reader.buffer) +
           (passed.start - reader.start);
  if (!walk.tail_file_tried) {
    walk.tail_file_tried = true;
    OpenFileForReading(Settings[LOGWITHAON], walk.tail_file);
  }
  OsFile *file = &walk.tail_file->file;
  bool read = file->handle != -1 &&
              OsSetPosition(file, passed.start, kSeekFromStart) &&
              OsReadBytes(file, text, passed.length) == passed.length;
  return read ? text : nullptr;
}

// The lines passed over unread, told to the kinds' rules now, in their
// order, before a CONNECT (a dial or an address there makes it the
// station's own call) or an address in a session (an end among them may
// have ended the session first).  Any other line read whole forgets them:
// after a caller-id line or a date line nothing before matters to the
// next connection, and they name no address a session could take.
void FollowPassedLines() {
  if (walk.passed_count == 0)
    return;
  for (int i = 0; i < walk.passed_count; i++) {
    const PassedLine &passed =
        walk.passed[(walk.passed_first + i) % kSessionLines];
    char read[kLogPieceLength + 2];
    const char *text = PassedBytes(passed, read);
    if (text == nullptr)
      break;
    size_t length = passed.length - 1;
    if (length > 0 && text[length - 1] == '\r')
      length--;
    LogLine line;
    line.number = passed.number;
    ClassifyLogLine(text, length, false, false, &line.is);
    FollowKinds(line);
  }
  walk.passed_count = 0;
}

// The current line has been read to its end, at the offset end.
void EndLine(int64_t end) {
  LogLine &line = *walk.current;
  SettleLineKind(&line.is);
  if (line.is.kind == kConnectLine)
    FollowPassedLines();
  walk.passed_count = 0;
  FollowKinds(line);
  if (line.is.kind == kConnectLine)
    OnConnect(line, end);
  else if (line.is.kind == kCallerIdLine)
    OnCallerId(line, end);
  else
    OnOtherLine(line);
}

// The place of the line after the current one in the window.
LogLine *LineAfter() {
  return walk.current == &walk.window[0] ? &walk.window[1] : &walk.window[0];
}

// The length of the next line when it holds neither the marker nor
// CONNECT, as the scan passes over it, classified in its place in the
// window when wanted (passed_wanted): while a call is held, or where it
// may name an address (a slash) while a session is open.  A line not
// wanted is no date line either.  0 otherwise.
size_t PlainLineNext() {
  size_t length = PlainLineAhead(&walk.plain, &walk.reader);
  if (length == 0)
    return 0;
  size_t held;
  const char *text =
      reinterpret_cast<const char *>(HeldBytes(&walk.reader, &held));
  size_t line_length = length - 1;
  if (line_length > 0 && text[line_length - 1] == '\r')
    line_length--;
  walk.passed_wanted =
      walk.state != kIdle ||
      (SessionOpen(&walk.kinds) && memchr(text, '/', line_length) != nullptr);
  if (walk.passed_wanted) {
    ClassifyLogLine(text, line_length, false, false, &LineAfter()->is);
    return length;
  }
  size_t head =
      line_length < kLineHeadCapacity ? line_length : kLineHeadCapacity;
  LogDate date;
  if (ReadDateLineOf(text, head, &date))
    return 0;
  return length;
}

// The window moves on to the next line, which begins at start.
LogLine *NextLine(int64_t start) {
  LogLine *next = LineAfter();
  walk.previous = walk.current;
  walk.current = next;
  next->number = ++walk.lines;
  next->start = start;
  return next;
}

// A line the scan passes over, counted; classified and followed when
// wanted, kept among the last passed otherwise.
void PassLine(int64_t start, size_t length, bool wanted) {
  LogLine *line = NextLine(start);
  PassPlainLine(&walk.scan, &walk.reader, length);
  if (wanted) {
    FollowPassedLines();
    FollowKinds(*line);
    OnOtherLine(*line);
    return;
  }
  PassedLine &passed = walk.passed[(walk.passed_first + walk.passed_count) %
                                   kSessionLines];
  passed = {line->number, start, length};
  if (walk.passed_count < kSessionLines)
    walk.passed_count++;
  else
    walk.passed_first = (walk.passed_first + 1) % kSessionLines;
}

void BeginLine(int64_t start) {
  LogLine *next = NextLine(start);
  next->first_piece = walk.scan.line_number + 1;
  BeginLineClass(&next->is);
  next->voided = false;
  next->stored_digit = false;
  next->digits = 0;
  next->collected[0] = '\0';
}

void ScanPiece(char *piece) {
  LogLine &line = *walk.current;
  walk.piece_caller_id = false;
  walk.piece_voided = false;
  walk.piece_digits = 0;
  ScanLogLine(&walk.scan, piece);
  NoteScanFindings(&line.is, &walk.scan);
  ClassifyPiece(&line.is, piece, strnlen(piece, kLogPieceLength + 1));
  if (walk.piece_caller_id) {
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
  BeginKindRules(&walk.kinds);
  ScopedFile log;
  if (!OpenFileForReading(Settings[LOGWITHAON], &log))
    return {0, 0, false, false};
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
      PassLine(offset, length, walk.passed_wanted);
      offset += static_cast<int64_t>(length);
    }
    if (!ReadLinePiece(&walk.reader, piece, kLogPieceLength))
      break;
    if (begins)
      BeginLine(offset);
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
  SettledConnection settled;
  if (EndKindRules(&walk.kinds, &settled))
    Settle(settled);
  for (int i = 0; i < walk.waiting_count; i++)
    WaitingAt(i).settled = true;
  HandOnSettled();
  walk.tail_file = nullptr;
  return {offset, walk.lines, walk.dated, true};
}
