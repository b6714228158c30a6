// A call as the history writes it: a row of the report or a row of CSV.
#ifndef RINGCHECK_EXPLAIN_HISTORY_ROWS_H
#define RINGCHECK_EXPLAIN_HISTORY_ROWS_H

#include <cstddef>

#include "explain/history/call.h"

// The rows are CSV (RFC 4180, one record a line) rather than the report's.
void WriteRowsAsCsv(bool csv);
bool RowsAreCsv();
// The heading of the calls, or the CSV header.
void WriteCallsHeading(bool pattern);
void WriteCall(const Call &call);

// Why a call has no number, in a few words.
const char *WhyNoNumberText(NoNumber why);

// The subscriber of a call for a report line: a text before, a name to
// quote (nullptr for none) and a text after, as a call's row and the table
// of numbers take them.
const char *DescribeSubscriber(const Call &call, char *before, size_t size,
                               char *after, size_t after_size);

#endif
