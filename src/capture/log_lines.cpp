// The line classifier (log_lines.h).  A line is looked at once: sixteen
// places at a time for the first bytes of the words a call cares for
// (RING, a modem's result, a dial command), and only where they may stand
// is a word tried; an address only where a slash is; a line the scan
// found CONNECT or the marker on is looked at no further.  A date line is
// tried last, on the line's head.
#include "capture/log_lines.h"

#include <cstdint>
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

// The words looked for, each by its first four bytes: RING, BUSY, "NO "
// and the first letter of CARRIER, ANSWER or DIALTONE, and ATD with the
// blank or dial modifier that must follow it.  Four bytes in a row hold,
// among their first three, a place that is a multiple of three: the line
// is looked at every third byte, the pair of bytes there against the
// pairs the words hold at their places 0, 1 and 2.  A pair is a bit, set
// in a table of first bytes and one of second bytes, so that the pairs
// that begin nothing (most of a line) are passed with two looks and no
// branch, a third of the bytes; the bit says which word would begin
// where, and only that word is tried there.
enum WordName { kRingWord, kResultWord, kBusyWord, kDialWord, kWordNames };

struct WordPairs {
  unsigned short first[256];
  unsigned short second[256];
};

// The bit of word's pair at place (0 to 2).
constexpr unsigned PairBit(int word, int place) {
  return 1u << (word * 3 + place);
}

constexpr void AddPair(WordPairs *pairs, const char *firsts,
                       const char *seconds, unsigned bit) {
  for (const char *c = firsts; *c != '\0'; c++)
    pairs->first[static_cast<unsigned char>(*c)] |=
        static_cast<unsigned short>(bit);
  for (const char *c = seconds; *c != '\0'; c++)
    pairs->second[static_cast<unsigned char>(*c)] |=
        static_cast<unsigned short>(bit);
}

constexpr WordPairs MakeWordPairs() {
  WordPairs pairs{};
  // Each word's four bytes, a byte in either letter case.
  const char *const kWordBytes[kWordNames][4] = {
      {"Rr", "Ii", "Nn", "Gg"},
      {"Nn", "Oo", " ", "CcAaDd"},
      {"Bb", "Uu", "Ss", "Yy"},
      {"Aa", "Tt", "Dd",
       " \t0123456789TtPpWwLlSsRr,!@;*#"}};
  for (int word = 0; word < kWordNames; word++)
    for (int place = 0; place < 3; place++)
      AddPair(&pairs, kWordBytes[word][place], kWordBytes[word][place + 1],
              PairBit(word, place));
  return pairs;
}
constexpr WordPairs kWordPairs = MakeWordPairs();

// The word named, tried where it would begin.
void TryWordAt(LogLineClass *line, const char *text, size_t length,
               size_t at, int word) {
  if (word == kRingWord) {
    line->ring = line->ring || (WordAt(text, length, at, "RING") &&
                                WholeWordAt(text, length, at, 4));
  } else if (word == kDialWord) {
    line->dial = line->dial || DialAt(text, length, at);
  } else {
    for (const char *result : kModemResults)
      line->modem_result =
          line->modem_result || WordAt(text, length, at, result);
  }
}

// Sixteen bytes of a line, looked at side by side: most lines hold none
// of the words, and a look at sixteen places at once, without a branch a
// place, tells so.  (The compiler's vectors, as GCC and Clang have them.)
typedef signed char Lanes __attribute__((vector_size(16)));
constexpr size_t kLanes = sizeof(Lanes);
// A word's first three bytes are looked at, and RING's and BUSY's fourth.
constexpr size_t kLanesLook = kLanes + 3;

// A vector is loaded through a pointer and never returned: returned by
// value it would travel in SSE registers, which a 32-bit build for
// Windows need not have (GCC refuses that ABI change, -Wpsabi).
void LoadLanes(Lanes *lanes, const char *at) {
  memcpy(lanes, at, sizeof *lanes);
}

