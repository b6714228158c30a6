// The inputs a report reads, each under its heading, through ringcheck's
// own readers: the configuration file, a list file and users.tor.  What
// the readers tell on the way (a bad configuration line, a list line read)
// reaches the report's watcher, which hands it on here.
#ifndef RINGCHECK_EXPLAIN_REPORT_INPUTS_H
#define RINGCHECK_EXPLAIN_REPORT_INPUTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "checks/subscriber.h"
#include "explain/report/texts.h"
#include "run/run_observer.h"

struct ScopedFile;

struct InputsRead {
  bool config_named;  // a status 5 is then a file that cannot be opened
  int bad_config_lines;
  int list_line;  // the number of the list piece read last
  ListLine list_piece;
};

extern InputsRead ReportInputs;

void ForgetReportInputs();
// For a report's watcher.
void SeeBadConfigLine(BadConfigLine why);
void SeeListPieceRead(const char *piece);

// The configuration file, read over the defaults; how many lines
// ringcheck cannot read is said.  Ends the run with status 5 when it
// cannot be opened.
void ReadConfigurationUnder(const char *path);
// The list a setting names, entry by entry as its check reads it, each
// handed to take, then how many there were; a missing one is said and
// read as empty.
void ReadListUnder(int slot, ReportText heading,
                   void (*take)(const char *entry));
// A BADLIST entry: its pattern as the check compares it, the line as read
// and its number (a piece of a long line counts as a line of its own, as
// ringcheck reads it).
struct BannedPattern {
  char pattern[kNumberPatternCapacity + 1];
  std::string line;
  int number;
};
// BADLIST under its heading, read by its check's own reader: the one
// reading of its numbered patterns for every report.
std::vector<BannedPattern> ReadBannedPatternsUnder();
// Opens users.tor and counts its records; false, said, when it cannot be
// opened.  A base of more records than a phone key numbers is said and
// thrown as BaseTooLarge.
bool OpenUserBaseUnder(ScopedFile *base, int64_t *records);
// Hands each record of an open base to take, with its index from 0, and
// returns how many there were.
int64_t ReadEachRecord(ScopedFile *base, int64_t records,
                       void (*take)(const unsigned char *record,
                                    int64_t index));
// The name of a record of an open base (kUserNameCapacity + 1 bytes);
// false, and no name, when the base has no such record (it shrank).
bool ReadRecordName(ScopedFile *base, int64_t record, char *name);

#endif
