// The three kinds of connection, told from the log's lines.
//
// - The station's own call: a line that dials (ATD and a dial modifier or
//   a digit) or that names the address it calls stands before its CONNECT,
//   within kSessionLines lines, with no RING, caller-id line, modem result
//   or date line between them, and no caller-id line on the CONNECT line.
//   A line that names an address and is followed by such a dial, or by
//   such a CONNECT, belongs to that own call, not to the session before
//   it; a line a session already took is not a dial, nor an own call's.
// - A mail session: any other connection whose session names a remote's
//   FidoNet address.  The session is the lines after its CONNECT, at most
//   kSessionLines, before anything that ends it or begins another call: a
//   modem result, a RING, a caller-id line, a CONNECT, a dial, a date
//   line.  A caller-id line right after CONNECT of a connection that had
//   none before it is the connection's own, written late, and ends
//   nothing, unless a CONNECT follows: then it was the next call's, and
//   the session ended with it.  The first address named is the session's.
// - A caller: every other connection.  Where the lines leave a doubt the
//   connection is a caller.
//
// Which address line is whose: a session takes the address lines of its
// lines.  When a dial or a CONNECT without a RING or a caller-id line
// ends it, its last address line is the own call's (whom the station
// calls) where that line is the session's first, or names another address
// than the session's: a session that named its remote and names it again
// has taken that line.
//
// The states, and what each kind of line does in them:
//
//   state    the line                    what follows                next
//   -------  --------------------------  --------------------------  ----
//   between  CONNECT                     a session opens, outgoing   open
//                                        where a dial or address
//                                        stands before it
//   between  RING, caller-id line,       forgets a dial and an       -
//            modem result, date line     address before; the last
//                                        two a caller-id line too
//   between  dial, address               kept for the next CONNECT   -
//   open     the 21st line after CONNECT the session settles: as     between
//                                        between
//   open     CONNECT, dial               the session settles, its    between
//                                        last address line perhaps
//                                        the own call's: as between
//   open     RING, modem result, date    the session settles: as     between
//            line                        between
//   open     caller-id line              its own, heard, the first   open
//                                        after a CONNECT without one
//                                        before; else as a RING
//   open     address                     the session's first, or     open
//                                        taken
//   open     plain                       -                           open
//   open     the end of the lines        the session settles         -
#include "capture/connection_kinds.h"

#include <cstring>

namespace {

bool Near(int64_t from, int64_t to) {
  return from != 0 && to - from <= kSessionLines;
}

bool SameAddress(const FidoAddress &a, const FidoAddress &b) {
  return a.zone == b.zone && a.net == b.net && a.node == b.node &&
         a.point == b.point && strcmp(a.domain, b.domain) == 0;
}

void ForgetBefore(KindRules *rules) {
  rules->dial_line = 0;
  rules->address_line = 0;
}

// The session ends before the line ended_by, or without one (nullptr) at
// the end of its reach or of the lines.
void CloseSession(KindRules *rules, const LogLineClass *ended_by,
                  SettledConnection *settled) {
  rules->open = false;
  LineKind kind = ended_by != nullptr ? ended_by->kind : kPlainLine;
  if (rules->heard && kind == kConnectLine) {
    // The caller-id line heard was the next call's: the session ended
    // with it.
    if (rules->named && rules->named_line > rules->heard_line)
      rules->named = false;
    if (rules->last_address_line > rules->heard_line)
      rules->last_address_line = 0;
    rules->caller_id_line = rules->heard_line;
  }
  bool dial = kind == kDialLine;
  bool next_connect = kind == kConnectLine && !ended_by->caller_id &&
                      rules->caller_id_line == 0;
  // The session's own address named again is a line it took.
  bool another = rules->last_address_line != rules->named_line &&
                 !SameAddress(rules->last_address, rules->named_address);
  if (rules->last_address_line != 0 && (dial || next_connect) &&
      (rules->last_address_line == rules->named_line || another)) {
    rules->address_line = rules->last_address_line;
    rules->address = rules->last_address;
    if (rules->named_line == rules->last_address_line)
      rules->named = false;
  }
  settled->line = rules->connect_line;
  settled->has_address = false;
  if (rules->outgoing) {
    settled->kind = kMailOut;
    settled->has_address = rules->out_address_known || rules->named;
    settled->address =
        rules->out_address_known ? rules->out_address : rules->named_address;
  } else if (rules->named) {
    settled->kind = kMailIn;
    settled->has_address = true;
    settled->address = rules->named_address;
  } else {
    settled->kind = kCaller;
  }
}

void OpenSession(KindRules *rules, int64_t number, const LogLineClass &line) {
  bool caller_id = line.caller_id || rules->caller_id_line != 0;
  bool dialled = Near(rules->dial_line, number);
  bool addressed = Near(rules->address_line, number);
  rules->open = true;
  rules->connect_line = number;
  rules->outgoing = !caller_id && (dialled || addressed);
  rules->out_address_known = rules->outgoing && addressed;
  rules->out_address = rules->address;
  rules->caller_id_before = caller_id;
  rules->heard = false;
  rules->named = false;
  rules->last_address_line = 0;
  rules->caller_id_line = 0;
  ForgetBefore(rules);
}

// A line while no session is open.
void FollowBetween(KindRules *rules, int64_t number, const LogLineClass &line) {
  switch (line.kind) {
  case kConnectLine:
    OpenSession(rules, number, line);
    break;
  case kCallerIdLine:
    ForgetBefore(rules);
    rules->caller_id_line = number;
    break;
  case kRingLine:
    ForgetBefore(rules);
    break;
  case kModemResultLine:
  case kDateLine:
    ForgetBefore(rules);
    rules->caller_id_line = 0;
    break;
  case kDialLine:
    rules->dial_line = number;
    break;
  case kAddressLine:
    rules->address_line = number;
    rules->address = line.address;
    break;
  default:
    break;
  }
}

// A line of the open session; false when it ends the session instead.
bool FollowSession(KindRules *rules, int64_t number, const LogLineClass &line) {
  if (number - rules->connect_line > kSessionLines)
    return false;
  switch (line.kind) {
  case kCallerIdLine:
    if (rules->caller_id_before || rules->heard)
      return false;
    rules->heard = true;
    rules->heard_line = number;
    return true;
  case kAddressLine:
    if (!rules->named) {
      rules->named = true;
      rules->named_line = number;
      rules->named_address = line.address;
    }
    rules->last_address_line = number;
    rules->last_address = line.address;
    return true;
  case kPlainLine:
    return true;
  default:
    return false;
  }
}

}  // namespace

void BeginKindRules(KindRules *rules) { *rules = KindRules(); }

bool FollowLine(KindRules *rules, int64_t number, const LogLineClass &line,
                SettledConnection *settled) {
  bool settles = false;
  if (rules->open && !FollowSession(rules, number, line)) {
    bool in_reach = number - rules->connect_line <= kSessionLines;
    CloseSession(rules, in_reach ? &line : nullptr, settled);
    settles = true;
  }
  if (!rules->open)
    FollowBetween(rules, number, line);
  return settles;
}

bool EndKindRules(KindRules *rules, SettledConnection *settled) {
  if (!rules->open)
    return false;
  CloseSession(rules, nullptr, settled);
  return true;
}
