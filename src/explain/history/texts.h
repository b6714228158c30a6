// The texts of the call history, beside those every report shares
// (report/texts.h).  printf formats; their arguments are noted where they
// take any.  A line feed in a text starts a new report line.
#ifndef RINGCHECK_EXPLAIN_HISTORY_TEXTS_H
#define RINGCHECK_EXPLAIN_HISTORY_TEXTS_H

enum HistoryText {
  kHistoryTitle,
  kHistoryMask,            // quote of CIDMASK
  kHistoryBadDate,         // the switch, quote of its value
  kHistoryWindow,          // the first day, the last day
  kHistoryWindowStart,     // for an open first day
  kHistoryWindowEnd,       // for an open last day
  kHistoryNoDates,
  kHistoryPattern,         // quote of the argument, pattern
  kHistoryPatternRemark,   // quote of the argument
  kHistoryPatternCut,
  kHistoryPatternEmpty,
  kHistoryPatternNever,    // the digits a number has
  kHistoryPatternBansNone,
  kHistoryPatternBans,     // count
  kHistoryPatternBansRecord,  // index from 1, quote of name, number
  kHistoryCallsHeading,
  kHistoryMatchingHeading,
  kHistoryColumns,         // the columns of a call's row (rows.cpp)
  kHistoryColumnsPattern,  // the same with the pattern's column
  kHistoryDay,             // date
  kHistoryNoDay,
  kHistoryConnected,       // errorlevel
  kHistoryConnectedMail,   // a mail session's, which ringcheck never ends
  kHistoryRang,
  kHistoryMailSession,     // the remote's address
  kHistoryOwnCall,         // the remote's address
  kHistoryOwnCallDialled,  // an own call that named no address
  kHistoryRecord,          // index from 1, quote of name
  kHistoryUnknown,
  kHistoryNoBaseUser,
  kHistoryBannedBy,        // BADLIST line
  kHistoryBannedByFirst,   // BADLIST line, with nothing before it
  kHistoryWhyNoCallerId,
  kHistoryWhyUp,           // lines up and their noun
  kHistoryWhyAfter,
  kHistoryWhyVoided,
  kHistoryWhyShort,
  kHistoryWhyMask,
  kHistoryWhyLongLine,
  kHistoryWhyCtrlZ,
  kHistoryWhyTail,
  kHistoryWhyCount,
  kHistoryWhyUpTotal,
  kHistoryRangFrom,        // the caller-id line's number
  kHistoryLetIn,
  kHistoryNotRecognised,
  kHistoryNoCalls,
  kHistoryNumbersHeading,
  kHistoryNumbersColumns,
  kHistoryNumber,          // number, calls, connected
  kHistoryNumbersMore,     // calls left out, the numbers the table holds
  kHistoryMailHeading,
  kHistoryNoAddress,
  kHistoryMailRow,         // sessions in, calls out
  kHistoryMailNumbersMore,
  kHistoryMailMore,        // sessions left out, the addresses the table holds
  kHistoryTotalsHeading,
  kHistoryLogRead,         // bytes and their noun, lines and theirs
  kHistoryTotalKinds,      // callers' calls, mail sessions in, own calls out
  kHistoryTotalCalls,      // calls, connections, not connected
  kHistoryTotalTaken,      // count
  kHistoryTotalUntaken,    // count
  kHistoryTotalReason,     // reason, count
  kHistoryTotalBannedIn,   // count
  kHistoryTotalUnrecognised,  // count
  kHistoryTotalBanned,     // calls, turned away
  kHistoryTotalUnknown,    // count
  kHistoryTotalMailNumbers,  // mail sessions from banned numbers, from
                              // subscribers' numbers
  kHistoryNoteAfter,       // count, connections
  kHistoryNoteUp,          // count, connections
  kHistoryNoBase,
  kHistoryPatternTurns,    // connections and their noun, numbers
  kHistoryPatternRecord,   // index from 1, quote of name, count, noun
  kHistoryPatternStillIn,  // count
  kHistoryPatternMail,     // count
  kHistoryDaysHeading,
  kHistoryDayRow,          // date, calls, connections, turned away,
                           // banned let in, without a number
  kHistoryDaysHeadingMail,
  kHistoryDayRowMail,      // the same, then mail sessions in and out
  kHistoryHoursHeading,
  kHistoryHour,            // hour, calls, connected, bar
  kHistoryProgress,        // percent
  kHistoryRead,
  kHistoryNoMemory,
  kHistoryStatus6,
  kHistoryTextCount
};

// The text in the report's language (see report/texts.h).
const char *Text(HistoryText text);

#endif
