// The configuration file: key, space, value lines over nine built-in
// defaults.  Keys and values are upper-cased as they are read.
#include "config/settings.h"

#include <climits>
#include <cstring>

#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

char Settings[kSettingCount][kSettingCapacity + 1];
int ConfigLineCount;

namespace {

const char *const kSettingKeys[kSettingCount] = {
    "LOGWITHAON", "CALLERID", "IDLEN",   "TYPEPHONE", "TORNADOPATH",
    "OUTFILE",    "CIDMASK",  "BADLIST", "GOODLIST",
};

const char *const kSettingDefaults[kSettingCount] = {
    "T-Mail.log", "CallerID", "7",  "YES",          "C:\\TORNADO\\",
    "aon.tmp",    "",         "BadPhone.lst", "GoodPhone.lst",
};

void DropLeadingSpaces(char *line) {
  while (line[0] == ' ')
    DeleteSpan(line, 0, 1);
}

// Takes one piece of a configuration line apart and stores its value.
// A piece that is neither empty, a comment nor a known key gets a warning.
void TakeConfigLine(char *line) {
  if (line[0] == ';')
    return;
  char *semicolon = strchr(line, ';');
  bool cut = semicolon != nullptr;
  if (cut)
    DeleteSpan(line, static_cast<int>(semicolon - line), 255);
  DropLeadingSpaces(line);
  if (line[0] == '\0')
    return;
  char *space = strchr(line, ' ');
  if (space == nullptr) {
    NoteConfigLineBad(kLineWithoutSpace);
    FinishRun(kStatusBadConfigLine);
    return;
  }
  UpperCaseCp866(line);
  char key[kConfigPieceLength + 1];
  size_t key_length = static_cast<size_t>(space - line);
  memcpy(key, line, key_length);
  key[key_length] = '\0';
  DeleteSpan(line, 0, static_cast<int>(key_length));
  // The value ends before the line feed; on a line cut at ';' also before
  // the blanks in front of the ';'.  Its own last character always stays.
  size_t length = strlen(line);
  if (length > 0 && line[length - 1] == '\n')
    line[--length] = '\0';
  if (cut)
    while (length > 0 && line[length - 1] == ' ')
      line[--length] = '\0';
  DropLeadingSpaces(line);
  for (int slot = 0; slot < kSettingCount; slot++) {
    if (strcmp(key, kSettingKeys[slot]) == 0) {
      CopyText(Settings[slot], kSettingCapacity, line);
      NoteConfigLineTaken(slot);
      return;
    }
  }
  NoteConfigLineBad(kLineWithoutKey);
  FinishRun(kStatusBadConfigLine);
}

void EndTornadoPathWithBackslash() {
  char *path = Settings[TORNADOPATH];
  size_t length = strlen(path);
  if ((length == 0 || path[length - 1] != '\\') && length < kSettingCapacity) {
    path[length] = '\\';
    path[length + 1] = '\0';
  }
}

}  // namespace

const char *SettingKeyName(int slot) { return kSettingKeys[slot]; }

void ResetSettings() {
  for (int slot = 0; slot < kSettingCount; slot++)
    CopyText(Settings[slot], kSettingCapacity, kSettingDefaults[slot]);
  ConfigLineCount = 0;
}

void ReadConfigFile(const char *path) {
  ScopedFile config;
  if (!OpenFileForReading(path, &config)) {
    RememberFileName(path);
    FinishRun(kStatusNoConfigFile);
  }
  TextReader reader;
  BeginTextReading(&reader, &config);
  char line[kConfigPieceLength + 1];
  while (ReadLinePiece(&reader, line, kConfigPieceLength)) {
    ConfigLineCount++;
    NoteConfigLineRead(line);
    TakeConfigLine(line);
  }
  CloseFile(&config);
  EndTornadoPathWithBackslash();
}

int SettingAsInteger(const char *value) {
  const char *p = value;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
    p++;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+')
    p++;
  long long number = 0;
  for (; *p >= '0' && *p <= '9'; p++) {
    // Stop growing once past the int range; the sign is applied after.
    if (number <= static_cast<long long>(INT_MAX) + 1)
      number = number * 10 + (*p - '0');
  }
  if (negative)
    number = -number;
  if (number > INT_MAX)
    return INT_MAX;
  if (number < INT_MIN)
    return INT_MIN;
  return static_cast<int>(number);
}
