#include <gtest/gtest.h>

#include "capture/caller_number.h"
#include "config/settings.h"
#include "run/text_helpers.h"

namespace {

TEST(ApplyNumberMask, ReshapesTheNumber) {
  struct Case {
    const char *mask, *before, *after;
  } cases[] = {
      {"XXXXXXX", "1234567", "1234567"},
      {"XXXXX", "1234567", "12345"},
      {"*XXXXXX", "1234567", "234567"},
      {"XX**XXX", "1234567", "12567"},
      {"*******", "1234567", ""},
      {"8XXXXXX", "8234567", "234567"},
      {"8XXXXXX", "1234567", "1234567"},
      {"95XXXXX", "9512345", "12345"},
      {"95XXXXX", "9412345", "412345"},
      {"95XXXXX", "5912345", "912345"},
      {"95XXXXX", "4512345", "4512345"},
      {"X9XXXXX", "1934567", "134567"},
      {"XXXXXXXXX", "12345", "12345"},
      // Past the end of the number nothing more changes.
      {"**********", "12345", ""},
      {"XXXXX*9*", "12345", "12345"},
      {"8X", "", ""},
      {"?x -", "8123", "8123"},
  };
  for (const Case &c : cases) {
    ResetSettings();
    CopyText(Settings[CIDMASK], kSettingCapacity, c.mask);
    CopyText(CallerNumber, kCallerNumberCapacity, c.before);
    ApplyNumberMask();
    EXPECT_STREQ(CallerNumber, c.after) << c.mask << " on " << c.before;
  }
}

}  // namespace
