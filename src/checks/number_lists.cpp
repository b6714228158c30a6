// The banned-number list and the exempt-name list.
//
// Both are plain text files kept by the sysop, one entry a line, with the
// configuration file's remarks: ';' first on a line makes it a comment, a
// ';' elsewhere cuts the line, leading blanks go.  Their lines come in
// pieces of 254 characters, and a piece counts as a line of its own.
#include <cstring>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

// Reads the next entry of a list, prepared: comment lines skipped, the line
// feed dropped, the text cut at its first ';' and stripped of leading
// blanks (byte 32 only).  Trailing blanks stay.  False at the end.
bool ReadListEntry(TextReader *reader, ListLine line) {
  do {
    if (!ReadLinePiece(reader, line, kListPieceLength))
      return false;
    NoteListLineRead(line);
  } while (!PrepareListEntry(line));
  return true;
}

bool PrepareListEntry(ListLine line) {
  if (line[0] == ';')
    return false;
  size_t length = strlen(line);
  if (length > 0 && line[length - 1] == '\n')
    line[length - 1] = '\0';
  if (char *remark = strchr(line, ';'))
    DeleteSpan(line, static_cast<int>(remark - line), kListPieceLength);
  while (line[0] == ' ')
    DeleteSpan(line, 0, 1);
  return true;
}

// The pattern of a banned-number entry: its digits, '?' and '*', so that a
// number may be written with blanks, brackets or dashes.  The first 15 are
// kept, the rest of the line is ignored.
void TakeNumberPattern(const char *entry, char *pattern) {
  size_t used = 0;
  for (const char *p = entry; *p != '\0' && used < kNumberPatternCapacity;
       p++) {
    if ((*p >= '0' && *p <= '9') || *p == '?' || *p == '*')
      pattern[used++] = *p;
  }
  pattern[used] = '\0';
}

bool MatchNumberPattern(const char *pattern, const char *number) {
  size_t pattern_length = strlen(pattern);
  size_t number_length = strlen(number);
  // Only the first half of the two lengths together is examined.  Stored
  // lists rely on what follows from that: a pattern one longer than the
  // number is never examined at its last character, and one shorter
  // matches when it agrees up to its end.
  size_t bound = (pattern_length + number_length) / 2;
  for (size_t i = 0; i < bound; i++) {
    bool pattern_ended = i >= pattern_length;
    bool number_ended = i >= number_length;
    if (!pattern_ended && !number_ended && pattern[i] == number[i])
      continue;
    if (pattern_ended)
      return false;
    if (pattern[i] == '*')
      return true;
    // '?' stands for any digit, and for the number's end too.
    if (pattern[i] == '?')
      continue;
    return false;
  }
  return true;
}

// A digit of the pattern must stand in the number at its place, a '?' or
// '*' takes any: the number made of the pattern's own digits, 0 where it
// leaves the choice, matches if any number of that length does.
bool PatternMatchesSomeNumber(const char *pattern, size_t digits) {
  char number[kCallerNumberCapacity + 1];
  size_t length = strlen(pattern);
  for (size_t i = 0; i < digits; i++)
    number[i] = i < length && pattern[i] >= '0' && pattern[i] <= '9'
                    ? pattern[i]
                    : '0';
  number[digits] = '\0';
  return MatchNumberPattern(pattern, number);
}

bool ReadListEntries(int slot,
                     void (*take)(const char *entry, const void *context),
                     const void *context) {
  ScopedFile list;
  bool opened = OpenFileForReading(Settings[slot], &list);
  NoteListOpened(slot, opened);
  if (!opened)
    return false;
  TextReader reader;
  BeginTextReading(&reader, &list);
  ListLine entry;
  while (ReadListEntry(&reader, entry))
    take(entry, context);
  CloseFile(&list);
  return true;
}

namespace {

void StopAtBannedNumber(const char *entry, const void *number) {
  char pattern[kNumberPatternCapacity + 1];
  TakeNumberPattern(entry, pattern);
  if (MatchNumberPattern(pattern, static_cast<const char *>(number))) {
    RememberFileName(Settings[BADLIST]);
    FinishRun(kStatusBannedNumber);
  }
}

// Exactly: letter case and trailing blanks count.
void StopAtExemptName(const char *entry, const void *login_name) {
  if (strcmp(entry, static_cast<const char *>(login_name)) == 0) {
    RememberFileName(Settings[GOODLIST]);
    FinishRun(kStatusExemptName);
  }
}

}  // namespace

void CheckBannedNumbers() {
  ReadListEntries(BADLIST, StopAtBannedNumber, CallerNumber);
}

void CheckExemptNames(const char *login_name) {
  ReadListEntries(GOODLIST, StopAtExemptName, login_name);
}
