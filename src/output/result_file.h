// The seven-line result file that the BBS scripts read.
#ifndef RINGCHECK_OUTPUT_RESULT_FILE_H
#define RINGCHECK_OUTPUT_RESULT_FILE_H

// Writes the result file with the status digit; false when it could not be
// created or stored whole.
bool WriteResultFile(int status);

#endif
