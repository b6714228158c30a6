// The walk through the whole mailer log, from its lines to its calls (see
// walk.cpp for how a line becomes a call).
#ifndef RINGCHECK_EXPLAIN_HISTORY_WALK_H
#define RINGCHECK_EXPLAIN_HISTORY_WALK_H

#include <cstdint>

#include "explain/history/call.h"

// What the scan tells of the caller-id piece it examines; the history's
// watcher hands it on.
void SeeDigitsVoidedInWalk(const char *stop);
void SeeDigitsEndedInWalk(int64_t taken, int64_t wanted);

struct LogWalked {
  int64_t bytes;
  int64_t lines;
};

// Opens the log LOGWITHAON names under its heading (ending the run with
// status 1 when it cannot be opened), calls begin, then hands each call to
// take as its last line is read.
LogWalked WalkMailerLog(void (*begin)(), void (*take)(const Call &call));

#endif
