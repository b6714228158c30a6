// The call history: ringcheck-explain --calls [--csv] [--since DATE]
// [--until DATE] CONFIG-FILE [PATTERN].  Every call of the whole mailer log
// as it happened and as ringcheck would have seen it, run right after the
// call's line was written: its date and time, its number, the subscriber
// it is taken as, the BADLIST line that bans it, for a connection the
// errorlevel, and where ringcheck took no number, why, and whom the call's
// own caller-id line names; then a table a number, the totals, the calls
// by day and by hour.  A PATTERN, written as a BADLIST line, keeps the
// calls it matches and tells what it would have done as a line of BADLIST.
#ifndef RINGCHECK_EXPLAIN_HISTORY_HISTORY_H
#define RINGCHECK_EXPLAIN_HISTORY_HISTORY_H

struct HistoryRequest {
  const char *config;   // nullptr: none given
  const char *pattern;  // nullptr: none
  bool csv;             // CSV rows instead of the report
  const char *since;    // the first day kept, as given; nullptr: none
  const char *until;    // the last
  char csv_separator;   // between a CSV's fields: ',' or as --csv= gives
  // The history as a netmail message (--netmail DIR --address ADDR
  // [--to NAME] [--to-address ADDR2]); netmail nullptr: printed instead.
  const char *netmail;
  const char *address;
  const char *to;
  const char *to_address;
};

// Returns 0 when the log was read, 1, 2 and 5 as ringcheck when the log,
// the user base or the configuration cannot be opened (the calls are
// listed without subscribers then), 5 too when a day given is no date or
// the log gives none, 6 when memory ran out or the base has more records
// than a report can number.
int ReportCallHistory(const HistoryRequest &request);

#endif
