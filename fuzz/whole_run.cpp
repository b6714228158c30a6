// The whole program from its command line, over a station built from the
// input.  Its parts: the arguments after the program name, one a line;
// ringcheck.cfg; T-Mail.log; BBS/users.tor; BadPhone.lst; GoodPhone.lst.
//
// Every run ends with one of the exit codes a script knows, and a result
// file, when one is written, has its status digit on line 6.  The dry run
// (ringcheck-explain) over the same station then ends with the same code,
// unless the result file could not be written, help, the audit or the
// history was asked for or a "--" was taken out of its command line, and
// leaves that file alone.  So does the audit of the user base
// (ringcheck-explain --users) over the same configuration, which ends with
// 0, 2, 5 or 6, and with 5 just when ringcheck does; and so does the call
// history (--calls, with --csv for every other input, and now and then
// --since and --until, of dates or of days before today), which ends with
// 0, 1, 2, 5 or 6, with 5 just when ringcheck does unless it refused a
// window of days or an argument, and 1 just when ringcheck does, with the
// pattern the second argument gives.
//
// The configuration names the files the run reads and the one it writes.
// Runs whose paths would leave the station (an absolute path, "..") are
// refused here: the fuzzer runs as root and must not write outside it, nor
// read a device that never ends.  So is every input that gives --netmail,
// the one switch that writes: for all the others nothing is written.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/settings.h"
#include "explain/explain.h"
#include "explain/report/run.h"
#include "fuzz_station.h"
#include "output/result_file.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

