// The mailer log scan and the number mask.  The input's first part holds
// the settings (as configuration lines), the second the log.
//
// Whatever the log holds: the number is empty or exactly IDLEN digits, the
// phone type empty or one digit, a kept CONNECT line begins with CONNECT,
// and the mask only ever drops digits, so the masked number is the
// captured one with some digits taken out.
#include <cstdlib>
#include <cstring>
#include <string>

#include "capture/caller_number.h"
#include "config/settings.h"
#include "fuzz_station.h"
#include "run/text_helpers.h"

namespace {

bool IsDigits(const char *text) {
  for (; *text != '\0'; text++)
    if (*text < '0' || *text > '9')
      return false;
  return true;
}

// True when every character of part occurs in whole, in the same order.
bool IsSubsequence(const std::string &part, const std::string &whole) {
  size_t next = 0;
  for (char c : whole)
    if (next < part.size() && part[next] == c)
      next++;
  return next == part.size();
}

void CheckCapture() {
  size_t length = strnlen(CallerNumber, kCallerNumberCapacity + 1);
  if (length > kCallerNumberCapacity || strnlen(PhoneType, 2) > 1 ||
      strnlen(ConnectLine, kConnectLineCapacity + 1) > kConnectLineCapacity ||
      strnlen(SeparatorSet, kSeparatorSetCapacity + 1) > kSeparatorSetCapacity)
    Fail("a capture buffer overran");
  if (!IsDigits(CallerNumber) || !IsDigits(PhoneType))
    Fail("the number or the phone type holds a non-digit");
  if (length != 0 &&
      static_cast<int>(length) != SettingAsInteger(Settings[IDLEN]))
    Fail("the number is not IDLEN digits long");
  if (ConnectLine[0] != '\0' && strncmp(ConnectLine, "CONNECT", 7) != 0)
    Fail("the CONNECT line does not begin with CONNECT");
}

}  // namespace

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
    CheckCapture();
    std::string captured = CallerNumber;
    if (Settings[CIDMASK][0] != '\0')
      ApplyNumberMask();
    if (!IsDigits(CallerNumber) || !IsSubsequence(CallerNumber, captured))
      Fail("the mask did more than drop digits");
  } catch (...) {
    // A run ended by FinishRun: no configuration, or no log.
  }
  LeaveFuzzStation();
  return 0;
}
