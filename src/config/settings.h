// The nine settings and the configuration file that sets them.
#ifndef RINGCHECK_CONFIG_SETTINGS_H
#define RINGCHECK_CONFIG_SETTINGS_H

#include <cstddef>

// The slots of Settings, in the order in which keys are compared.
enum SettingKey {
  LOGWITHAON,
  CALLERID,
  IDLEN,
  TYPEPHONE,
  TORNADOPATH,
  OUTFILE,
  CIDMASK,
  BADLIST,
  GOODLIST,
  kSettingCount
};

constexpr size_t kSettingCapacity = 254;
// Lines of the configuration file are read in pieces of this length.
constexpr size_t kConfigPieceLength = 254;

extern char Settings[kSettingCount][kSettingCapacity + 1];
// The number of the configuration line being read, counted from 1.
extern int ConfigLineCount;

// The key of a slot as the configuration file writes it: "LOGWITHAON".
const char *SettingKeyName(int slot);
// Puts every setting back to its default.
void ResetSettings();
// Reads the configuration file over the defaults.  Ends the run with
// status 5 when the file cannot be opened; warns (status 10) about each
// bad line.
void ReadConfigFile(const char *path);
// A setting's leading decimal number, as C's atoi reads it, 0 when there is
// none; values past the int range are clamped to it.
int SettingAsInteger(const char *value);

#endif