namespace {

constexpr size_t kMaxArguments = 8;

bool StaysInStation(const char *path) {
  return path[0] != '\\' && path[0] != '/' && strstr(path, "..") == nullptr;
}

bool JoinedStaysInStation(const char *first, const char *second) {
  char path[kMaxPathLength + 1];
  // A path too long is not opened at all.
  return !JoinText(path, kMaxPathLength, first, second) || StaysInStation(path);
}

// Reads the configuration as the run will, to see where its paths lead.
bool PathsStayInStation(const char *config) {
  if (!StaysInStation(config))
    return false;
  ResetSettings();
  try {
    ReadConfigFile(config);
  } catch (...) {
    return true;  // no configuration: status 5, nothing else is opened
  }
  return StaysInStation(Settings[LOGWITHAON]) &&
         StaysInStation(Settings[BADLIST]) &&
         StaysInStation(Settings[GOODLIST]) &&
         JoinedStaysInStation(Settings[TORNADOPATH], "users.tor") &&
         JoinedStaysInStation(Settings[TORNADOPATH], Settings[OUTFILE]);
}

// The status digit on line 6 of the result file the run just wrote.
char StatusDigitOfResultFile() {
  char path[kMaxPathLength + 1];
  ScopedFile result;
  if (!ResultFilePath(path) || !OpenFileForReading(path, &result))
    return '\0';
  TextReader reader;
  BeginTextReading(&reader, &result);
  char line[kMaxPathLength + 1];
  for (int number = 1; number <= 6; number++)
    if (!ReadLinePiece(&reader, line, kMaxPathLength))
      return '\0';
  return strcmp(line + 1, "\n") == 0 ? line[0] : '\0';
}

// The text of the file at path, "(none)" when there is none.
std::string ResultFileText(const char *path) {
  ScopedFile result;
  if (path[0] == '\0' || !OpenFileForReading(path, &result))
    return "(none)";
  TextReader reader;
  BeginTextReading(&reader, &result);
  std::string text;
  char piece[kMaxPathLength + 1];
  while (ReadLinePiece(&reader, piece, kMaxPathLength))
    text += piece;
  return text;
}

// Whether the argument is the switch --netmail, as the chooser reads it.
bool NamesNetmail(const std::string &argument) {
  const char *const argv[] = {"ringcheck-explain", argument.c_str(), "DIR",
                              nullptr};
  return ChooseReport(3, argv).netmail != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  // The report in either language: their texts differ in width.
  setenv("RINGCHECK_LANG", size % 2 != 0 ? "ru" : "en", 1);
  std::string_view input(reinterpret_cast<const char *>(data), size);
  std::string_view line_list = TakePart(&input);
  std::vector<std::string> arguments = {"ringcheck"};
  while (!line_list.empty() && arguments.size() <= kMaxArguments) {
    size_t end = line_list.find('\n');
    arguments.emplace_back(line_list.substr(0, end));
    line_list.remove_prefix(end == std::string_view::npos ? line_list.size()
                                                          : end + 1);
  }
  ClearStation();
  WriteStationFile("ringcheck.cfg", TakePart(&input));
  WriteStationFile("T-Mail.log", TakePart(&input));
  WriteStationFile("BBS/users.tor", TakePart(&input));
  WriteStationFile("BadPhone.lst", TakePart(&input));
  WriteStationFile("GoodPhone.lst", TakePart(&input));
  std::vector<const char *> argv;
  for (const std::string &argument : arguments) {
    if (NamesNetmail(argument)) {
      LeaveFuzzStation();
      return -1;
    }
    argv.push_back(argument.c_str());
  }
  argv.push_back(nullptr);
  ExplainChoice choice =
      ChooseReport(static_cast<int>(arguments.size()), argv.data());
  // A switch asks for the audit or the history instead of a call, or for
  // what no report does.
  bool audit = choice.report == kAuditReport ||
               choice.report == kHistoryReport ||
               choice.report == kRefusedLine;
  bool help = choice.report == kHelpReport;
  // The dry run and ringcheck read the same command line: no "--" was
  // taken out of it.
  bool same_line = !help && !audit &&
                   choice.call_argc == static_cast<int>(arguments.size());
  // The configuration the audit reads, the one ringcheck would read (for
  // help, the help's word itself).
  std::string config = choice.config != nullptr ? choice.config
                       : help                   ? arguments[1]
                                                : "";
  // The settings of this input, never those of the one before it: with no
  // configuration the run takes the defaults.
  ResetSettings();
  if ((arguments.size() > 1 && !PathsStayInStation(arguments[1].c_str())) ||
      (!config.empty() && !PathsStayInStation(config.c_str()))) {
    LeaveFuzzStation();
    return -1;
  }
  // The result file the run would write, looked at before and after the
  // dry run at this one path.
  char result_path[kMaxPathLength + 1];
  if (!ResultFilePath(result_path))
    result_path[0] = '\0';

  // The dry run first: ringcheck's result file may overwrite an input.
  std::string before = ResultFileText(result_path);
  int explained = ExplainRun(static_cast<int>(arguments.size()), argv.data());
  if (explained < 0 || explained > 5)
    Fail("the dry run ends with a code ringcheck would not give");
  if (help && explained != 0)
    Fail("the dry run's help does not end with 0");
  if (ResultFileText(result_path) != before)
    Fail("the dry run wrote the result file");
  int audited = kStatusNormal;
  if (!config.empty()) {
    const char *const audit_argv[] = {"ringcheck-explain", "--users",
                                      config.c_str(), nullptr};
    audited = ExplainRun(3, audit_argv);
    if (audited != 0 && audited != 2 && audited != 5 && audited != 6)
      Fail("the audit ends with a code it does not give");
    if (ResultFileText(result_path) != before)
      Fail("the audit wrote the result file");
  }

  int history = kStatusNormal;
  // A window of days on a log without dates, or an argument that looks
  // like a switch, the history refuses with 5 of its own.
  bool history_may_refuse = size % 3 == 0 || size % 5 == 0 || size % 7 == 0;
  for (size_t i = 1; i < arguments.size() && i <= 2; i++)
    history_may_refuse = history_may_refuse || arguments[i][0] == '-' ||
                         arguments[i][0] == '/';
  if (!config.empty()) {
    const char *pattern = arguments.size() > 2 ? arguments[2].c_str() : nullptr;
    // With the pattern, and now and then a window of days, before or
    // after the file.
    std::vector<const char *> history_argv = {
        "ringcheck-explain", "--calls", size % 4 < 2 ? "--calls" : "/csv",
        config.c_str()};
    if (pattern != nullptr)
      history_argv.push_back(pattern);
    if (size % 3 == 0)
      history_argv.insert(history_argv.begin() + 2, {"--since", "2024-03-11"});
    if (size % 5 == 0)
      history_argv.insert(history_argv.end(), {"/until", "12.03.2024"});
    if (size % 7 == 0)
      history_argv.insert(history_argv.end(), {"--since", "-1 07:00"});
    history_argv.push_back(nullptr);
    history = ExplainRun(static_cast<int>(history_argv.size() - 1),
                         history_argv.data());
    if (history != 0 && history != 1 && history != 2 && history != 5 &&
        history != 6)
      Fail("the call history ends with a code it does not give");
    if (ResultFileText(result_path) != before)
      Fail("the call history wrote the result file");
  }

  int exit_code = RunRingcheck(static_cast<int>(arguments.size()), argv.data());
  if (exit_code < 0 || exit_code > 7 || exit_code == 6)
    Fail("an exit code that no script knows");
  if (exit_code <= 4 &&
      StatusDigitOfResultFile() != '0' + exit_code)
    Fail("the result file does not carry the exit code on line 6");
  if (exit_code != 7 && same_line && explained != exit_code)
    Fail("the dry run ends with another code than ringcheck");
  if (same_line && !config.empty() &&
      (audited == kStatusNoConfigFile) != (exit_code == kStatusNoConfigFile))
    Fail("the audit and ringcheck disagree on the configuration");
  if (same_line && !config.empty() && exit_code != kStatusNoResultFile &&
      history != kStatusNoMemory &&
      (((history == kStatusNoConfigFile) !=
            (exit_code == kStatusNoConfigFile) &&
        !history_may_refuse) ||
       ((history == kStatusNoMailerLog) != (exit_code == kStatusNoMailerLog) &&
        history != kStatusNoConfigFile)))
    Fail("the call history and ringcheck disagree on the configuration or "
         "the log");
  LeaveFuzzStation();
  return 0;
}
