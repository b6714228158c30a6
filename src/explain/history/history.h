// The call history: ringcheck-explain --calls [--csv] CONFIG-FILE [PATTERN].
// Every call of the whole mailer log as ringcheck would have seen it, run
// right after the call's line was written: its number, the subscriber it
// is taken as, the BADLIST line that bans it and, for a connected call,
// the errorlevel; then a table a number, the totals and the calls by hour.
// A PATTERN, written as a BADLIST line, keeps the calls it would ban and
// names the subscribers whose own number it bans.
#ifndef RINGCHECK_EXPLAIN_HISTORY_HISTORY_H
#define RINGCHECK_EXPLAIN_HISTORY_HISTORY_H

struct HistoryRequest {
  const char *config;   // nullptr: none given
  const char *pattern;  // nullptr: none
  bool csv;             // CSV rows instead of the report
};

// Returns 0 when the log was read, 1, 2 and 5 as ringcheck when the log,
// the user base or the configuration cannot be opened (the calls are
// listed without subscribers then), 6 when memory ran out or the base has
// more records than a report can number.
int ReportCallHistory(const HistoryRequest &request);

#endif
