// The entry point's work: the command line, the stages in their fixed
// order, and FinishRun, the one way a run ends.
#include <cstring>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "output/result_file.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/standard_output.h"
#include "run/status_screen.h"
#include "run/text_helpers.h"

char MessageFileName[kMessageFileNameCapacity + 1];
char LoginName[kLoginNameCapacity + 1];
const RunObserver *Observer = nullptr;

namespace {

// Thrown by FinishRun to end the run; caught only by RunRingcheck.  The
// unwinding closes every file that a stage still holds.
struct RunEnded {
  int exit_code;
};

// Takes LoginName from the arguments after the configuration file.
// Returns false when the command line gives none.
bool TakeLoginName(int argc, const char *const *argv) {
  if (!CommandLineGivesLoginName(argc, argv))
    return false;
  if (argc == 3) {
    CopyText(LoginName, kLoginNameCapacity, argv[2]);
    return true;
  }
  // A name in two halves whose quotes reached us literally: "John Smith".
  const char *first = argv[2];
  const char *second = argv[3];
  size_t second_length = strlen(second);
  size_t used = strnlen(first + 1, kLoginNameCapacity);
  memcpy(LoginName, first + 1, used);
  if (used < kLoginNameCapacity)
    LoginName[used++] = ' ';
  size_t rest = second_length - 1;
  if (rest > kLoginNameCapacity - used)
    rest = kLoginNameCapacity - used;
  memcpy(LoginName + used, second, rest);
  LoginName[used + rest] = '\0';
  return true;
}

void ResetRunState() {
  MessageFileName[0] = '\0';
  LoginName[0] = '\0';
  ResetSettings();
  ResetCallerNumber();
  ResetSubscriber();
}

void RunStages(int argc, const char *const *argv) {
  if (argc < 2)
    FinishRun(kStatusNoConfigFile);
  bool has_login_name = TakeLoginName(argc, argv);
  NoteStageStarted(kSettingsStage);
  ReadConfigFile(argv[1]);
  NoteStageStarted(kMailerLogStage);
  SplitCallerIdSetting();
  ScanMailerLog();
  if (Settings[CIDMASK][0] != '\0') {
    NoteStageStarted(kNumberMaskStage);
    ApplyNumberMask();
  }
  if (CallerNumber[0] != '\0') {
    NoteStageStarted(kUserBaseStage);
    LookUpUser();
    NoteStageStarted(kBannedListStage);
    CheckBannedNumbers();
  }
  if (UserName[0] != '\0' && has_login_name) {
    NoteStageStarted(kExemptListStage);
    CheckExemptNames(LoginName);
  }
  FinishRun(kStatusNormal);
}

}  // namespace

bool CommandLineGivesLoginName(int argc, const char *const *argv) {
  if (argc == 3)
    return true;
  if (argc < 4)
    return false;
  size_t second_length = strlen(argv[3]);
  return argv[2][0] == '"' && second_length > 0 &&
         argv[3][second_length - 1] == '"';
}

void RememberFileName(const char *path) {
  const char *slash = strrchr(path, '\\');
  CopyText(MessageFileName, kMessageFileNameCapacity,
           slash != nullptr ? slash + 1 : path);
}

void FinishRun(int status) {
  if (status != kStatusNormal) {
    WriteStandardOutput("\n\n\r");
    DrawWarningHeader();
  }
  DrawStatusMessage(status);
  if (status >= kStatusBadConfigLine)
    return;
  // A watched run is a dry run: it writes nothing.
  if (status != kStatusNoConfigFile && Observer == nullptr &&
      !WriteResultFile(status)) {
    DrawCreationFailure();
    status = kStatusNoResultFile;
  }
  WriteStandardOutput("\n\n\n\n");
  DrawBanner();
  NoteRunEnded(status);
  throw RunEnded{status};
}

int RunStagesOf(void (*stages)(int argc, const char *const *argv), int argc,
                const char *const *argv) {
  SetUpStandardOutput();
  ResetRunState();
  OpenStatusScreen();
  int exit_code = kStatusNormal;
  try {
    stages(argc, argv);
  } catch (const RunEnded &ended) {
    exit_code = ended.exit_code;
  }
  CloseStatusScreen();
  FlushStandardOutput();
  return exit_code;
}

int RunRingcheck(int argc, const char *const *argv) {
  return RunStagesOf(RunStages, argc, argv);
}
