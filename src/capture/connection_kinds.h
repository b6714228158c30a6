// Who a connection of the mailer log was with, from the log's lines alone
// (log_lines.h), for every reader that looks further than ringcheck's own
// number.  ringcheck runs for BBS callers alone: a remote mailer's session
// and the station's own mailer calling out never reach the BBS.  The rules
// are written down in connection_kinds.cpp, beside their states.
#ifndef RINGCHECK_CAPTURE_CONNECTION_KINDS_H
#define RINGCHECK_CAPTURE_CONNECTION_KINDS_H

#include <cstdint>

#include "capture/fido_address.h"
#include "capture/log_lines.h"

enum ConnectionKind {
  kCaller,   // handed to the BBS, or where the lines leave a doubt
  kMailIn,   // a remote mailer's session, its address named after CONNECT
  kMailOut,  // the station's own mailer dialled out
  kConnectionKinds
};

// A session's lines are at most this many after its CONNECT, and an own
// call's dial or address at most this many before it.
constexpr int64_t kSessionLines = 20;

// What the rules decided of one connection.
struct SettledConnection {
  int64_t line;  // its CONNECT line
  ConnectionKind kind;
  bool has_address;
  FidoAddress address;  // the remote's, of a mail session or an own call
};

struct KindRules {
  // The session after the last CONNECT, while it may go on.
  bool open;
  int64_t connect_line;
  bool outgoing;
  bool out_address_known;
  FidoAddress out_address;
  bool caller_id_before;  // a caller-id line stood before its CONNECT
  bool heard;             // a caller-id line after it, its own so far
  int64_t heard_line;
  bool named;
  int64_t named_line;
  FidoAddress named_address;
  int64_t last_address_line;
  FidoAddress last_address;
  // Since the last call, for the next CONNECT: 0 where none.
  int64_t dial_line;
  int64_t address_line;
  FidoAddress address;
  int64_t caller_id_line;
};

void BeginKindRules(KindRules *rules);
// The next line the reader wants told of, numbered from 1; lines may be
// left out where they are plain and no session is open.  True when a
// connection was settled by it, into *settled.
bool FollowLine(KindRules *rules, int64_t number, const LogLineClass &line,
                SettledConnection *settled);
// At the end of the lines: the connection whose session was still open.
bool EndKindRules(KindRules *rules, SettledConnection *settled);
// Whether a reader must tell the rules of every line now: a session is
// open.
inline bool SessionOpen(const KindRules *rules) { return rules->open; }

#endif
