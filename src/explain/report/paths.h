// The files a report names: each under a heading that quotes its path as
// the configuration gives it, then as the platform finds it, so that a
// sysop sees which file was meant when a relative path led elsewhere.
#ifndef RINGCHECK_EXPLAIN_REPORT_PATHS_H
#define RINGCHECK_EXPLAIN_REPORT_PATHS_H

#include "explain/report/texts.h"

// A blank line, then the heading with a quote of the path.
void ReportPathHeading(ReportText heading, const char *path);
// The whole path the platform takes it as, or that it is not found.  With
// for_creation the file need not exist yet.
void ReportFoundPath(const char *path, bool for_creation);
// A configuration file that cannot be opened (named) or was not given at
// all, with the usage then.
void ReportNoConfigFile(bool named);

#endif
