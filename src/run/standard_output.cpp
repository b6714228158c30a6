#include "run/standard_output.h"

#include <cstdio>

#include "platform/os.h"

namespace {

char StandardOutputBuffer[512];
bool silenced = false;

}  // namespace

void SetUpStandardOutput() {
  // setvbuf is only allowed before the first write, and a test may run the
  // program several times in one process.
  static bool done = false;
  if (done)
    return;
  done = true;
  if (OsPrepareStandardOutput())
    setvbuf(stdout, nullptr, _IONBF, 0);
  else
    setvbuf(stdout, StandardOutputBuffer, _IOFBF, sizeof StandardOutputBuffer);
}

void SilenceStandardOutput(bool silent) { silenced = silent; }

void WriteStandardOutput(const char *text) {
  if (!silenced)
    fputs(text, stdout);
}

void FlushStandardOutput() { fflush(stdout); }
