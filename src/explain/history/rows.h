// A call as the history writes it: a row of the report, or a CSV record.
#ifndef RINGCHECK_EXPLAIN_HISTORY_ROWS_H
#define RINGCHECK_EXPLAIN_HISTORY_ROWS_H

#include <cstdint>

#include "explain/history/call.h"

struct LineBuilder;

// The rows are the report's, or in the CSV output mode (writer.h) CSV
// records (RFC 4180, UTF-8 after a byte order mark, CR LF, separator
// between the fields); with_pattern gives them the pattern's column.
void BeginRows(bool with_pattern, char separator);
// The heading of the calls, or the CSV header.
void WriteCallsHeading();
void WriteCall(const Call &call);

// Why a call has no number, in a few words; a cause alone, without how
// far up the line stood, for the totals.
const char *WhyNoNumberText(NoNumber why);
// Who a number is, as a call's row and the table of numbers say it: its
// record, or that none has it, and the BADLIST line that bans it.
void DescribeNumber(LineBuilder *text, int64_t record, uint32_t name,
                    int banned_by);

#endif
