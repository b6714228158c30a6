// The line classifier (log_lines.h).  A line is looked at once: each byte
// that may begin one of the words a call cares for (RING, a modem's
// result, a dial command) is tried where it stands, and an address only
// where a slash is.  A date line is tried last, on the line's head.
#include "capture/log_lines.h"

#include <cstring>

#include "capture/log_scan.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// word (upper-case) stands at text[at] in any letter case.
bool WordAt(const char *text, size_t length, size_t at, const char *word) {
  size_t i = 0;
  for (; word[i] != '\0'; i++)
    if (at + i >= length || Upper(text[at + i]) != word[i])
      return false;
  return true;
}

// The word stands alone: no letter right before or after it.
bool WholeWordAt(const char *text, size_t length, size_t at, size_t size) {
  return (at == 0 || !IsLetter(text[at - 1])) &&
         (at + size >= length || !IsLetter(text[at + size]));
}

constexpr const char *kModemResults[] = {"NO CARRIER", "NO ANSWER",
                                         "NO DIALTONE", "NO DIAL TONE",
                                         "BUSY"};

// Hayes dial modifiers, besides the digits.
bool IsDialModifier(char c) {
  return IsDigit(c) || strchr("TPWLSR,!@;*#", Upper(c)) != nullptr;
}

// ATD at text[at], not inside a word, then blanks and a digit or a dial
// modifier.
bool DialAt(const char *text, size_t length, size_t at) {
  if (!WordAt(text, length, at, "ATD") ||
      (at > 0 && (IsLetter(text[at - 1]) || IsDigit(text[at - 1]))))
    return false;
  size_t next = at + 3;
  while (next < length && (text[next] == ' ' || text[next] == '\t'))
    next++;
  return next < length && text[next] != '\0' && IsDialModifier(text[next]);
}

void LookForWords(LogLineClass *line, const char *text, size_t length) {
  for (size_t at = 0; at < length; at++) {
    switch (Upper(text[at])) {
    case 'R':
      if (!line->ring && WordAt(text, length, at, "RING") &&
          WholeWordAt(text, length, at, 4))
        line->ring = true;
      break;
    case 'N':
    case 'B':
      for (const char *result : kModemResults)
        if (!line->modem_result && WordAt(text, length, at, result))
          line->modem_result = true;
      break;
    case 'A':
      if (!line->dial && DialAt(text, length, at))
        line->dial = true;
      break;
    default:
      break;
    }
  }
}

}  // namespace

void BeginLineClass(LogLineClass *line) {
  memset(line, 0, sizeof *line);
  line->kind = kPlainLine;
}

void ClassifyPiece(LogLineClass *line, const char *text, size_t length) {
  if (line->pieces++ == 0) {
    size_t head = length < kLineHeadCapacity ? length : kLineHeadCapacity;
    memcpy(line->head, text, head);
    line->head_length = head;
    line->stamp_end = head;
  }
  LookForWords(line, text, length);
  if (!line->names_address && memchr(text, '/', length) != nullptr &&
      FindFidoAddress(text, length, &line->address, nullptr, nullptr)) {
    line->names_address = true;
    // A domain in one letter case, whether the piece was upper-cased or
    // not: "@fidonet", as mailers write it.
    for (char *c = line->address.domain; *c != '\0'; c++)
      *c = *c >= 'A' && *c <= 'Z' ? static_cast<char>(*c - 'A' + 'a') : *c;
  }
}

void NoteScanFindings(LogLineClass *line, const LogScan *scan) {
  // The stamp ends where the first piece shows CONNECT, or else the
  // marker.
  bool first = line->pieces == 1 && !line->connect && !line->caller_id;
  ptrdiff_t word = scan->connect_at >= 0 ? scan->connect_at : scan->marker_at;
  line->connect = line->connect || scan->connect_at >= 0;
  line->caller_id = line->caller_id || scan->marker_at >= 0;
  if (first && word >= 0)
    line->stamp_end = static_cast<size_t>(word) < kLineHeadCapacity
                          ? static_cast<size_t>(word)
                          : kLineHeadCapacity;
}

void SettleLineKind(LogLineClass *line) {
  LineStamp stamp;
  if (line->connect)
    line->kind = kConnectLine;
  else if (line->caller_id)
    line->kind = kCallerIdLine;
  else if (ReadDateLine(line->head, line->head_length, &line->date)) {
    // A date the line's own stamp begins with, a time after it, makes no
    // date line: the line is what its words say.  The date, which has its
    // year, dates the lines after it all the same.
    line->dates_on = true;
    ReadStampOf(*line, &stamp);
    if (stamp.date.day == 0) {
      line->kind = kDateLine;
      return;
    }
  }
  if (line->kind == kConnectLine || line->kind == kCallerIdLine)
    return;
  line->kind = line->ring            ? kRingLine
               : line->modem_result  ? kModemResultLine
               : line->dial          ? kDialLine
               : line->names_address ? kAddressLine
                                     : kPlainLine;
}

void ClassifyLogLine(const char *text, size_t length, bool caller_id,
                     bool connect, LogLineClass *line) {
  BeginLineClass(line);
  ClassifyPiece(line, text, length);
  line->connect = connect;
  line->caller_id = caller_id;
  SettleLineKind(line);
}

void ReadStampOf(const LogLineClass &line, LineStamp *stamp) {
  ReadLineStamp(line.head, line.stamp_end, stamp);
}
