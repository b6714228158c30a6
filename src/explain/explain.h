// ringcheck-explain: which report the command line asks for.  Only here is
// the command line taken apart; the reports get what they need of it.
#ifndef RINGCHECK_EXPLAIN_EXPLAIN_H
#define RINGCHECK_EXPLAIN_EXPLAIN_H

enum ExplainReport {
  kHelpReport,
  kCallReport,
  kAuditReport,
  kHistoryReport,
  kRefusedLine,  // an argument no report takes, or a switch without its value
};

// Why a command line was refused; refused names the argument.
enum LineRefusal {
  kRefusedUnknownSwitch,   // a switch of no report
  kRefusedWithoutValue,    // a switch whose value is missing
  kRefusedWithoutPlace,    // a plain argument past the report's places
  kRefusedTogether,        // refused and other cannot go together
  kRefusedWithoutOther,    // refused needs other beside it
  kRefusedSeparator,       // --csv= given no single character to take
};

struct ExplainChoice {
  ExplainReport report;
  const char *config;   // the configuration file; nullptr: none given
  const char *pattern;  // the history's PATTERN; nullptr: none
  bool csv;             // the history as CSV
  char csv_separator;   // ',' or what --csv= gives
  const char *since;    // the history's first and last day, as given
  const char *until;
  const char *netmail;  // the history as a netmail message into this folder
  const char *address;
  const char *to;
  const char *to_address;
  // The dry run's command line as ringcheck takes it: the program, the
  // configuration file and the login name, whole or in two halves.
  const char *call_argv[4];
  int call_argc;
  LineRefusal refusal;
  const char *refused;  // the argument refused
  const char *other;    // the switch it goes with or needs, as typed or named
};

// What a switch takes after it.
enum SwitchTakes {
  kTakesNothing,
  kTakesValue,      // the next argument, whatever it is
  kTakesSeparator,  // nothing, or one character after = or : (--csv=;)
};

struct ExplainSwitch {
  const char *name;  // given as --name or /name, in any letter case
  SwitchTakes takes;
  const char *ExplainChoice::*value;  // where a value goes
  const char *needs;     // a switch it needs beside it; nullptr: none
  const char *excludes;  // one it cannot go with; nullptr: none
};

constexpr int kMostSwitches = 8;

// A report, its switches and how many plain arguments it takes.  A switch
// of a report chooses that report wherever it stands, before a "--" that
// ends the switches; a plain argument past the report's places, or a
// switch of another report, is refused.
struct ExplainRow {
  ExplainReport report;
  int places;
  ExplainSwitch switches[kMostSwitches];  // up to the first without a name
};

extern const ExplainRow kExplainRows[];
extern const int kExplainRowCount;

// The help: --help, /? (or --?) anywhere before "--", or -h or -? as the
// first argument.  --users (or /users, in any letter case) for the audit
// of the user base, then CONFIG-FILE; any of the history's switches for
// the call history, then CONFIG-FILE [PATTERN].  Without a switch it is
// ringcheck's own command line, for the dry run of a call: CONFIG-FILE and
// the login name, one argument or two halves.
ExplainChoice ChooseReport(int argc, const char *const *argv);

// Runs the report the command line asks for and returns its exit code:
// the dry run's is the one ringcheck would give (0 to 5: with nothing
// written, never 7), the help's 0.
int ExplainRun(int argc, const char *const *argv);

#endif
