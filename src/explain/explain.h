// ringcheck-explain: which report the command line asks for.  Only here is
// the command line taken apart; the reports get what they need of it.
#ifndef RINGCHECK_EXPLAIN_EXPLAIN_H
#define RINGCHECK_EXPLAIN_EXPLAIN_H

enum ExplainReport { kHelpReport, kCallReport, kAuditReport, kHistoryReport };

struct ExplainChoice {
  ExplainReport report;
  const char *config;   // the configuration file; nullptr: none given
  const char *pattern;  // the history's PATTERN; nullptr: none
  bool csv;             // the history as CSV
};

// A first argument /?, -?, -h or --help asks for the help; --users (or
// /users, in any letter case) for the audit of the user base; --calls or
// --csv, with any more of them after it, for the call history, whose
// configuration file and PATTERN follow them.  Anything else is ringcheck's
// own command line, for the dry run of a call.
ExplainChoice ChooseReport(int argc, const char *const *argv);

// Runs the report the command line asks for and returns its exit code:
// the dry run's is the one ringcheck would give (0 to 5: with nothing
// written, never 7), the help's 0.
int ExplainRun(int argc, const char *const *argv);

#endif
