// What the history says after its calls: the table a number, the table of
// the mail sessions a remote's address, the totals, and the calls by day
// and by hour of day.  Everything that is ringcheck's counts the BBS's
// callers alone: ringcheck never runs for a mail session or an own call.
#ifndef RINGCHECK_EXPLAIN_HISTORY_TABLES_H
#define RINGCHECK_EXPLAIN_HISTORY_TABLES_H

#include <cstdint>

#include "explain/history/call.h"
#include "explain/history/walk.h"

// A connection let in although its own caller-id line gives a banned
// number; one whose own number is a subscriber's, of whom ringcheck found
// no record.  The totals count the callers' alone.
bool BannedLetIn(const Call &call);
bool NotRecognised(const Call &call);

void ForgetTotals();
// Counts a call the history has taken.
void CountCall(const Call &call);
// Counts a mail session or own call whose number a pattern matches.
void CountMailMatched();
// Calls of every kind.
int64_t CallsCounted();
void ReportNumbers();
void ReportMailSessions();
// with_pattern adds what the pattern would have done.
void ReportTotals(const LogWalked &log, bool with_pattern);
void ReportDays();
void ReportHours();

#endif
