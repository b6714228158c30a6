// The result file: seven lines in the BBS directory for the script that
// started us, rewritten on every run.
//
//   1 UserName       4 CallerNumber   7 ConnectLine (keeps its own line end)
//   2 UserField534   5 PhoneType
//   3 UserField373   6 the run status digit
#include "output/result_file.h"

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

constexpr char kCtrlZ = 26;

// The user's strings come from the BBS's records and may hold any byte.
// A CR or LF would shift the lines a script reads, and a Ctrl-Z would end
// a DOS script's read early, so those become blanks.
void WriteUserText(TextWriter *writer, const char *text) {
  for (; *text != '\0'; text++) {
    char byte = *text;
    if (byte == '\r' || byte == '\n' || byte == kCtrlZ)
      byte = ' ';
    WriteTextByte(writer, byte);
  }
}

}  // namespace

bool WriteResultFile(int status) {
  char path[kMaxPathLength + 1];
  ScopedFile result;
  if (!JoinText(path, kMaxPathLength, Settings[TORNADOPATH], Settings[OUTFILE]) ||
      !OpenFileForWriting(path, &result))
    return false;
  TextWriter writer;
  BeginTextWriting(&writer, &result);
  WriteUserText(&writer, UserName);
  WriteTextByte(&writer, '\n');
  WriteUserText(&writer, UserField534);
  WriteTextByte(&writer, '\n');
  WriteUserText(&writer, UserField373);
  WriteTextByte(&writer, '\n');
  WriteText(&writer, CallerNumber);
  WriteTextByte(&writer, '\n');
  WriteText(&writer, PhoneType);
  WriteTextByte(&writer, '\n');
  WriteTextByte(&writer, static_cast<char>('0' + status));
  WriteTextByte(&writer, '\n');
  WriteText(&writer, ConnectLine);
  // A file that could not be stored whole is as good as none: a script
  // would read a status that is not there.
  bool stored = FlushTextWriter(&writer);
  bool closed = CloseFile(&result);
  return stored && closed;
}
