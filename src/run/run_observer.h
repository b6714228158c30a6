// The run as seen from outside: what a watcher of the stages is told that
// it cannot read afterwards from the shared buffers (Settings, CallerNumber,
// UserName and the rest).  ringcheck itself has no watcher; the dry run
// (ringcheck-explain) has one and turns what it is told into its report.
//
// A watcher is a table of operations, like a console device; one that
// watches only some stages leaves the others' null.  The stages call the
// Note functions below; each one first tests a pointer that is null in
// ringcheck, so the stages cost the same as without them.
// While a watcher is set the run writes no result file.
#ifndef RINGCHECK_RUN_RUN_OBSERVER_H
#define RINGCHECK_RUN_RUN_OBSERVER_H

#include <cstdint>

// The stages as the run driver starts them.
enum RunStage {
  kSettingsStage,
  kMailerLogStage,
  kNumberMaskStage,
  kUserBaseStage,
  kBannedListStage,
  kExemptListStage,
};

enum BadConfigLine { kLineWithoutSpace, kLineWithoutKey };

struct RunObserver {
  void (*StageStarted)(RunStage stage);
  // A piece of the configuration file as read, before it is cut or
  // upper-cased; ConfigLineCount is its number.
  void (*ConfigLineRead)(const char *piece);
  void (*ConfigLineBad)(BadConfigLine why);
  void (*ConfigLineTaken)(int slot);
  // The mailer log's size as stored and the offset its reading starts at.
  void (*MailerLogOpened)(int64_t size, int64_t tail_start);
  // A piece of the log as read, before it is upper-cased.  The scan works
  // on this very buffer, so places in it are told as pointers into it.
  void (*MailerLogLineRead)(int64_t number, const char *piece);
  // The digits behind a marker end at a voiding character at stop...
  void (*DigitsVoided)(const char *stop);
  // ...or after taken digits of a count of wanted.
  void (*DigitsEnded)(int64_t taken, int64_t wanted);
  // A CONNECT line, after it has kept or emptied CallerNumber.
  void (*ConnectLineSeen)();
  void (*UserBaseOpened)(int64_t records);
  // The first matching record, by the offset of its end in users.tor.
  void (*UserFound)(int64_t record_end);
  // slot is BADLIST or GOODLIST.
  void (*ListOpened)(int slot, bool opened);
  // A piece of the list as read, before it is prepared.
  void (*ListLineRead)(const char *piece);
  // The status FinishRun ends the run with.
  void (*RunEnded)(int status);
};

// nullptr but in the dry run.
extern const RunObserver *Observer;

inline void NoteStageStarted(RunStage stage) {
  if (Observer != nullptr && Observer->StageStarted != nullptr)
    Observer->StageStarted(stage);
}

inline void NoteConfigLineRead(const char *piece) {
  if (Observer != nullptr && Observer->ConfigLineRead != nullptr)
    Observer->ConfigLineRead(piece);
}

inline void NoteConfigLineBad(BadConfigLine why) {
  if (Observer != nullptr && Observer->ConfigLineBad != nullptr)
    Observer->ConfigLineBad(why);
}

inline void NoteConfigLineTaken(int slot) {
  if (Observer != nullptr && Observer->ConfigLineTaken != nullptr)
    Observer->ConfigLineTaken(slot);
}

inline void NoteMailerLogOpened(int64_t size, int64_t tail_start) {
  if (Observer != nullptr && Observer->MailerLogOpened != nullptr)
    Observer->MailerLogOpened(size, tail_start);
}

inline void NoteMailerLogLineRead(int64_t number, const char *piece) {
  if (Observer != nullptr && Observer->MailerLogLineRead != nullptr)
    Observer->MailerLogLineRead(number, piece);
}

inline void NoteDigitsVoided(const char *stop) {
  if (Observer != nullptr && Observer->DigitsVoided != nullptr)
    Observer->DigitsVoided(stop);
}

inline void NoteDigitsEnded(int64_t taken, int64_t wanted) {
  if (Observer != nullptr && Observer->DigitsEnded != nullptr)
    Observer->DigitsEnded(taken, wanted);
}

inline void NoteConnectLineSeen() {
  if (Observer != nullptr && Observer->ConnectLineSeen != nullptr)
    Observer->ConnectLineSeen();
}

inline void NoteUserBaseOpened(int64_t records) {
  if (Observer != nullptr && Observer->UserBaseOpened != nullptr)
    Observer->UserBaseOpened(records);
}

inline void NoteUserFound(int64_t record_end) {
  if (Observer != nullptr && Observer->UserFound != nullptr)
    Observer->UserFound(record_end);
}

inline void NoteListOpened(int slot, bool opened) {
  if (Observer != nullptr && Observer->ListOpened != nullptr)
    Observer->ListOpened(slot, opened);
}

inline void NoteListLineRead(const char *piece) {
  if (Observer != nullptr && Observer->ListLineRead != nullptr)
    Observer->ListLineRead(piece);
}

inline void NoteRunEnded(int status) {
  if (Observer != nullptr && Observer->RunEnded != nullptr)
    Observer->RunEnded(status);
}

#endif
