// The CIDMASK digit mask: which captured digits to keep and which to drop,
// at fixed places ('*') or when they equal a given digit.  Any other mask
// character keeps the digit it stands on.
#include <cstring>

#include "capture/caller_number.h"
#include "config/settings.h"
#include "run/text_helpers.h"

namespace {

bool IsMaskDigit(char c) { return c >= '0' && c <= '9'; }

// The digit at the cursor, or the terminator once the cursor has reached
// the end of the number; a terminator matches no mask digit.
char DigitAt(const char *number, size_t cursor) {
  return cursor < strlen(number) ? number[cursor] : '\0';
}

// The digits behind move up under the cursor.  Past the end nothing goes.
void DropDigitAt(char *number, size_t cursor) {
  if (cursor < strlen(number))
    DeleteSpan(number, static_cast<int>(cursor), 1);
}

}  // namespace

void ApplyNumberMask() { ApplyNumberMaskTo(CallerNumber); }

void ApplyNumberMaskTo(char *number) {
  const char *mask = Settings[CIDMASK];
  if (strlen(number) > strlen(mask))
    number[strlen(mask)] = '\0';
  // Digits in front of the cursor are the ones kept so far.
  size_t cursor = 0;
  for (const char *m = mask; *m != '\0'; m++) {
    if (*m == '*')
      DropDigitAt(number, cursor);
    else if (IsMaskDigit(*m) && DigitAt(number, cursor) == *m)
      DropDigitAt(number, cursor);
    else if (!IsMaskDigit(*m))
      cursor++;
  }
}
