// The status screen: the warning header, one message per status, the lines
// about a result file that cannot be created, and the closing banner.
//
// The texts are the ones the BBS sysops know, in code page 866; they are
// written here in UTF-8 and converted when the program is compiled.
#include "run/status_screen.h"

#include "config/settings.h"
#include "run/console_screen.h"
#include "run/cp866_text.h"
#include "run/run_status.h"
#include "run/version.h"

namespace {

constexpr unsigned char kOnRed = 0x40;       // black on red
constexpr unsigned char kLightRed = 0x0C;    // light red on black
constexpr unsigned char kLightGrey = 0x07;   // light grey on black
constexpr int kWhite = 15;
constexpr int kLightBlue = 9;
constexpr int kLightRedColour = 12;
constexpr int kLightGreyColour = 7;

constexpr auto kWarningSign = Cp866Text("▌!▐");
constexpr auto kAttention = Cp866Text(" ВНИМАНИЕ:");

constexpr auto kLogNotFound = Cp866Text(" Файл %s не найден.");
constexpr auto kCheckThePath =
    Cp866Text("\n\n\r    Проверьте правильно ли прописан путь в конфиге.");
constexpr auto kUserBaseError = Cp866Text(" Ошибка в USER.TOR!");
constexpr auto kCheckTheUserBase =
    Cp866Text("\n\n\r    Проверьте работоспособность базы данных юзеров.");
constexpr auto kNumberListed = Cp866Text(" Номер находится в %s!");
constexpr auto kExitingWith3 = Cp866Text("\n\n\r    Выходим с еррорливелом 3.");
constexpr auto kNotCheckedInScripts = Cp866Text(
    "\n\n\r    Проверка телефона в скриптах производиться не будет.");
constexpr auto kNoConfigFile = Cp866Text(" Файл конфига не задан!");
constexpr const char *kUsageLine = "\n\n\r    ringcheck.exe filename.ext";
constexpr auto kBadConfigLine = Cp866Text(" Ошибка в %d строке конфига.");

constexpr auto kCannotCreate = Cp866Text(" Файл %s не может быть создан!");
constexpr auto kPerhapsTheDisk = Cp866Text(
    "\n\n\r    Возможно, не хватает места на диске %c: или старый файл занят "
    "другим \n\r    приложением.");

constexpr auto kAuthorNotice =
    Cp866Text("Проверка звонящих по АОН для BBS. Свободная программа.");

}  // namespace

void OpenStatusScreen() { OpenConsoleScreen(); }

void CloseStatusScreen() { CloseConsoleScreen(); }

void DrawWarningHeader() {
  SetAttribute(kOnRed);
  WriteFormatted("%s", kWarningSign.bytes);
  SetAttribute(kLightRed);
  WriteFormatted("%s", kAttention.bytes);
  SetAttribute(kLightGrey);
}

void DrawStatusMessage(int status) {
  switch (status) {
  case kStatusNoMailerLog:
    WriteFormatted(kLogNotFound.bytes, MessageFileName);
    WriteFormatted("%s", kCheckThePath.bytes);
    break;
  case kStatusNoUserBase:
    WriteFormatted("%s", kUserBaseError.bytes);
    WriteFormatted("%s", kCheckTheUserBase.bytes);
    break;
  case kStatusBannedNumber:
    WriteFormatted(kNumberListed.bytes, MessageFileName);
    WriteFormatted("%s", kExitingWith3.bytes);
    break;
  case kStatusExemptName:
    WriteFormatted(kNumberListed.bytes, MessageFileName);
    WriteFormatted("%s", kNotCheckedInScripts.bytes);
    break;
  case kStatusNoConfigFile:
    WriteFormatted("%s", kNoConfigFile.bytes);
    WriteFormatted("%s", kUsageLine);
    break;
  case kStatusBadConfigLine:
    WriteFormatted(kBadConfigLine.bytes, ConfigLineCount);
    break;
  default:
    break;
  }
}

void DrawCreationFailure() {
  WriteFormatted(kCannotCreate.bytes, Settings[OUTFILE]);
  WriteFormatted(kPerhapsTheDisk.bytes, Settings[TORNADOPATH][0]);
}

void DrawBanner() {
  MoveCursor(25, CursorRow() - 2);
  SetForeground(kWhite);
  WriteFormatted("R1NG");
  SetForeground(kLightBlue);
  WriteFormatted("to");
  SetForeground(kLightRedColour);
  WriteFormatted("TORNADO");
  SetForeground(kLightGreyColour);
  WriteFormatted(" v%s (win)", kRingcheckVersion);
  MoveCursor(11, CursorRow() + 1);
  WriteFormatted("%s", kAuthorNotice.bytes);
}
