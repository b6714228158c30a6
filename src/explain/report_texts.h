// Every text of the dry run's report and help, in one table a language.
// The texts are printf formats; their arguments are noted where they take
// any.  A line feed in a text starts a new report line.
#ifndef RINGCHECK_EXPLAIN_REPORT_TEXTS_H
#define RINGCHECK_EXPLAIN_REPORT_TEXTS_H

enum ReportText {
  kTitle,
  kLoginName,            // quote
  kNoLoginName,
  kConfigHeading,        // quote of the path
  kFoundAs,              // path
  kNotFound,
  kNoConfigGiven,
  kUsage,
  kConfigCannotOpen,
  kBadLine,              // line number, quote
  kBadLineNoSpace,
  kBadLineNoKey,
  kBadLineEmpty,
  kSettingFromLine,      // key, line number, quote
  kSettingDefault,       // key, quote
  kLogHeading,           // quote
  kLogCannotOpen,
  kLogSize,              // size and its noun, tail start
  kLogWhole,             // size and its noun
  kLogMarker,            // quote of marker, quote of separators
  kLogWanted,            // digits, IDLEN value, "+ 1 phone type" or ""
  kLogWantedTypeNote,
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
  kUserBaseHeading,      // path
  kUserBaseCannotOpen,
  kUserBaseRecords,      // count
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
  kBannedHeading,        // quote
  kExemptHeading,        // quote
  kListOpened,
  kListMissing,
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
  kOutcomeHeading,
  kExitCode,             // code, meaning
  kResultFileWhere,      // path
  kResultFileFoundAs,    // path
  kResultLine,           // number, quote
  kResultNoLineEnd,
  kNoResultFile,
  kStatus0,
  kStatus1,
  kStatus2,
  kStatus3,
  kStatus4,
  kStatus5,
  kCodePageNote,         // code page of the command line
  kHelpAbout,
  kHelpLanguage,
  kHelpExitCodes,
  kHelpExitCode,         // code, meaning
  kHelpNoSeven,
  kHelpUsers,
  kAuditTitle,
  kAuditBadLines,        // count
  kAuditIdlen,           // digits and their noun, quote of IDLEN
  kAuditNoNumber,        // quote of IDLEN, phone type note, digits wanted
                         // and their noun
  kAuditNoDigits,        // quote of IDLEN
  kAuditMask,            // quote of CIDMASK
  kAuditEntries,         // count
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
  kHelpCalls,
  kHistoryTitle,
  kHistoryMask,          // quote of CIDMASK
  kHistoryPattern,       // quote of the argument, pattern
  kHistoryPatternRemark, // quote of the argument
  kHistoryPatternCut,
  kHistoryPatternEmpty,
  kHistoryPatternBansNone,
  kHistoryPatternBans,   // count
  kHistoryPatternBansRecord,  // index from 1, quote of name, number
  kHistoryCallsHeading,
  kHistoryMatchingHeading,
  kHistoryColumns,       // the columns of a call's row, which is made in
                         // code (call_history.cpp)
  kHistoryConnected,     // errorlevel
  kHistoryRang,
  kNoNumber,
  kHistoryRecord,        // index from 1, quote of name
  kHistoryUnknown,
  kHistoryNoBaseUser,
  kHistoryBannedBy,      // line
  kHistoryWhyNoCallerId,
  kHistoryWhyUp,         // lines up and their noun
  kHistoryWhyVoided,
  kHistoryWhyShort,
  kHistoryWhyMask,
  kHistoryWhyTail,
  kHistoryWhyCount,
  kHistoryNoCalls,
  kHistoryNumbersHeading,
  kHistoryNumbersColumns,
  kHistoryNumber,        // number, calls, connected, subscriber: a text,
                         // a quote of the name, a text
  kHistoryNumbersMore,   // numbers left out, numbers kept
  kHistoryTotalsHeading,
  kHistoryLogRead,       // bytes and their noun, lines and theirs
  kHistoryTotalCalls,    // calls, connected, did not connect
  kHistoryTotalTaken,    // count
  kHistoryTotalUntaken,  // count
  kHistoryTotalReason,   // reason, count
  kHistoryTotalBanned,   // calls, of them connected
  kHistoryTotalUnknown,  // count
  kHistoryTotalBetween,  // count
  kHistoryNoteUp,        // count
  kHistoryNoBase,
  kHistoryHoursHeading,
  kHistoryHour,          // hour, calls, connected, bar
  kHistoryRead,
  kHistoryNoMemory,
  kHistoryStatus6,
  kFormByte,             // the forms of a noun after a count (CountForm);
  kFormLine,             // Russian needs the case the text puts it in:
  kFormLineAccusative,   // "на 2 строки", "дала 1 цифру", "из 5 цифр",
  kFormDigitAccusative,  // "по 7 цифрам"
  kFormDigitGenitive,
  kFormDigitDative,
  kEmptyLoginName,
  kExemptEmptyEntry,
  kWhyNoIdlen,           // quote of IDLEN
  kReportTextCount
};

enum ReportLanguage { kEnglish, kRussian };

// The report's language, English until one is chosen.
void UseReportLanguage(ReportLanguage language);

// The language the user reads: RINGCHECK_LANG=ru or en when it is set so,
// else the platform's own choice.
ReportLanguage ChooseReportLanguage();

// The text in the report's language.
const char *Text(ReportText text);

// The noun after a count, from a text of its forms "one|few|many": Russian
// takes the first after 1, 21, 31 ..., the second after 2 to 4, 22 to 24
// ..., the third otherwise (5 to 20, 11 to 14, 25 ...); English the first
// after 1 alone.  The last few results stay valid.
const char *CountForm(long long count, ReportText forms);

#endif
