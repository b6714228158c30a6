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

bool OsArgumentInCp866(const char *argument, char *text, size_t capacity) {
  // An argument the program takes this way is a name: short.
  wchar_t wide[256];
  int characters =
      MultiByteToWideChar(CP_ACP, 0, argument, -1, wide, 256);
  if (characters == 0)
    return false;
  int bytes = WideCharToMultiByte(866, 0, wide, -1, text,
                                  static_cast<int>(capacity), "?", nullptr);
  return bytes != 0;
}
