// The mailer log scan step by step, for a reader of more than the tail:
// the call history reads the whole log through the very steps that
// ScanMailerLog takes over its last 4000 bytes.
#ifndef RINGCHECK_CAPTURE_LOG_SCAN_H
#define RINGCHECK_CAPTURE_LOG_SCAN_H

#include <cstddef>
#include <cstdint>

#include "config/settings.h"

struct ScopedFile;

// ringcheck reads no more of the log than its last this many bytes.
constexpr int64_t kLogTailLength = 4000;

struct LogScan {
  int64_t digit_count;  // IDLEN, and one for the phone type
  char marker[kSettingCapacity + 1];
  size_t marker_length;
  // Lines are the pieces read, counted from 1.
  int64_t line_number;
  int64_t last_digit_line;    // the last that stored a digit, or 0
  int64_t last_connect_line;  // the last that held CONNECT, or 0
  // SeparatorSet as it stands when the scan begins, a flag a byte: a
  // caller-id line looks at each of its characters.
  bool separators[256];
};

// A scan from the settings and SeparatorSet, before its first line.
// CallerNumber and ConnectLine are left as they are.
void BeginLogScan(LogScan *scan);
// One piece of the log, upper-cased in place: a CONNECT line keeps or
// empties CallerNumber and becomes ConnectLine, a caller-id line collects
// its digits into CallerNumber.
void ScanLogLine(LogScan *scan, char *line);
// After the last piece: a number only of the right length, the phone type
// split off its end, no CONNECT line that lies too far up.
void SettleScanResults(const LogScan *scan);
// ringcheck's whole scan over length bytes of an open log from byte start
// on (to the end of the file when length is negative), from where the
// buffers stand: CallerNumber, PhoneType and ConnectLine as it leaves them.
void ScanLogPart(ScopedFile *log, int64_t start, int64_t length);

#endif
