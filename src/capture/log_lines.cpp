// The line classifier (log_lines.h).  A line is looked at once: where two
// bytes may begin one of the words a call cares for (RING, a modem's
// result, a dial command) the word is tried, and an address only where a
// slash is; a line the scan found CONNECT or the marker on is looked at
// no further.  A date line is tried last, on the line's head.
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

// The words looked for, by the two bytes each begins with: a bit a word
// in a table of first bytes and one of second bytes, so that a pair that
// begins none (most of a line) is passed with two looks and no branch.
enum WordStart : unsigned char {
  kMayBeRing = 1,
  kMayBeResult = 2,  // NO CARRIER, NO ANSWER, NO DIALTONE
  kMayBeBusy = 4,
  kMayBeDial = 8
};

struct WordStarts {
  unsigned char first[256];
  unsigned char second[256];
};

constexpr WordStarts MakeWordStarts() {
  WordStarts starts{};
  const struct {
    char first;
    char second;
    WordStart start;
  } kStarts[] = {{'R', 'I', kMayBeRing},
                 {'N', 'O', kMayBeResult},
                 {'B', 'U', kMayBeBusy},
                 {'A', 'T', kMayBeDial}};
  for (const auto &start : kStarts) {
    for (int lower = 0; lower <= 32; lower += 32) {
      starts.first[static_cast<unsigned char>(start.first + lower)] |=
          start.start;
      starts.second[static_cast<unsigned char>(start.second + lower)] |=
          start.start;
    }
  }
  return starts;
}
constexpr WordStarts kWordStarts = MakeWordStarts();

void LookForWords(LogLineClass *line, const char *text, size_t length) {
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text);
  for (size_t at = 0; at + 1 < length; at++) {
    unsigned start =
        kWordStarts.first[bytes[at]] & kWordStarts.second[bytes[at + 1]];
    if (start == 0)
      continue;
    if (start == kMayBeRing) {
      line->ring = line->ring || (WordAt(text, length, at, "RING") &&
                                  WholeWordAt(text, length, at, 4));
    } else if (start == kMayBeDial) {
      line->dial = line->dial || DialAt(text, length, at);
    } else {
      for (const char *result : kModemResults)
        line->modem_result =
            line->modem_result || WordAt(text, length, at, result);
    }
  }
}

}  // namespace

void BeginLineClass(LogLineClass *line) {
  // Field by field: the head is written before it is read.
  line->kind = kPlainLine;
  line->connect = false;
  line->caller_id = false;
  line->ring = false;
  line->modem_result = false;
  line->dial = false;
  line->names_address = false;
  line->date = {0, 0, 0};
  line->dates_on = false;
  line->pieces = 0;
  line->head_length = 0;
  line->stamp_end = 0;
  line->stamp_cut = false;
}

void ClassifyPiece(LogLineClass *line, const char *text, size_t length) {
  if (line->pieces++ == 0) {
    size_t head = length < kLineHeadCapacity ? length : kLineHeadCapacity;
    memcpy(line->head, text, head);
    line->head_length = head;
    if (!line->stamp_cut)
      line->stamp_end = head;
  }
  // A call's line is that whatever else it says.
  if (line->connect || line->caller_id)
    return;
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
  bool first = line->pieces == 0;
  ptrdiff_t word = scan->connect_at >= 0 ? scan->connect_at : scan->marker_at;
  line->connect = line->connect || scan->connect_at >= 0;
  line->caller_id = line->caller_id || scan->marker_at >= 0;
  if (first && word >= 0) {
    line->stamp_cut = true;
    line->stamp_end = static_cast<size_t>(word) < kLineHeadCapacity
                          ? static_cast<size_t>(word)
                          : kLineHeadCapacity;
  }
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
  line->connect = connect;
  line->caller_id = caller_id;
  ClassifyPiece(line, text, length);
  SettleLineKind(line);
}

void ReadStampOf(const LogLineClass &line, LineStamp *stamp) {
  ReadLineStamp(line.head, line.stamp_end, stamp);
}
