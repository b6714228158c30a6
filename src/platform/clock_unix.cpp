// The machine's clock on POSIX, apart from the rest of the platform
// layer: only the explainer asks it (the window's days, the time a message
// is written), and ringcheck links none of it.
#include <time.h>
#include <unistd.h>

#include "platform/os.h"

void OsNow(OsMoment *now) {
  time_t seconds = time(nullptr);
  struct tm local;
  if (localtime_r(&seconds, &local) == nullptr) {
    local = tm();
    local.tm_year = 70;
    local.tm_mday = 1;
  }
  now->year = local.tm_year + 1900;
  now->month = local.tm_mon + 1;
  now->day = local.tm_mday;
  now->hour = local.tm_hour;
  now->minute = local.tm_min;
  now->second = local.tm_sec;
  now->seconds = static_cast<int64_t>(seconds);
  now->process = static_cast<uint32_t>(getpid());
}
