// Standard output: the few line feeds of the status screen and the word
// "Error!" go there.  Unbuffered when it is the console or a terminal, so
// its bytes move the console's cursor before the screen draws again;
// buffered in 512 bytes otherwise, and flushed when the run ends.
#ifndef RINGCHECK_RUN_STANDARD_OUTPUT_H
#define RINGCHECK_RUN_STANDARD_OUTPUT_H

// Once per process, before the first write.
void SetUpStandardOutput();
// While silent, WriteStandardOutput writes nothing: the dry run's report
// has standard output to itself.
void SilenceStandardOutput(bool silent);
void WriteStandardOutput(const char *text);
void FlushStandardOutput();

#endif
