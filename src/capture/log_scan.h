// The mailer log scan step by step, for a reader of more than the tail:
// the call history reads the whole log through the very steps that
// ScanMailerLog takes over its last 4000 bytes.
#ifndef RINGCHECK_CAPTURE_LOG_SCAN_H
#define RINGCHECK_CAPTURE_LOG_SCAN_H

#include <cstddef>
#include <cstdint>

#include "config/settings.h"

struct ScopedFile;
struct TextReader;

// ringcheck reads no more of the log than its last this many bytes.
constexpr int64_t kLogTailLength = 4000;

struct LogScan {
  int64_t digit_count;  // IDLEN, and one for the phone type
  bool phone_type;      // the last digit wanted is the phone type
  char marker[kSettingCapacity + 1];
  size_t marker_length;
  // Lines are the pieces read, counted from 1.
  int64_t line_number;
  int64_t last_digit_line;    // the last that stored a digit, or 0
  int64_t last_connect_line;  // the last that held CONNECT, or 0
  // Where the last piece held the marker and CONNECT first, -1 where not.
  ptrdiff_t marker_at, connect_at;
  // SeparatorSet as it stands when the scan begins, a flag a byte: a
  // caller-id line looks at each of its characters.
  bool separators[256];
};

// A scan from the settings and SeparatorSet, before its first line.
// CallerNumber and ConnectLine are left as they are.
void BeginLogScan(LogScan *scan);
// One piece of the log, in a buffer of kLogPieceLength + 1 bytes and
// upper-cased in place: a CONNECT line keeps or empties CallerNumber and
// becomes ConnectLine, a caller-id line collects its digits into
// CallerNumber.
void ScanLogLine(LogScan *scan, char *line);
// After the last piece: a number only of the right length, the phone type
// split off its end, no CONNECT line that lies too far up.
void SettleScanResults(const LogScan *scan);
// The first two of those on other buffers than CallerNumber and PhoneType
// (kCallerNumberCapacity + 1 and kPhoneTypeCapacity + 1 bytes): the
// number a single caller-id line gives.  type stays as it is when no phone
// type is split off.
void SettleCallerNumber(const LogScan *scan, char *number, char *type);
// Which lines of the log the scan would pass over unchanged: those that
// hold neither the marker nor CONNECT.
constexpr int kPlainTestWords = 2;
struct PlainWord {
  const unsigned char *text;  // upper-case
  size_t length;
};
struct PlainLineTest {
  PlainWord words[kPlainTestWords];
  int word_count;
  size_t window;              // the shortest word's length
  unsigned char shift[256];   // for the byte at a window's end, as stored
  unsigned char ends[256];    // the words whose window may end at it
  int64_t odd_from, odd_at, odd_end;  // the next NUL or Ctrl-Z, as found
  bool never;
};

// A test for a scan begun.
void BeginPlainLineTest(const LogScan *scan, PlainLineTest *test);
// The length of the next line the reader holds when it is plain: read as
// a piece, upper-cased and looked at, it would show none of the words.  0
// when it is not, or when that cannot be told from the bytes at hand.
size_t PlainLineAhead(PlainLineTest *test, const TextReader *reader);
// Takes such a line, as the scan takes a line that holds nothing for it.
void PassPlainLine(LogScan *scan, TextReader *reader, size_t length);

// ringcheck's whole scan over length bytes of an open log from byte start
// on (to the end of the file when length is negative), from where the
// buffers stand: CallerNumber, PhoneType and ConnectLine as it leaves them.
void ScanLogPart(ScopedFile *log, int64_t start, int64_t length);

#endif
