// The dry run: ringcheck's stages over the same files, watched, with
// nothing written and no screen drawn; what they did becomes a report on
// standard output.
#ifndef RINGCHECK_EXPLAIN_EXPLAIN_RUN_H
#define RINGCHECK_EXPLAIN_EXPLAIN_RUN_H

#include "explain/report_texts.h"

// Takes ringcheck's command line; returns the exit code ringcheck would
// give (0 to 5: with nothing written, never 7).  A first argument that asks
// for help (/?, -?, -h, --help) gets the help instead, and 0; one that asks
// for the audit of the user base (--users) gets that (see user_audit.h),
// one for the calls of the log (--calls, --csv) those (call_history.h).
int ExplainRun(int argc, const char *const *argv);

bool AsksForHelp(const char *argument);

// The audit's and the call history's status when memory runs out: they
// may allocate, as a fixed buffer would limit the base or the log.
constexpr int kStatusNoMemory = 6;

// The end of the audit's or the history's report: a configuration file
// that was named but cannot be opened (or none named), or memory that ran
// out, said; then the exit code and what it means, done for 0.
void ReportOutcomeOf(int status, bool config_named, ReportText done,
                     ReportText no_memory, ReportText status6);

// The switch name as --name or /name, in any letter case.
bool IsSwitch(const char *argument, const char *name);

// The digits the mailer log scan wants for a number: IDLEN, and one more
// for the phone type.
long long DigitsWanted();

#endif
