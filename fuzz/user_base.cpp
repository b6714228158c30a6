// The user base lookup.  The input's first part is the IDLEN value, the
// second the caller's number (its digits, at most nine), the rest the
// bytes of users.tor.
//
// The outcome is checked against a plain reading of the same bytes in
// memory: records of 624 bytes, length-prefixed strings cut to their
// buffers, phones reduced to their last IDLEN digits, the first matching
// record wins.  So a lookup that reads at a wrong offset, past the end of
// the file or across a record boundary shows up as a wrong subscriber.
#include <cstring>
#include <string>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "fuzz_station.h"
#include "run/text_helpers.h"

namespace {

constexpr size_t kRecordSize = 624;

struct Subscriber {
  std::string name, field373, field534;
};

// The string at offset in the record, cut to the capacity, to the end of
// the file and at a NUL byte.
std::string StringAt(std::string_view base, size_t offset, size_t capacity) {
  if (offset >= base.size())
    return "";
  size_t length = static_cast<unsigned char>(base[offset]);
  if (length > capacity)
    length = capacity;
  std::string text(base.substr(offset + 1, length));
  // The program keeps C strings: a NUL byte ends the text.
  return text.substr(0, text.find('\0'));
}

std::string Reduced(const std::string &phone, int idlen) {
  std::string digits = DigitsOf(phone, phone.size());
  if (idlen <= 0)
    return "";
  if (digits.size() > static_cast<size_t>(idlen))
    digits.erase(0, digits.size() - static_cast<size_t>(idlen));
  return digits;
}

Subscriber ExpectedSubscriber(std::string_view base, const std::string &number,
                              int idlen) {
  for (size_t record = 0; record + kRecordSize <= base.size();
       record += kRecordSize) {
    std::string phone1 = Reduced(StringAt(base, record + 389, 15), idlen);
    std::string phone2 = Reduced(StringAt(base, record + 405, 15), idlen);
    if (phone1 == number || phone2 == number)
      return {StringAt(base, record, kUserNameCapacity),
              StringAt(base, record + 373, kUserField373Capacity),
              StringAt(base, record + 534, kUserField534Capacity)};
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  std::string_view input(reinterpret_cast<const char *>(data), size);
  std::string idlen(TakePart(&input).substr(0, kSettingCapacity));
  std::string number = DigitsOf(TakePart(&input), kCallerNumberCapacity);
  // The run driver looks up only a captured number.
  if (number.empty()) {
    LeaveFuzzStation();
    return -1;
  }
  WriteStationFile("BBS/users.tor", input);
  ResetSettings();
  ResetCallerNumber();
  ResetSubscriber();
  CopyText(Settings[TORNADOPATH], kSettingCapacity, "BBS\\");
  CopyText(Settings[IDLEN], kSettingCapacity, idlen.c_str());
  CopyText(CallerNumber, kCallerNumberCapacity, number.c_str());
  bool ended = false;
  try {
    LookUpUser();
  } catch (...) {
    ended = true;
  }
  if (ended != input.empty())
    Fail("status 2 without a missing user base, or none with one");
  Subscriber expected =
      ExpectedSubscriber(input, number, SettingAsInteger(idlen.c_str()));
  if (expected.name != UserName || expected.field373 != UserField373 ||
      expected.field534 != UserField534)
    Fail("the lookup found another subscriber than the records hold");
  LeaveFuzzStation();
  return 0;
}
