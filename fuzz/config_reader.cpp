// The configuration reader on any bytes.  Whatever the file holds, every
// slot stays within its capacity, TORNADOPATH ends with a backslash, and a
// value taken from the file is upper case and holds neither a line feed
// nor a ';'.
#include <cstring>

#include "config/settings.h"
#include "fuzz_station.h"
#include "run/text_helpers.h"

namespace {

char defaults[kSettingCount][kSettingCapacity + 1];

void CheckSetting(int slot) {
  const char *value = Settings[slot];
  if (strnlen(value, kSettingCapacity + 1) > kSettingCapacity)
    Fail("a setting overran its slot");
  if (strcmp(value, defaults[slot]) == 0)
    return;
  for (const char *p = value; *p != '\0'; p++) {
    unsigned char byte = static_cast<unsigned char>(*p);
    if (UpperCaseCp866Byte(byte) != byte)
      Fail("a value from the file is not upper case");
    if (byte == '\n' || byte == ';' || byte == '\r' || byte == 26)
      Fail("a value holds a line feed, a ';', a CR or a Ctrl-Z");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  WriteStationFile("fuzz.cfg", {reinterpret_cast<const char *>(data), size});
  ResetSettings();
  memcpy(defaults, Settings, sizeof defaults);
  // A missing file (an empty input) ends the run with status 5.
  try {
    ReadConfigFile("fuzz.cfg");
  } catch (...) {
    if (size != 0)
      Fail("a file that exists ended the run");
  }
  for (int slot = 0; slot < kSettingCount; slot++)
    CheckSetting(slot);
  size_t path_length = strlen(Settings[TORNADOPATH]);
  if (size != 0 && (path_length == 0 || Settings[TORNADOPATH][path_length - 1] != '\\'))
    Fail("TORNADOPATH does not end with a backslash");
  if (ConfigLineCount < 0)
    Fail("the line count went negative");
  LeaveFuzzStation();
  return 0;
}
