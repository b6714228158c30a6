// The configuration reader on any bytes.
#include "config/settings.h"
#include "fuzz_station.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  WriteStationFile("fuzz.cfg", {reinterpret_cast<const char *>(data), size});
  ResetSettings();
  ReadConfigFile("fuzz.cfg");
  return 0;
}
