// The machine's clock on Windows, apart from the rest of the platform
// layer: only the explainer asks it (the window's days, the time a message
// is written), and ringcheck.exe imports none of it.
#include "platform/windows_api.h"

#include "platform/os.h"

void OsNow(OsMoment *now) {
  SYSTEMTIME local;
  GetLocalTime(&local);
  now->year = local.wYear;
  now->month = local.wMonth;
  now->day = local.wDay;
  now->hour = local.wHour;
  now->minute = local.wMinute;
  now->second = local.wSecond;
  // 100-nanosecond steps from 1601 to seconds from 1970.
  FILETIME system;
  GetSystemTimeAsFileTime(&system);
  ULARGE_INTEGER steps;
  steps.LowPart = system.dwLowDateTime;
  steps.HighPart = system.dwHighDateTime;
  now->seconds =
      static_cast<int64_t>(steps.QuadPart / 10000000) - INT64_C(11644473600);
  now->process = GetCurrentProcessId();
}
