#include "explain/report/paths.h"

#include "explain/report/writer.h"
#include "platform/os.h"

namespace {

// Full paths may be longer than the paths the program opens.
constexpr size_t kFullPathCapacity = 1023;

}  // namespace

void ReportPathHeading(ReportText heading, const char *path) {
  QuoteBuffer quote;
  ReportBlankLine();
  ReportLine(Text(heading), Quote(quote, path));
}

void ReportFoundPath(const char *path, bool for_creation) {
  char full[kFullPathCapacity + 1];
  if (OsFullPath(path, for_creation, full, kFullPathCapacity))
    ReportLine(Text(for_creation ? kResultFileFoundAs : kFoundAs), full);
  else
    ReportPlainLine(Text(kNotFound));
}

void ReportNoConfigFile(bool named) {
  if (named) {
    ReportPlainLine(Text(kConfigCannotOpen));
    return;
  }
  ReportBlankLine();
  ReportPlainLine(Text(kNoConfigGiven));
  ReportPlainLine(Text(kUsage));
}
