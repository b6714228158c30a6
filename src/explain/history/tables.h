// What the history says after its calls: the table a number, the totals,
// and the calls by day and by hour of day.
#ifndef RINGCHECK_EXPLAIN_HISTORY_TABLES_H
#define RINGCHECK_EXPLAIN_HISTORY_TABLES_H

#include <cstdint>

#include "explain/history/call.h"
#include "explain/history/walk.h"

void ForgetTotals();
// Counts a call the history has taken.
void CountCall(const Call &call);
int64_t CallsCounted();
void ReportNumbers();
// with_pattern adds what the pattern would have done.
void ReportTotals(const LogWalked &log, bool with_pattern);
void ReportDays();
void ReportHours();

#endif
