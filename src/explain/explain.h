// ringcheck-explain: which report the command line asks for.  Only here is
// the command line taken apart; the reports get what they need of it.
#ifndef RINGCHECK_EXPLAIN_EXPLAIN_H
#define RINGCHECK_EXPLAIN_EXPLAIN_H

enum ExplainReport {
  kHelpReport,
  kCallReport,
  kAuditReport,
  kHistoryReport,
  kRefusedLine,  // a switch no report knows, or one without its value
};

struct ExplainChoice {
  ExplainReport report;
  const char *config;   // the configuration file; nullptr: none given
  const char *pattern;  // the history's PATTERN; nullptr: none
  bool csv;             // the history as CSV
  const char *since;    // the history's first and last day, as given
  const char *until;
  const char *refused;  // the argument refused
  bool wants_value;     // it is a switch given no value
};

// A first argument /?, -?, -h or --help asks for the help; --users (or
// /users, in any letter case) for the audit of the user base; one of the
// history's switches (--calls, --csv, --since DATE, --until DATE) for the
// call history, whose switches then stand anywhere, before or after its
// configuration file and PATTERN, and where an argument that looks like a
// switch and is none of them is refused.  Anything else is ringcheck's own
// command line, for the dry run of a call.
ExplainChoice ChooseReport(int argc, const char *const *argv);

// Runs the report the command line asks for and returns its exit code:
// the dry run's is the one ringcheck would give (0 to 5: with nothing
// written, never 7), the help's 0.
int ExplainRun(int argc, const char *const *argv);

#endif
