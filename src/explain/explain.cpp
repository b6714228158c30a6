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

// The program's help words that are no switch: -h and -?, as the first
// argument alone.
const char *const kHelpWords[] = {"-h", "-?"};

// The argument as a switch of name: --name or /name, in any letter case.
// Returns what follows the name, or nullptr when it is not the switch; a
// switch that takes a separator may have one after = or :.
const char *MatchSwitch(const char *argument, const ExplainSwitch &given) {
  if (argument[0] == '/')
    argument++;
  else if (argument[0] == '-' && argument[1] == '-')
    argument += 2;
  else
    return nullptr;
  const char *name = given.name;
  for (; *argument != '\0' && *name != '\0'; argument++, name++) {
    char c = *argument;
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
    if (c != *name)
      return nullptr;
  }
  if (*name != '\0')
    return nullptr;
  bool separator = *argument == '=' || *argument == ':';
  if (*argument == '\0' || (given.takes == kTakesSeparator && separator))
    return argument;
  return nullptr;
}

// The row and the switch of the table the argument is; false for none.
bool FindSwitch(const char *argument, const ExplainRow **row, int *index,
                const char **rest) {
  for (int r = 0; r < kExplainRowCount; r++)
    for (int s = 0;
         s < kMostSwitches && kExplainRows[r].switches[s].name != nullptr;
         s++) {
      *rest = MatchSwitch(argument, kExplainRows[r].switches[s]);
      if (*rest != nullptr) {
        *row = &kExplainRows[r];
        *index = s;
        return true;
      }
    }
  return false;
}

