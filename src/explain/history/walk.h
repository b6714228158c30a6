// The walk through the whole mailer log, from its lines to its calls (see
// walk.cpp for how lines become calls).
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
  bool dated;   // some line of the log gave a date
  bool opened;  // false: the log could not be opened, and nothing was read
};

// Opens the log LOGWITHAON names, calls begin, then hands each call to
// take once the lines after it have told how it ended and, of a
// connection, who it was with.  It prints nothing.  progress, when
// not null, is told now and then how far the reading is, in bytes read and
// the log's size.
LogWalked WalkMailerLog(void (*begin)(), void (*take)(const Call &call),
                        void (*progress)(int64_t read, int64_t size));

#endif
