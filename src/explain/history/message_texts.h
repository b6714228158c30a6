// The texts of the call history as a netmail message, beside the
// history's own (texts.h): the lines only a message has, its subject and
// what the run says of the file it wrote.  printf formats; their arguments
// are noted where they take any.
#ifndef RINGCHECK_EXPLAIN_HISTORY_MESSAGE_TEXTS_H
#define RINGCHECK_EXPLAIN_HISTORY_MESSAGE_TEXTS_H

enum MessageText {
  kMessageTitle,
  kMessageRowsHeading,
  kMessageRow,              // date, time, log line
  kMessageBannedLetIn,
  kMessageNotRecognised,
  kMessageTurnedAway,
  kMessageWithoutNumber,
  kMessageNothing,
  kMessageMore,             // count, the command that lists them
  kMessageCut,
  kMessageSubject,          // the days, calls
  kMessageSubjectDays,      // the first day, the last
  kMessageSubjectBannedIn,  // count
  kMessageSubjectUnrecognised,
  kMessageSubjectWithout,
  kMessageSubjectTurnedAway,
  kMessageSubjectAll,
  kMessageWritten,          // path, name, address
  kMessageBadAddress,       // the switch, quote of its value
  kMessageBadName,          // quote of the name, most characters
  kMessageNoFolder,         // quote of the folder
  kMessageNotWritten,       // quote of the folder
  kMessageStatus7,
  kMessageTextCount
};

const char *Text(MessageText text);

#endif
