#include "explain/report/run.h"

#include <new>
#include <stdexcept>

#include "explain/report/paths.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "run/run_status.h"

namespace {

enum Shortfall { kNoShortfall, kOutOfMemory, kTooManyRecords };

void (*report_stages)();
Shortfall shortfall;

// RunStagesOf hands the command line on; a report has taken what it needs
// of it before.
void GuardedStages(int, const char *const *) {
  try {
    report_stages();
  } catch (const std::bad_alloc &) {
    shortfall = kOutOfMemory;
  } catch (const std::length_error &) {
    shortfall = kOutOfMemory;
  } catch (const BaseTooLarge &) {
    shortfall = kTooManyRecords;
  }
}

}  // namespace

int RunReportStages(const RunObserver *observer, void (*stages)()) {
  report_stages = stages;
  shortfall = kNoShortfall;
  Observer = observer;
  int status = RunStagesOf(GuardedStages, 0, nullptr);
  Observer = nullptr;
  return shortfall != kNoShortfall ? kStatusNoMemory : status;
}

int ReportRefusal() {
  ReportBlankLine();
  ReportPlainLine(Text(kOutcomeHeading));
  ReportLine(Text(kExitCode), kStatusRefusedLine, Text(kStatusRefused));
  return kStatusRefusedLine;
}

void ReportOutcome(int status, bool config_named, const char *done,
                   const char *no_memory, const char *status6) {
  if (status == kStatusNoConfigFile) {
    ReportNoConfigFile(config_named);
  } else if (status == kStatusNoMemory && shortfall == kOutOfMemory) {
    ReportBlankLine();
    ReportPlainLine(no_memory);
  }
  const char *meaning = status == kStatusNormal ? done
                        : status != kStatusNoMemory ? StatusMeaning(status)
                        : shortfall == kTooManyRecords
                            ? Text(kStatusBaseTooLarge)
                            : status6;
  ReportBlankLine();
  ReportPlainLine(Text(kOutcomeHeading));
  ReportLine(Text(kExitCode), status, meaning);
}
