// Lines the scan passes over unchanged, told apart from the rest without
// reading them as pieces: a log is mostly lines that hold neither the
// marker nor CONNECT, and a reader of more than the tail spends its time
// on them.  The test looks at the bytes as stored, and says "plain" only
// where reading the line as a piece, upper-casing it and looking for the
// words would find none of them; any doubt (a line too long for one
// piece, a NUL, a Ctrl-Z, a carriage return inside the line, the end of
// the bytes at hand) leaves the line to be read.
//
// The words are looked for all at once, as Horspool's search for a set of
// words does: a window as long as the shortest word moves along the line,
// the byte at its end upper-cased as the scan upper-cases; where that byte
// is the last of the window in no word, the window moves on by as much as
// the byte allows, so that a line is passed after a few looks rather than
// a look a byte.  NUL and Ctrl-Z, which lines hardly ever hold, are looked
// for once for all the bytes at hand.
#include <cstdint>
#include <cstring>

#include "capture/caller_number.h"
#include "capture/log_scan.h"
#include "platform/cp866.h"
#include "run/run_observer.h"
#include "run/text_file.h"

namespace {

constexpr char kConnectWord[] = "CONNECT";

// Each byte upper-cased, as the scan upper-cases a line.
struct UpperTable {
  unsigned char byte[256];
};
constexpr UpperTable MakeUpperTable() {
  UpperTable table{};
  for (int byte = 0; byte < 256; byte++)
    table.byte[byte] = UpperCaseCp866Byte(static_cast<unsigned char>(byte));
  return table;
}
constexpr UpperTable kUpper = MakeUpperTable();

void AddWord(PlainLineTest *test, const char *word) {
  size_t length = strlen(word);
  if (length == 0 || test->word_count == kPlainTestWords)
    return;
  test->words[test->word_count].text =
      reinterpret_cast<const unsigned char *>(word);
  test->words[test->word_count].length = length;
  test->word_count++;
}

// The window, the shifts and which words may end a window at a byte, once
// every word is known.
void PrepareWindow(PlainLineTest *test) {
  size_t window = SIZE_MAX;
  for (int w = 0; w < test->word_count; w++)
    if (test->words[w].length < window)
      window = test->words[w].length;
  test->window = window;
  memset(test->ends, 0, sizeof test->ends);
  for (int byte = 0; byte < 256; byte++)
    test->shift[byte] = static_cast<unsigned char>(window);
  for (int w = 0; w < test->word_count; w++) {
    const unsigned char *text = test->words[w].text;
    for (int byte = 0; byte < 256; byte++) {
      unsigned char upper = kUpper.byte[byte];
      // The byte's last place in the window but its end brings it there.
      for (size_t i = 0; i + 1 < window; i++)
        if (upper == text[i] && window - 1 - i < test->shift[byte])
          test->shift[byte] = static_cast<unsigned char>(window - 1 - i);
      if (upper == text[window - 1])
        test->ends[byte] = static_cast<unsigned char>(test->ends[byte] | 1 << w);
    }
  }
}

bool WordAt(const PlainWord &word, const unsigned char *text,
            const unsigned char *end) {
  if (static_cast<size_t>(end - text) < word.length)
    return false;
  for (size_t i = 0; i < word.length; i++)
    if (kUpper.byte[text[i]] != word.text[i])
      return false;
  return true;
}

bool HoldsAWord(const PlainLineTest *test, const unsigned char *text,
                const unsigned char *end) {
  size_t window = test->window;
  for (const unsigned char *at = text; static_cast<size_t>(end - at) >= window;
       at += test->shift[at[window - 1]]) {
    for (unsigned ends = test->ends[at[window - 1]]; ends != 0;
         ends &= ends - 1) {
      int w = __builtin_ctz(ends);
      if (WordAt(test->words[w], at, end))
        return true;
    }
  }
  return false;
}

// The offset of the first NUL or Ctrl-Z among the bytes the reader holds,
// from its next byte on; past them all where none is.
int64_t OddByteAhead(PlainLineTest *test, const TextReader *reader,
                     const unsigned char *bytes, size_t held) {
  int64_t here = TextReadingOffset(reader);
  int64_t end = here + static_cast<int64_t>(held);
  if (here >= test->odd_from && here <= test->odd_at && end == test->odd_end)
    return test->odd_at;
  const void *nul = memchr(bytes, 0, held);
  const void *ctrl_z = memchr(bytes, 26, held);
  size_t at = held;
  if (nul != nullptr)
    at = static_cast<size_t>(static_cast<const unsigned char *>(nul) - bytes);
  if (ctrl_z != nullptr) {
    size_t z = static_cast<size_t>(static_cast<const unsigned char *>(ctrl_z) -
                                   bytes);
    at = z < at ? z : at;
  }
  test->odd_from = here;
  test->odd_at = here + static_cast<int64_t>(at);
  test->odd_end = end;
  return test->odd_at;
}

}  // namespace

void BeginPlainLineTest(const LogScan *scan, PlainLineTest *test) {
  test->word_count = 0;
  test->odd_from = test->odd_at = test->odd_end = -1;
  // An empty marker stands in every line: none is plain.  A watcher of
  // every line read (the dry run) is told of each.
  test->never = scan->marker_length == 0 ||
                (Observer != nullptr && Observer->MailerLogLineRead != nullptr);
  AddWord(test, scan->marker);
  AddWord(test, kConnectWord);
  PrepareWindow(test);
}

size_t PlainLineAhead(PlainLineTest *test, const TextReader *reader) {
  if (test->never)
    return 0;
  size_t held;
  const unsigned char *bytes = HeldBytes(reader, &held);
  size_t most = held > kLogPieceLength ? kLogPieceLength : held;
  const unsigned char *feed =
      static_cast<const unsigned char *>(memchr(bytes, '\n', most));
  if (feed == nullptr)
    return 0;
  size_t length = static_cast<size_t>(feed - bytes) + 1;
  if (OddByteAhead(test, reader, bytes, held) <
      TextReadingOffset(reader) + static_cast<int64_t>(length))
    return 0;
  // The carriage return of a CR LF end is dropped as the line is read; one
  // inside the line would join what stands around it.
  const unsigned char *end = feed > bytes && feed[-1] == '\r' ? feed - 1 : feed;
  if (memchr(bytes, '\r', static_cast<size_t>(end - bytes)) != nullptr ||
      HoldsAWord(test, bytes, end))
    return 0;
  return length;
}

void PassPlainLine(LogScan *scan, TextReader *reader, size_t length) {
  scan->line_number++;
  PassHeldBytes(reader, length);
}
