// The call history as a netmail message to the sysop, for a morning job:
// the report's window, totals and days, then only the calls that need
// him (banned numbers let in, subscribers not recognised, connections
// without a number, calls turned away), each with its date, time and line
// of the log, written as one stored message into the station's netmail
// folder (report/netmail.h).
#ifndef RINGCHECK_EXPLAIN_HISTORY_MESSAGE_H
#define RINGCHECK_EXPLAIN_HISTORY_MESSAGE_H

#include "explain/history/call.h"

struct HistoryRequest;

// About this many bytes of rows go into a message; the rest are counted.
constexpr size_t kMessageRowBytes = 12 * 1024;

// Takes the addresses and the name of the request; false, with the reason
// said, when one is no address or the name does not fit a message.
bool TakeMessageRequest(const HistoryRequest &request);
// since and until: the days asked for (day 0: that side open), which the
// subject names before the days of the calls.
void BeginMessageRows(WindowBound since, WindowBound until);
// Each call the history keeps, looked up, in the log's order.
void KeepMessageRow(const Call &call);
// Whether a call needs the sysop.
bool MessageHasRows();
// The rows kept, or that none needs the sysop, as the message's last part.
void WriteMessageRows();
// Writes the message with the text the report has written, and says in one
// line on standard output which file it is; else why none is.  Returns 0,
// or 7 when the folder is not there or the message cannot be written.
int SendHistoryMessage();

#endif
