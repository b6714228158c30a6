// The user interface language and the ANSI code page, apart from the rest
// of the platform layer: only the dry run asks, and ringcheck.exe then
// imports nothing for it.
#include "platform/windows_api.h"

#include "platform/language.h"

bool OsUserReadsRussian() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN;
}

// The C runtime takes the command line from GetCommandLineA, in the ANSI
// code page.
unsigned OsCommandLineCodePage() { return GetACP(); }
