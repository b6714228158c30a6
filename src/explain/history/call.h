// A call of the history, as the walk through the log makes it and the
// lookup completes it, and why ringcheck may have taken no number of it.
#ifndef RINGCHECK_EXPLAIN_HISTORY_CALL_H
#define RINGCHECK_EXPLAIN_HISTORY_CALL_H

#include <cstddef>
#include <cstdint>

#include "capture/caller_number.h"
#include "capture/connection_kinds.h"
#include "capture/fido_address.h"
#include "explain/history/dates.h"

// Why ringcheck took no number of a call, one cause each; the CSV writes
// the code of each (rows.cpp).
enum NoNumber {
  kNumberTaken,
  kNoCallerId,     // no caller-id line belongs to the call
  kCallerIdUp,     // its caller-id line stands lines_up lines above CONNECT
  kCallerIdAfter,  // its caller-id line stands after CONNECT
  kNumberVoided,   // a character among the digits voided them
  kTooFewDigits,   // the line ended before the digits wanted
  kMaskLeftNone,   // CIDMASK dropped every digit
  kLongLine,       // the caller-id line is longer than a piece ringcheck reads
  kCtrlZ,          // a Ctrl-Z ends ringcheck's reading before the line
  kTailCutOff,     // the line lies before the 4000 bytes ringcheck reads
  kNoDigitCount,   // IDLEN gives no number at all
  kNoNumberKinds
};

constexpr uint32_t kNoName = UINT32_MAX;

struct Call {
  // From the walk.
  int64_t line;  // the CONNECT line, or the caller-id line of a call that
                 // did not connect
  LogDate date;
  char time[9];
  int hour;
  bool connected;
  // What ringcheck would have taken run right after the call's line, the
  // mask applied.
  char number[kCallerNumberCapacity + 1];
  char type[kPhoneTypeCapacity + 1];
  NoNumber why;
  int64_t lines_up;  // for kCallerIdUp
  // The number the call's own caller-id line gives, wherever it stands,
  // as ringcheck takes one from a line.
  char caller_id[kCallerNumberCapacity + 1];
  ConnectionKind kind;  // a call that did not connect: a caller's
  // The remote's FidoNet address of a mail session or an own call, as
  // written (ShowFidoAddress); "" for a caller.
  char address[kFidoAddressCapacity + 1];
  // From the lookup of its numbers.
  int status;          // ringcheck's errorlevel for a connected call
  int pattern_status;  // the same with the pattern added to BADLIST
  int64_t record;      // of number; -1: none
  uint32_t name;       // where its name is kept (numbers.h), or kNoName
  int banned_by;       // the BADLIST line that bans number; 0: none
  int64_t caller_id_record;
  uint32_t caller_id_name;
  int caller_id_banned_by;
};

#endif
