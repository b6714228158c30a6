// The seven lines of the result file, composed for whoever stores or shows
// them:
//
//   1 UserName       4 CallerNumber   7 ConnectLine (keeps its own line end)
//   2 UserField534   5 PhoneType
//   3 UserField373   6 the run status digit
#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "output/result_file.h"

namespace {

constexpr char kCtrlZ = 26;

void PutText(const ResultSink *sink, const char *text) {
  for (; *text != '\0'; text++)
    sink->Put(sink->target, *text);
}

// The user's strings come from the BBS's records and may hold any byte.
// A CR or LF would shift the lines a script reads, and a Ctrl-Z would end
// a DOS script's read early, so those become blanks.
void PutUserText(const ResultSink *sink, const char *text) {
  for (; *text != '\0'; text++) {
    char byte = *text;
    if (byte == '\r' || byte == '\n' || byte == kCtrlZ)
      byte = ' ';
    sink->Put(sink->target, byte);
  }
}

}  // namespace

void ComposeResultLines(int status, const ResultSink *sink) {
  PutUserText(sink, UserName);
  sink->Put(sink->target, '\n');
  PutUserText(sink, UserField534);
  sink->Put(sink->target, '\n');
  PutUserText(sink, UserField373);
  sink->Put(sink->target, '\n');
  PutText(sink, CallerNumber);
  sink->Put(sink->target, '\n');
  PutText(sink, PhoneType);
  sink->Put(sink->target, '\n');
  sink->Put(sink->target, static_cast<char>('0' + status));
  sink->Put(sink->target, '\n');
  PutText(sink, ConnectLine);
}
