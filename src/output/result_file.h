// The seven-line result file that the BBS scripts read.
#ifndef RINGCHECK_OUTPUT_RESULT_FILE_H
#define RINGCHECK_OUTPUT_RESULT_FILE_H

#include "platform/os.h"

// Where the composed bytes go, one at a time.
struct ResultSink {
  void (*Put)(void *target, char byte);
  void *target;
};

// The seven lines with the status digit: the first six each end with a
// line feed, the seventh is ConnectLine with whatever line end it kept.
void ComposeResultLines(int status, const ResultSink *sink);
// TORNADOPATH and OUTFILE joined (kMaxPathLength + 1 bytes); false, and
// path empty, when they do not fit.
bool ResultFilePath(char *path);
// Writes the result file with the status digit; false when it could not be
// created or stored whole.
bool WriteResultFile(int status);

#endif
