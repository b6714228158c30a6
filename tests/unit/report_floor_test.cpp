// The floor under the reports: a row built past its buffer is cut there,
// never written past it; a number no phone key can hold gets none, rather
// than the key of another number.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "explain/report/phone_keys.h"
#include "explain/report/writer.h"

namespace {

TEST(ReportFloor, ALineBuiltPastItsBufferIsCutThere) {
  LineBuilder line;
  BeginLine(&line);
  std::string wide(2 * sizeof line.text, 'x');
  PutFormatted(&line, "%9lld  ", 1234567890123456789LL);
  PutPadded(&line, wide.c_str(), 2);
  PutFormatted(&line, "%s", wide.c_str());
  PutPadded(&line, "", sizeof line.text);
  PutText(&line, wide.c_str());
  EXPECT_EQ(line.length, sizeof line.text - 1);
  EXPECT_EQ(strlen(line.text), line.length);
}

TEST(ReportFloor, OnlyNumbersOfOneToNineDigitsHaveKeys) {
  EXPECT_EQ(PhoneKey("1234567890", 0), kNoPhoneKey);
  EXPECT_EQ(PhoneKey("", 0), kNoPhoneKey);
  EXPECT_EQ(PhoneKey("12-34", 0), kNoPhoneKey);
  EXPECT_NE(PhoneKey("0123", 0), PhoneKey("123", 0));
  KeyNumber number;
  NumberOfKey(PhoneKey("012345678", kKeyRecordLimit - 1), number);
  EXPECT_STREQ(number, "012345678");
  EXPECT_EQ(RecordOfKey(PhoneKey("012345678", kKeyRecordLimit - 1)),
            kKeyRecordLimit - 1);
}

}  // namespace
