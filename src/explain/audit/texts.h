// The texts of the audit of the user base, beside those every report shares
// (report/texts.h).  printf formats; their arguments are noted where they
// take any.  A line feed in a text starts a new report line.
#ifndef RINGCHECK_EXPLAIN_AUDIT_TEXTS_H
#define RINGCHECK_EXPLAIN_AUDIT_TEXTS_H

enum AuditText {
  kAuditTitle,
  kAuditIdlen,           // digits and their noun, quote of IDLEN
  kAuditNoNumber,        // quote of IDLEN, phone type note, digits wanted
                         // and their noun
  kAuditNoDigits,        // quote of IDLEN
  kAuditMask,            // quote of CIDMASK
  kAuditRecognised,      // count
  kAuditUnrecognisedHeading,  // count
  kAuditUnrecognised,    // index from 1, quotes of name, phone 1, phone 2
  kAuditSharedHeading,   // count
  kAuditSharedNumber,    // number, index from 1, quote of name
  kAuditSharedExempt,    // index from 1, quote of name
  kAuditSharedSameName,  // index from 1, quote of name, index taken
  kAuditSharedNoName,    // the same
  kAuditSharedRefused,   // index from 1, quote of name
  kAuditSharedBanned,    // index from 1, quote of name
  kAuditSharedRemedy,
  kAuditBannedHeading,   // count
  kAuditBanned,          // index from 1, quote of name, number, line, quote
  kAuditUnnamedHeading,  // count
  kAuditUnnamed,         // line, quote
  kAuditNoMemory,
  kAuditBaseChanged,
  kAuditRead,
  kAuditStatus6,
  kAuditTextCount
};

// The text in the report's language (see report/texts.h).
const char *Text(AuditText text);

#endif
