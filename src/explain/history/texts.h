// The texts of the call history, beside those every report shares
// (report/texts.h).  printf formats; their arguments are noted where they
// take any.  A line feed in a text starts a new report line.
#ifndef RINGCHECK_EXPLAIN_HISTORY_TEXTS_H
#define RINGCHECK_EXPLAIN_HISTORY_TEXTS_H

enum HistoryText {
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
                         // code (rows.cpp)
  kHistoryConnected,     // errorlevel
  kHistoryRang,
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
  kHistoryNumbersMore,   // calls left out, the numbers the table holds
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
  kHistoryTextCount
};

// The text in the report's language (see report/texts.h).
const char *Text(HistoryText text);

#endif
