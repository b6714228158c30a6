// How a report runs and how it ends.  A report runs its stages as
// ringcheck runs its own (RunStagesOf): from the buffers' defaults, with
// its watcher told what the readers do, and ended by FinishRun with
// ringcheck's status when a file cannot be opened.  A report may allocate,
// as a fixed buffer would limit the base or the log it can read: memory
// that runs out, or a base of more records than its keys can number, ends
// it with status 6, said as what it is.
#ifndef RINGCHECK_EXPLAIN_REPORT_RUN_H
#define RINGCHECK_EXPLAIN_REPORT_RUN_H

#include <cstdint>

#include "run/run_observer.h"

constexpr int kStatusNoMemory = 6;

// Thrown by a report's stages when users.tor holds more records than the
// phone keys can number; it has been said under the base's heading.
struct BaseTooLarge {};

// Runs stages with observer as the watcher and returns the status they end
// with: ringcheck's, 0 when they return, 6 when memory ran out or the base
// was too large.
int RunReportStages(const RunObserver *observer, void (*stages)());

// The end of a report: a configuration file that was named but cannot be
// opened (or none named), or status 6, said; then the exit code and what
// it means, done for 0.  no_memory and status6 are the report's own words
// for memory that ran out.
void ReportOutcome(int status, bool config_named, const char *done,
                   const char *no_memory, const char *status6);

// A command line no report can take (an unknown switch, a day that is no
// date) ends as one without a configuration file would, with status 5.
constexpr int kStatusRefusedLine = 5;
// Its end, after the reason was said: the exit code and what it means.
// Returns kStatusRefusedLine.
int ReportRefusal();

#endif
