// The banned-number and exempt-name checks.  The input's parts: the
// caller's number (its digits, at most nine), the login name, the banned
// list, the exempt list.
//
// The outcome is checked against a plain reading of the same bytes in
// memory: carriage returns dropped, a Ctrl-Z ending the data, lines taken
// in pieces of 254 characters, a NUL byte ending a piece's text, comment
// lines skipped, a ';' cutting the rest, leading blanks dropped.
#include <cstring>
#include <string>
#include <vector>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "fuzz_station.h"
#include "run/run_status.h"
#include "run/text_helpers.h"

namespace {

enum Outcome { kNone, kBanned, kExempt };

std::vector<std::string> ListEntries(std::string_view bytes) {
  std::vector<std::string> entries;
  std::string piece;
  auto take = [&entries](std::string text) {
    text = text.substr(0, text.find('\0'));
    if (!text.empty() && text[0] == ';')
      return;
    if (!text.empty() && text.back() == '\n')
      text.pop_back();
    text = text.substr(0, text.find(';'));
    text.erase(0, text.find_first_not_of(' '));
    entries.push_back(text);
  };
  for (char c : bytes) {
    if (c == '\r')
      continue;
    if (c == 26)
      break;
    piece += c;
    if (c == '\n' || piece.size() == kListPieceLength) {
      take(piece);
      piece.clear();
    }
  }
  if (!piece.empty())
    take(piece);
  return entries;
}

bool Banned(std::string_view list, const std::string &number) {
  for (const std::string &entry : ListEntries(list)) {
    std::string pattern;
    for (char c : entry)
      if (((c >= '0' && c <= '9') || c == '?' || c == '*') &&
          pattern.size() < kNumberPatternCapacity)
        pattern += c;
    if (MatchNumberPattern(pattern.c_str(), number.c_str()))
      return true;
  }
  return false;
}

Outcome ExpectedOutcome(std::string_view banned, std::string_view exempt,
                        const std::string &number, const std::string &name) {
  if (Banned(banned, number))
    return kBanned;
  for (const std::string &entry : ListEntries(exempt))
    if (entry == name)
      return kExempt;
  return kNone;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  EnterFuzzStation();
  std::string_view input(reinterpret_cast<const char *>(data), size);
  std::string number = DigitsOf(TakePart(&input), kCallerNumberCapacity);
  std::string name(TakePart(&input).substr(0, kLoginNameCapacity));
  name = name.substr(0, name.find('\0'));
  std::string_view banned = TakePart(&input);
  std::string_view exempt = TakePart(&input);
  WriteStationFile("BAD.LST", banned);
  WriteStationFile("GOOD.LST", exempt);
  ResetSettings();
  ResetCallerNumber();
  ResetSubscriber();
  MessageFileName[0] = '\0';
  CopyText(Settings[TORNADOPATH], kSettingCapacity, "BBS\\");
  CopyText(Settings[BADLIST], kSettingCapacity, "BAD.LST");
  CopyText(Settings[GOODLIST], kSettingCapacity, "GOOD.LST");
  CopyText(CallerNumber, kCallerNumberCapacity, number.c_str());
  Outcome outcome = kNone;
  try {
    CheckBannedNumbers();
    CheckExemptNames(name.c_str());
  } catch (...) {
    outcome = strcmp(MessageFileName, "BAD.LST") == 0 ? kBanned : kExempt;
  }
  if (outcome != ExpectedOutcome(banned, exempt, number, name))
    Fail("the lists gave another outcome than their lines hold");
  LeaveFuzzStation();
  return 0;
}
