// The texts of the dry run of a call, beside those every report shares
// (report/texts.h).  printf formats; their arguments are noted where they
// take any.  A line feed in a text starts a new report line.
#ifndef RINGCHECK_EXPLAIN_CALL_TEXTS_H
#define RINGCHECK_EXPLAIN_CALL_TEXTS_H

enum CallText {
  kTitle,
  kLoginName,            // quote
  kNoLoginName,
  kBadLine,              // line number, quote
  kBadLineNoSpace,
  kBadLineNoKey,
  kBadLineEmpty,
  kSettingFromLine,      // key, line number, quote
  kSettingDefault,       // key, quote
  kLogSize,              // size and its noun, tail start
  kLogWhole,             // size and its noun
  kLogMarker,            // quote of marker, quote of separators
  kLogWanted,            // digits, IDLEN value, "+ 1 phone type" or ""
  kLogLine,              // line number, quote
  kDigitsTaken,          // number, digit count
  kDigitsInPlaceOf,      // earlier number
  kDigitsShort,          // taken, wanted
  kDigitsNone,           // number kept (quote)
  kDigitsVoided,         // shown character, column
  kVoidedByLineEnd,      // column
  kVoidedByEnd,          // column
  kVoidedByCut,          // column
  kConnectKeeps,         // number
  kConnectEmpties,       // number
  kConnectNoNumber,
  kLogLinesRead,         // count
  kNumberIs,             // number
  kNumberEmpty,          // reason
  kWhyNoMarker,
  kWhyBadCount,          // digit count and its noun
  kWhyTooFew,            // digits and their noun, wanted
  kWhyVoided,            // line
  kWhyConnect,           // line
  kWhyNoDigits,          // line
  kPhoneTypeIs,          // type
  kPhoneTypeOff,
  kPhoneTypeNoNumber,
  kConnectIs,            // line, quote
  kConnectNone,
  kConnectTooFar,        // line, lines below it and their noun
  kMaskNone,
  kMaskApplied,          // quote of mask, before, after
  kUserFound,            // index from 1, index from 0
  kUserName,             // quote
  kUserField534,         // quote
  kUserField373,         // quote
  kUserSharesNumber,     // index from 1, quote of name
  kUserTakenFirst,       // index from 1
  kLoginIsLaterRecord,   // index from 1 of the login's, of the one taken
  kOthersUnread,
  kUserNotFound,         // number
  kUserBaseSkipped,
  kListLinesRead,        // count
  kBannedMatch,          // line, quote
  kExemptMatch,          // line, quote
  kBannedNone,           // number
  kExemptNone,           // quote of login name
  kSharedExempt,         // index of the login's record, of the one taken
  kSharedNotExempt,      // the same, and the one taken again
  kSharedRemedy,
  kBannedSkipped,
  kExemptSkippedNoUser,
  kExemptSkippedNoLogin,
  kResultFileWhere,      // path
  kResultLine,           // number, quote
  kResultNoLineEnd,
  kNoResultFile,
  kCodePageNote,         // code page of the command line
  kEmptyLoginName,
  kExemptEmptyEntry,
  kWhyNoIdlen,           // quote of IDLEN
  kConnectMailIn,        // address
  kConnectMailOut,       // address
  kConnectMailOutUnnamed,
  kCallTextCount
};

// The text in the report's language (see report/texts.h).
const char *Text(CallText text);

#endif
