// A call of the history, as the walk through the log makes it and the
// lookup completes it, and why it may have no number.
#ifndef RINGCHECK_EXPLAIN_HISTORY_CALL_H
#define RINGCHECK_EXPLAIN_HISTORY_CALL_H

#include <cstddef>
#include <cstdint>

#include "capture/caller_number.h"

// The time text kept of a call's line: what the log has before the marker.
constexpr size_t kTimeCapacity = 40;

// Why a call has no number ringcheck takes.
enum NoNumber {
  kNumberTaken,
  kNoCallerIdLine,
  kCallerIdUp,
  kNumberVoided,
  kTooFewDigits,
  kMaskLeftNone,
  kTailCutOff,
  kNoDigitCount,
  kNoNumberKinds
};

constexpr uint32_t kNoName = UINT32_MAX;

struct Call {
  // From the walk.
  int64_t line;
  char time[kTimeCapacity + 1];
  char number[kCallerNumberCapacity + 1];  // masked, as ringcheck compares
  char type[kPhoneTypeCapacity + 1];
  bool connected;
  NoNumber why;
  int64_t lines_up;  // for kCallerIdUp
  // From the lookup of its number.
  int status;      // of a connected call
  int64_t record;  // -1: none
  uint32_t name;   // where its name is kept (see numbers.h), or kNoName
  int banned_by;   // the BADLIST line, 0: none
};

#endif