int IndexOfSwitch(const ExplainRow &row, const char *name) {
  for (int s = 0; s < kMostSwitches && row.switches[s].name != nullptr; s++)
    if (strcmp(row.switches[s].name, name) == 0)
      return s;
  return -1;
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

bool AsksForHelp(int argc, const char *const *argv) {
  if (argc >= 2)
    for (const char *word : kHelpWords)
      if (strcmp(argv[1], word) == 0)
        return true;
  const ExplainRow *row;
  int index;
  const char *rest;
  for (int at = 1; at < argc && strcmp(argv[at], "--") != 0; at++)
    if (FindSwitch(argv[at], &row, &index, &rest) &&
        row->report == kHelpReport)
      return true;
  return false;
}

// One character between a CSV's fields: none that a field is quoted with
// or made of, and no control character but the tab.
bool TakesSeparator(const char *rest, char *separator) {
  if (*rest == '\0')
    return true;
  char c = rest[1];
  if (c == '\0' || rest[2] != '\0')
    return false;
  bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                      (c >= 'A' && c <= 'Z');
  if (alphanumeric || c == '"' || (static_cast<unsigned char>(c) < ' ' &&
                                   c != '\t'))
    return false;
  *separator = c;
  return true;
}

ExplainChoice Refuse(ExplainChoice choice, LineRefusal refusal,
                     const char *refused, const char *other = nullptr) {
  choice.report = kRefusedLine;
  choice.refusal = refusal;
  choice.refused = refused;
  choice.other = other;
  return choice;
}

// The switches the chosen report was given, as typed, each beside the
// ones it needs and apart from the one it cannot go with.
bool SwitchesFitTogether(const ExplainRow &row, const char *const *given,
                         ExplainChoice *choice) {
  for (int s = 0; s < kMostSwitches && row.switches[s].name != nullptr; s++) {
    const ExplainSwitch &entry = row.switches[s];
    if (given[s] == nullptr)
      continue;
    int needs = entry.needs != nullptr ? IndexOfSwitch(row, entry.needs) : -1;
    int excludes =
        entry.excludes != nullptr ? IndexOfSwitch(row, entry.excludes) : -1;
    if (needs >= 0 && given[needs] == nullptr) {
      *choice = Refuse(*choice, kRefusedWithoutOther, given[s], entry.needs);
      return false;
    }
    if (excludes >= 0 && given[excludes] != nullptr) {
      *choice = Refuse(*choice, kRefusedTogether, given[s], given[excludes]);
      return false;
    }
  }
  return true;
}

// The plain arguments in their places: the configuration file first.
void TakePlaces(const char *const *plain, int count, ExplainChoice *choice) {
  choice->config = count > 0 ? plain[0] : nullptr;
  if (choice->report == kHistoryReport)
    choice->pattern = count > 1 ? plain[1] : nullptr;
  for (int at = 0; at < count && at < 3; at++)
    choice->call_argv[choice->call_argc++] = plain[at];
}

void ReportRefusedLine(const ExplainChoice &choice) {
  QuoteBuffer quote;
  QuoteBuffer other;
  Quote(quote, choice.refused);
  switch (choice.refusal) {
  case kRefusedUnknownSwitch:
    ReportLine(Text(kUnknownSwitch), quote);
    break;
  case kRefusedWithoutValue:
    ReportLine(Text(kSwitchWithoutValue), quote);
    break;
  case kRefusedWithoutPlace:
    ReportLine(Text(kArgumentWithoutPlace), quote);
    break;
  case kRefusedTogether:
    ReportLine(Text(kSwitchesApart), quote, Quote(other, choice.other));
    break;
  case kRefusedWithoutOther:
    ReportLine(Text(kSwitchNeedsOther), quote, choice.other);
    break;
  case kRefusedSeparator:
    ReportLine(Text(kSeparatorWanted), quote);
    break;
  }
  ReportBlankLine();
  ReportPlainLine(Text(kUsage));
  ReportRefusal();
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

int RunChosenReport(const ExplainChoice &choice) {
  switch (choice.report) {
  case kAuditReport:
    return AuditUserBase(choice.config);
  case kHistoryReport:
    return ReportCallHistory({choice.config, choice.pattern, choice.csv,
                              choice.since, choice.until,
                              choice.csv_separator, choice.netmail,
                              choice.address, choice.to, choice.to_address});
  case kRefusedLine:
    ReportRefusedLine(choice);
    return kStatusRefusedLine;
  default:
    return ExplainCall(choice.call_argc, choice.call_argv);
  }
}

}  // namespace

// The reports and their switches.  The help, the usage and the tests are
// checked against it (report_texts_test.cpp).
const ExplainRow kExplainRows[] = {
    {kCallReport, 3, {}},  // CONFIG-FILE, the login whole or in two halves
    {kAuditReport, 1, {{"users", kTakesNothing, nullptr, nullptr, nullptr}}},
    {kHistoryReport,
     2,
     {{"calls", kTakesNothing, nullptr, nullptr, nullptr},
      {"csv", kTakesSeparator, nullptr, nullptr, nullptr},
      {"since", kTakesValue, &ExplainChoice::since, nullptr, nullptr},
      {"until", kTakesValue, &ExplainChoice::until, nullptr, nullptr},
      {"netmail", kTakesValue, &ExplainChoice::netmail, "address", "csv"},
      {"address", kTakesValue, &ExplainChoice::address, "netmail", nullptr},
      {"to", kTakesValue, &ExplainChoice::to, "netmail", nullptr},
      {"to-address", kTakesValue, &ExplainChoice::to_address, "netmail",
       nullptr}}},
    {kHelpReport,
     0,
     {{"help", kTakesNothing, nullptr, nullptr, nullptr},
      {"?", kTakesNothing, nullptr, nullptr, nullptr}}},
};
const int kExplainRowCount = sizeof kExplainRows / sizeof kExplainRows[0];

// One pass: a switch of the table chooses its report, the first one met;
// the plain arguments wait for the report to be known to find their
// places (at most 3 in any report, so a fourth is refused in each).
ExplainChoice ChooseReport(int argc, const char *const *argv) {
  ExplainChoice choice = {};
  choice.report = kCallReport;
  choice.csv_separator = ',';
  choice.call_argv[0] = argc > 0 ? argv[0] : "ringcheck-explain";
  choice.call_argc = 1;
  if (AsksForHelp(argc, argv)) {
    choice.report = kHelpReport;
    return choice;
  }
  const ExplainRow *row = &kExplainRows[0];
  const char *chosen_by = nullptr;  // the first switch, as typed
  const char *given[kMostSwitches] = {};
  const char *plain[4];
  int plains = 0;
  bool switches_ended = false;
  for (int at = 1; at < argc; at++) {
    const char *argument = argv[at];
    const ExplainRow *of;
    int index;
    const char *rest;
    if (!switches_ended && strcmp(argument, "--") == 0) {
      switches_ended = true;
    } else if (!switches_ended && FindSwitch(argument, &of, &index, &rest)) {
      if (chosen_by != nullptr && of != row)
        return Refuse(choice, kRefusedTogether, argument, chosen_by);
      if (chosen_by == nullptr)
        chosen_by = argument;
      row = of;
      choice.report = row->report;
      const ExplainSwitch &entry = row->switches[index];
      given[index] = argument;
      if (entry.takes == kTakesSeparator) {
        choice.csv = true;
        if (!TakesSeparator(rest, &choice.csv_separator))
          return Refuse(choice, kRefusedSeparator, argument);
      } else if (entry.takes == kTakesValue) {
        if (at + 1 >= argc)
          return Refuse(choice, kRefusedWithoutValue, argument);
        choice.*entry.value = argv[++at];
      }
    } else if (!switches_ended && LooksLikeSwitch(argument)) {
      return Refuse(choice, kRefusedUnknownSwitch, argument);
    } else {
      if (plains < 4)
        plain[plains] = argument;
      plains++;
    }
  }
  if (plains > row->places)
    return Refuse(choice, kRefusedWithoutPlace, plain[row->places]);
  if (!SwitchesFitTogether(*row, given, &choice))
    return choice;
  TakePlaces(plain, plains, &choice);
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
  int exit_code = RunChosenReport(choice);
  UseConsoleDevice(nullptr);
  SilenceStandardOutput(false);
  FlushReport();
  return exit_code;
}
