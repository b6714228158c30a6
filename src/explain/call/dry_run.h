// The dry run of a call: ringcheck's stages over the same files, watched,
// with nothing written and no screen drawn; what they did becomes a report
// on standard output.
#ifndef RINGCHECK_EXPLAIN_CALL_DRY_RUN_H
#define RINGCHECK_EXPLAIN_CALL_DRY_RUN_H

// Takes ringcheck's command line; returns the exit code ringcheck would
// give (0 to 5: with nothing written, never 7).
int ExplainCall(int argc, const char *const *argv);

#endif
