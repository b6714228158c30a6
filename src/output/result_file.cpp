#include "output/result_file.h"

// Built with the log scan: until then no result file is written, and the
// run says so by ending with status 7.
bool WriteResultFile(int) { return false; }
