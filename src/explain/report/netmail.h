// A netmail message, as FidoNet stores one in the station's netmail folder
// (FTS-0001 stored message, N.MSG): the 190-byte header, the kludge lines,
// the text with CR line ends, and one NUL.  What the text says is the
// report's; here is only how a message is framed and safely named.
#ifndef RINGCHECK_EXPLAIN_REPORT_NETMAIL_H
#define RINGCHECK_EXPLAIN_REPORT_NETMAIL_H

#include <cstddef>
#include <cstdint>

#include "capture/fido_address.h"

// The header's text fields hold this many characters and a NUL.
constexpr size_t kNetmailNameCapacity = 35;
constexpr size_t kNetmailSubjectCapacity = 71;
constexpr size_t kNetmailHeaderSize = 190;
// The most text a message holds; what a report writes past it is left out.
constexpr size_t kNetmailTextCapacity = 48 * 1024;

// The attributes the header's field takes.
constexpr uint16_t kNetmailPrivate = 0x0001;
constexpr uint16_t kNetmailSent = 0x0008;
constexpr uint16_t kNetmailLocal = 0x0100;

struct NetmailEnvelope {
  FidoAddress from_address;  // the station's own
  FidoAddress to_address;
  const char *from_name;     // at most kNetmailNameCapacity characters
  const char *to_name;
  const char *subject;       // cut at kNetmailSubjectCapacity
  const char *program;       // its name and version, for the PID kludge
};

// A name for a header field: printable, 1 to kNetmailNameCapacity
// characters.
bool NetmailNameFits(const char *name);

// Room at the end of the text for a note (AddNetmailNote).
constexpr size_t kNetmailNoteRoom = 256;

// The text, built a line at a time (code page 866, no line end).  A line
// that no longer fits, and every line after it, is left out, and
// NetmailTextFull says so; a note that says so still fits after them.
void BeginNetmailText();
void AddNetmailLine(const char *text);
size_t NetmailTextLength();
// The text built, its lines each ended by CR (NetmailTextLength bytes).
const char *NetmailText();
bool NetmailTextFull();
void AddNetmailNote(const char *text);

enum NetmailWritten {
  kNetmailWritten,
  kNetmailNoFolder,    // the folder is not there or cannot be read
  kNetmailNotWritten,  // it cannot be written, or the disk is full
};

// Writes the message with the text built into folder, under the number
// after the highest message there and never 1, and tells the path of the
// file written (kMaxPathLength + 1 bytes).  It is written whole under a
// temporary name (RCxxxxxx.TMP, which no tosser takes for a message), then
// given its name without replacing any file: on a clash, the next number.
// Nothing is left behind when it fails.
NetmailWritten WriteNetmail(const char *folder,
                            const NetmailEnvelope &envelope, char *path);

#endif