bool AnyLane(const Lanes &lanes) {
  uint64_t halves[2];
  memcpy(halves, &lanes, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

// Whether one of the words may begin at one of the sixteen places from at
// (kLanesLook bytes there): its first bytes, letters in either case (a
// letter with 0x20 set is its small one).
bool MayBeginWord(const char *at) {
  Lanes b0, b1, b2, b3;
  LoadLanes(&b0, at);
  LoadLanes(&b1, at + 1);
  b0 |= 0x20;
  b1 |= 0x20;
  // The first two bytes alone rule out most places, at half the looks.
  Lanes pairs = ((b0 == 'r') & (b1 == 'i')) | ((b0 == 'n') & (b1 == 'o')) |
                ((b0 == 'b') & (b1 == 'u')) | ((b0 == 'a') & (b1 == 't'));
  if (!AnyLane(pairs))
    return false;
  LoadLanes(&b2, at + 2);
  LoadLanes(&b3, at + 3);
  b3 |= 0x20;
  Lanes s2 = b2 | 0x20;
  Lanes words = ((b0 == 'r') & (b1 == 'i') & (s2 == 'n') & (b3 == 'g')) |
                ((b0 == 'n') & (b1 == 'o') & (b2 == ' ')) |
                ((b0 == 'b') & (b1 == 'u') & (s2 == 's') & (b3 == 'y')) |
                ((b0 == 'a') & (b1 == 't') & (s2 == 'd'));
  return AnyLane(words);
}

// Whether one of the words may stand in the line: its places looked at
// sixteen at a time, the last sixteen from kLanesLook bytes before its
// end (a word begins no later than four bytes before it); a line shorter
// than that from a copy with room after it.
bool MayHoldWord(const char *text, size_t length) {
  if (length < kLanesLook) {
    char rest[kLanes + kLanesLook] = {};
    memcpy(rest, text, length);
    return MayBeginWord(rest);
  }
  size_t at = 0;
  for (; at + kLanesLook <= length; at += kLanes)
    if (MayBeginWord(text + at))
      return true;
  return at < length && MayBeginWord(text + length - kLanesLook);
}

void LookForWords(LogLineClass *line, const char *text, size_t length) {
  if (!MayHoldWord(text, length))
    return;
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text);
  for (size_t at = 0; at + 1 < length; at += 3) {
    unsigned pairs =
        kWordPairs.first[bytes[at]] & kWordPairs.second[bytes[at + 1]];
    for (; pairs != 0; pairs &= pairs - 1) {
      int bit = __builtin_ctz(pairs);
      size_t place = static_cast<size_t>(bit % 3);
      if (place <= at)
        TryWordAt(line, text, length, at - place, bit / 3);
    }
  }
}

// length bytes of a line's start, at most kLineHeadCapacity, copied in
// blocks of a fixed size, two that overlap where the length lies between
// (a line's head is most often 32 to 63 bytes: one way, with no call).
void CopyHead(char *head, const char *text, size_t length) {
  if (length == kLineHeadCapacity) {
    memcpy(head, text, kLineHeadCapacity);
  } else if (length >= 32) {
    memcpy(head, text, 32);
    memcpy(head + length - 32, text + length - 32, 32);
  } else if (length >= 8) {
    for (size_t at = 0; at + 8 <= length; at += 8)
      memcpy(head + at, text + at, 8);
    memcpy(head + length - 8, text + length - 8, 8);
  } else {
    for (size_t at = 0; at < length; at++)
      head[at] = text[at];
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
    CopyHead(line->head, text, head);
    line->head_length = head;
    if (!line->stamp_cut)
      line->stamp_end = head;
  }
  // A call's line is that whatever else it says.
  if (line->connect || line->caller_id)
    return;
  LookForWords(line, text, length);
  if (!line->names_address &&
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
  else if (ReadDateLineOf(line->head, line->head_length, &line->date)) {
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
