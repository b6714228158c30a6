#include <gtest/gtest.h>

#include "checks/subscriber.h"

namespace {

struct PatternCase {
  const char *pattern;
  const char *number;
  bool matches;
};

// Only the first half of the two lengths together is compared; the stored
// lists of stations rely on every quirk that follows from it.
TEST(MatchNumberPattern, ComparesUpToHalfTheTwoLengths) {
  const PatternCase cases[] = {
      {"1234567", "1234567", true},
      {"1234568", "1234567", false},
      {"12?4567", "1234567", true},
      {"123*", "1234567", true},
      {"*", "1234567", true},
      {"12345678", "1234567", true},   // the 8 is never examined
      {"12345670", "1234567", true},   // nor the 0
      {"123456", "1234567", true},     // one shorter, agrees to its end
      {"12345", "1234567", false},     // two shorter: the pattern ends
      {"123456789", "1234567", false}, // the 8 meets the number's end
      {"1234567??", "1234567", true},  // '?' stands for the end too
      {"1234567?5", "1234567", true},
      {"", "1234567", false},
      {"7654321", "1234567", false},
      {"", "5", true},
      {"55", "5", true},
      {"555", "5", false},
      {"6", "5", false},
      {"*", "5", true},
      {"?", "5", true},
      {"1*9", "1234567", true},        // nothing after the star counts
      {"?234567", "9234567", true},
  };
  for (const PatternCase &c : cases)
    EXPECT_EQ(MatchNumberPattern(c.pattern, c.number), c.matches)
        << "pattern \"" << c.pattern << "\" number " << c.number;
}

}  // namespace
