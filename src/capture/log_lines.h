// What a line of the mailer log is to a call, told once for every reader
// of the log that looks further than ringcheck's own number: the call
// history's walk and the dry run.  The caller-id marker and CONNECT are
// what ringcheck's own scan (log_scan.h) found on the line's pieces; the
// rest is read here, in any letter case, from the line's text.
#ifndef RINGCHECK_CAPTURE_LOG_LINES_H
#define RINGCHECK_CAPTURE_LOG_LINES_H

#include <cstddef>

#include "capture/fido_address.h"
#include "capture/log_dates.h"

struct LogScan;

// One kind a line, the first that holds of these, in this order.
enum LineKind {
  kConnectLine,      // CONNECT, the marker on it or not
  kCallerIdLine,     // the caller-id marker
  kDateLine,         // a date alone, dating the lines after it
  kRingLine,         // RING, a word of its own
  kModemResultLine,  // NO CARRIER, BUSY, NO ANSWER, NO DIALTONE
  kDialLine,         // ATD, then a dial modifier or a digit, blanks between
  kAddressLine,      // names a FidoNet address
  kPlainLine,        // nothing of the above
  kLineKinds
};

// Bytes kept of a line's first piece: its stamp, or a date alone.
constexpr size_t kLineHeadCapacity = 64;

struct LogLineClass {
  LineKind kind;
  bool connect;    // the scan found CONNECT on it
  bool caller_id;  // the scan found the marker on it, CONNECT there or not
  bool ring;
  bool modem_result;
  bool dial;
  bool names_address;
  FidoAddress address;  // the first it names
  LogDate date;   // a date with its year, on a line that holds no call
  bool dates_on;  // it has one, which dates the lines after it
  int pieces;
  char head[kLineHeadCapacity];  // the start of its first piece
  size_t head_length;
  size_t stamp_end;  // the stamp stands before the marker or CONNECT
  bool stamp_cut;    // there, on its first piece
};

// A line before its first piece.
void BeginLineClass(LogLineClass *line);
// What the scan found on the piece it has just scanned, told before the
// piece is classified: a call's line is looked at no further.
void NoteScanFindings(LogLineClass *line, const LogScan *scan);
// One piece of it, length bytes of text as read or as upper-cased.
void ClassifyPiece(LogLineClass *line, const char *text, size_t length);
// The line's kind once its last piece is in.
void SettleLineKind(LogLineClass *line);
// A whole line in one piece, the marker and CONNECT as the scan found them.
void ClassifyLogLine(const char *text, size_t length, bool caller_id,
                     bool connect, LogLineClass *line);
// The date and time it begins with.
void ReadStampOf(const LogLineClass &line, LineStamp *stamp);

#endif
