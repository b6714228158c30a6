// The choice of report, the help, and what every report runs with: the
// report's language, standard output kept from the stages' status lines,
// and a console that is never there, as no report draws a screen.
#include "explain/explain.h"

#include <cstring>

#include "explain/audit/audit.h"
#include "explain/call/dry_run.h"
#include "explain/history/history.h"
#include "explain/report/run.h"
#include "explain/report/texts.h"
#include "explain/report/writer.h"
#include "run/console_screen.h"
#include "run/run_status.h"
#include "run/standard_output.h"

namespace {

// The switch name as --name or /name, in any letter case.
bool IsSwitch(const char *argument, const char *name) {
  if (argument[0] == '/')
    argument++;
  else if (argument[0] == '-' && argument[1] == '-')
    argument += 2;
  else
    return false;
  for (; *argument != '\0' && *name != '\0'; argument++, name++) {
    char c = *argument;
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
    if (c != *name)
      return false;
  }
  return *argument == *name;
}

bool AsksForHelp(const char *argument) {
  static const char *const kHelpWords[] = {"/?", "-?", "-h", "--help"};
  for (const char *word : kHelpWords)
    if (strcmp(argument, word) == 0)
      return true;
  return false;
}

bool AsksForHistory(const char *argument) {
  return IsSwitch(argument, "calls") || IsSwitch(argument, "csv") ||
         IsSwitch(argument, "since") || IsSwitch(argument, "until");
}

// --word, or /word of letters alone: a path on POSIX has a slash or a dot
// besides, as a file of the configuration's needs.
bool LooksLikeSwitch(const char *argument) {
  const char *word = nullptr;
  if (argument[0] == '-' && argument[1] == '-')
    return argument[2] != '\0';
  if (argument[0] == '/')
    word = argument + 1;
  if (word == nullptr || *word == '\0')
    return false;
  for (; *word != '\0'; word++)
    if (!((*word >= 'a' && *word <= 'z') || (*word >= 'A' && *word <= 'Z') ||
          *word == '?'))
      return false;
  return true;
}

// The history's command line: its switches wherever they stand, the
// configuration file and PATTERN in their order.
ExplainChoice ChooseHistory(int argc, const char *const *argv) {
  ExplainChoice choice = {kHistoryReport, nullptr, nullptr, false,
                          nullptr,        nullptr, nullptr, false};
  for (int at = 1; at < argc; at++) {
    const char *argument = argv[at];
    if (IsSwitch(argument, "calls"))
      continue;
    if (IsSwitch(argument, "csv")) {
      choice.csv = true;
    } else if (IsSwitch(argument, "since") || IsSwitch(argument, "until")) {
      if (at + 1 >= argc) {
        choice.report = kRefusedLine;
        choice.refused = argument;
        choice.wants_value = true;
        return choice;
      }
      (IsSwitch(argument, "since") ? choice.since : choice.until) =
          argv[++at];
    } else if (LooksLikeSwitch(argument)) {
      choice.report = kRefusedLine;
      choice.refused = argument;
      return choice;
    } else if (choice.config == nullptr) {
      choice.config = argument;
    } else if (choice.pattern == nullptr) {
      choice.pattern = argument;
    }
  }
  return choice;
}

void ReportRefusedLine(const ExplainChoice &choice) {
  QuoteBuffer quote;
  Quote(quote, choice.refused);
  ReportLine(Text(choice.wants_value ? kSwitchWithoutValue : kUnknownSwitch),
             quote);
  ReportBlankLine();
  ReportPlainLine(Text(kUsage));
  ReportRefusal();
}

const char *ArgumentOrNone(int argc, const char *const *argv, int at) {
  return at < argc ? argv[at] : nullptr;
}

void ReportHelp() {
  ReportPlainLine(Text(kHelpAbout));
  ReportBlankLine();
  ReportPlainLine(Text(kUsage));
  ReportBlankLine();
  ReportPlainLine(Text(kHelpUsers));
  ReportBlankLine();
  ReportPlainLine(Text(kHelpCalls));
  ReportBlankLine();
  ReportPlainLine(Text(kHelpLanguage));
  ReportBlankLine();
  ReportPlainLine(Text(kHelpExitCodes));
  for (int status = kStatusNormal; status <= kStatusNoConfigFile; status++)
    ReportLine(Text(kHelpExitCode), status, StatusMeaning(status));
  ReportPlainLine(Text(kHelpNoSeven));
}

bool NoConsoleOpen(ConsoleInfo *) { return false; }
void NoConsoleClose() {}
void NoConsoleReadCursor(int *column, int *row) { *column = *row = 0; }
void NoConsoleSetCursor(int, int) {}
void NoConsoleWriteCells(int, int, const ConsoleCell *, int) {}
void NoConsoleScrollUp(ConsoleCell) {}
void NoConsoleBeep() {}

const ConsoleDevice kNoConsole = {
    NoConsoleOpen,       NoConsoleClose,      NoConsoleReadCursor,
    NoConsoleSetCursor,  NoConsoleWriteCells, NoConsoleScrollUp,
    NoConsoleBeep,
};

int RunChosenReport(const ExplainChoice &choice, int argc,
                    const char *const *argv) {
  switch (choice.report) {
  case kAuditReport:
    return AuditUserBase(choice.config);
  case kHistoryReport:
    return ReportCallHistory({choice.config, choice.pattern, choice.csv,
                              choice.since, choice.until, ',', nullptr,
                              nullptr, nullptr, nullptr});
  case kRefusedLine:
    ReportRefusedLine(choice);
    return kStatusRefusedLine;
  default:
    return ExplainCall(argc, argv);
  }
}

}  // namespace

ExplainChoice ChooseReport(int argc, const char *const *argv) {
  ExplainChoice choice = {kCallReport, ArgumentOrNone(argc, argv, 1),
                          nullptr,     false,
                          nullptr,     nullptr,
                          nullptr,     false};
  if (argc < 2)
    return choice;
  if (AsksForHelp(argv[1]))
    choice.report = kHelpReport;
  else if (IsSwitch(argv[1], "users"))
    choice = {kAuditReport, ArgumentOrNone(argc, argv, 2), nullptr, false,
              nullptr,      nullptr,                       nullptr, false};
  else if (AsksForHistory(argv[1]))
    choice = ChooseHistory(argc, argv);
  return choice;
}

int ExplainRun(int argc, const char *const *argv) {
  UseReportLanguage(ChooseReportLanguage());
  ExplainChoice choice = ChooseReport(argc, argv);
  if (choice.report == kHelpReport) {
    ReportHelp();
    FlushReport();
    return 0;
  }
  SilenceStandardOutput(true);
  UseConsoleDevice(&kNoConsole);
  int exit_code = RunChosenReport(choice, argc, argv);
  UseConsoleDevice(nullptr);
  SilenceStandardOutput(false);
  FlushReport();
  return exit_code;
}
