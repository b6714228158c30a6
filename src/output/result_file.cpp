// The result file: the seven lines in the BBS directory for the script
// that started us, rewritten on every run.
#include "output/result_file.h"

#include "config/settings.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

// Each line feed is stored as CR LF.
void PutToWriter(void *writer, char byte) {
  WriteTextByte(static_cast<TextWriter *>(writer), byte);
}

}  // namespace

bool ResultFilePath(char *path) {
  return JoinText(path, kMaxPathLength, Settings[TORNADOPATH],
                  Settings[OUTFILE]);
}

bool WriteResultFile(int status) {
  char path[kMaxPathLength + 1];
  ScopedFile result;
  if (!ResultFilePath(path) || !OpenFileForWriting(path, &result))
    return false;
  TextWriter writer;
  BeginTextWriting(&writer, &result);
  ResultSink sink = {PutToWriter, &writer};
  ComposeResultLines(status, &sink);
  // A file that could not be stored whole is as good as none: a script
  // would read a status that is not there.
  bool stored = FlushTextWriter(&writer);
  bool closed = CloseFile(&result);
  return stored && closed;
}
