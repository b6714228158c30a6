// The mailer log scan and the number mask.  The input's first part holds
// the settings (as configuration lines), the second the log.
#include "capture/caller_number.h"
#include "config/settings.h"
#include "fuzz_station.h"
#include "run/run_status.h"
#include "run/text_helpers.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  std::string_view input(reinterpret_cast<const char *>(data), size);
  WriteStationFile("fuzz.cfg", TakePart(&input));
  WriteStationFile("T-MAIL.LOG", input);
  ResetSettings();
  ResetCallerNumber();
  try {
    ReadConfigFile("fuzz.cfg");
    CopyText(Settings[LOGWITHAON], kSettingCapacity, "T-MAIL.LOG");
    SplitCallerIdSetting();
    ScanMailerLog();
    if (Settings[CIDMASK][0] != '\0')
      ApplyNumberMask();
  } catch (...) {
    // A run ended by FinishRun (no configuration, no log).
  }
  size_t length = strlen(CallerNumber);
  if (length > kCallerNumberCapacity || strlen(PhoneType) > 1 ||
      strlen(ConnectLine) > kConnectLineCapacity)
    abort();
  for (size_t i = 0; i < length; i++)
    if (CallerNumber[i] < '0' || CallerNumber[i] > '9')
      abort();
  return 0;
}
