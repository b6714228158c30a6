// What the history says after its calls: the table a number, the totals
// and the calls by hour of day.
#ifndef RINGCHECK_EXPLAIN_HISTORY_TABLES_H
#define RINGCHECK_EXPLAIN_HISTORY_TABLES_H

#include "explain/history/call.h"
#include "explain/history/walk.h"

void ForgetTotals();
// Counts a call the history has taken.
void CountCall(const Call &call);
int64_t CallsCounted();
void ReportNumbers();
void ReportTotals(const LogWalked &log);
void ReportHours();

#endif
