// The status screen as it lands in the console's cells: the warning
// header, the messages, the banner and their places, with standard output
// on the console and redirected.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "memory_console.h"
#include "run/run_status.h"
#include "run/standard_output.h"
#include "run/status_screen.h"
#include "test_files.h"

namespace {

const std::string kHeader = "▌!▐ ВНИМАНИЕ:";
const std::string kHeaderColours = "40x3 0Cx10";
const std::string kTitle = "R1NGtoTORNADO v0.3beta2 (win)";
const std::string kTitleColours = "0Fx4 09x2 0Cx7 07x16";

// Characters of a UTF-8 text, one string each.
std::vector<std::string> Characters(const std::string &utf8) {
  std::vector<std::string> characters;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    characters.push_back(utf8.substr(i, length));
    i += length;
  }
  return characters;
}

int Width(const std::string &utf8) {
  return static_cast<int>(Characters(utf8).size());
}

// The row text after text is drawn over it from column on (from 1).
std::string Over(const std::string &row, int column, const std::string &text) {
  std::vector<std::string> cells = Characters(row);
  std::vector<std::string> added = Characters(text);
  size_t at = static_cast<size_t>(column - 1);
  if (cells.size() < at + added.size())
    cells.resize(at + added.size(), " ");
  for (size_t i = 0; i < added.size(); i++)
    cells[at + i] = added[i];
  std::string joined;
  for (const std::string &cell : cells)
    joined += cell;
  return joined;
}

std::string ColourRun(const char *colours, int count) {
  return std::string(colours) + "x" + std::to_string(count);
}

// What FinishRun draws for a run whose result file was written.
void ShowFinishedRun(int status) {
  OpenStatusScreen();
  if (status != kStatusNormal) {
    WriteStandardOutput("\n\n\r");
    DrawWarningHeader();
  }
  DrawStatusMessage(status);
  WriteStandardOutput("\n\n\n\n");
  DrawBanner();
  CloseStatusScreen();
}

int RunWith(std::vector<const char *> arguments) {
  arguments.insert(arguments.begin(), "ringcheck");
  return RunRingcheck(static_cast<int>(arguments.size()), arguments.data());
}

// The notice under the title: one line, starting at column 11.
void ExpectNoticeOn(MemoryConsole &console, int row) {
  std::string notice = console.Row(row);
  EXPECT_EQ(notice.substr(0, 10), std::string(10, ' '));
  EXPECT_NE(notice[10], ' ');
  EXPECT_EQ(console.CursorRow(), row);
  EXPECT_EQ(console.CursorColumn(), Width(notice) + 1);
  EXPECT_EQ(console.Colours(row), ColourRun("07", Width(notice)));
}

struct StatusScreen {
  int status;
  const char *file;  // what MessageFileName is made from
  std::string first;
  std::string second;
};

const StatusScreen kStatusScreens[] = {
    {1, "C:\\FD\\T-Mail.log", " Файл T-Mail.log не найден.",
     "    Проверьте правильно ли прописан путь в конфиге."},
    {2, "", " Ошибка в USER.TOR!",
     "    Проверьте работоспособность базы данных юзеров."},
    {3, "BadPhone.lst", " Номер находится в BadPhone.lst!",
     "    Выходим с еррорливелом 3."},
    {4, "D:\\BBS\\GoodPhone.lst", " Номер находится в GoodPhone.ls!",
     "    Проверка телефона в скриптах производиться не будет."},
};

TEST(StatusScreen, EachStatusWithStandardOutputOnTheConsole) {
  for (const StatusScreen &expected : kStatusScreens) {
    SCOPED_TRACE(expected.status);
    MemoryConsole console(80, 25, StandardOutput::kOnConsole);
    RememberFileName(expected.file);
    ShowFinishedRun(expected.status);
    EXPECT_EQ(console.Row(3), kHeader + expected.first);
    EXPECT_EQ(console.Colours(3),
              kHeaderColours + " " + ColourRun("07", Width(expected.first)));
    EXPECT_EQ(console.Row(5), expected.second);
    // Two rows up from where the line feeds left the cursor.
    EXPECT_EQ(console.Row(7), std::string(24, ' ') + kTitle);
    EXPECT_EQ(console.Colours(7), "07x24 " + kTitleColours);
    ExpectNoticeOn(console, 8);
    for (int row : {1, 2, 4, 6, 9})
      EXPECT_EQ(console.Row(row), "") << row;
    EXPECT_EQ(console.StandardOutputBytes(), "\n\n\r\n\n\n\n");
  }
}

TEST(StatusScreen, EachStatusWithStandardOutputRedirected) {
  for (const StatusScreen &expected : kStatusScreens) {
    SCOPED_TRACE(expected.status);
    MemoryConsole console(80, 25, StandardOutput::kRedirected);
    console.Type("C:\\BBS>");
    RememberFileName(expected.file);
    ShowFinishedRun(expected.status);
    // The header follows the prompt; the banner goes two rows above the
    // cursor, over the message.
    EXPECT_EQ(console.Row(1),
              Over("C:\\BBS>" + kHeader + expected.first, 25, kTitle));
    EXPECT_EQ(console.Colours(1),
              "07x7 " + kHeaderColours + " 07x4 " + kTitleColours);
    ExpectNoticeOn(console, 2);
    EXPECT_EQ(console.Row(3), expected.second);
    EXPECT_EQ(console.StandardOutputBytes(), "\n\n\r\n\n\n\n");
  }
}

TEST(StatusScreen, ANormalEndShowsOnlyTheBanner) {
  {
    MemoryConsole console(80, 25, StandardOutput::kOnConsole);
    ShowFinishedRun(kStatusNormal);
    EXPECT_EQ(console.Row(3), std::string(24, ' ') + kTitle);
    ExpectNoticeOn(console, 4);
  }
  {
    // Two rows above the prompt's row is off the screen: the title then
    // starts at the cursor.
    MemoryConsole console(80, 25, StandardOutput::kRedirected, 0x1F);
    console.Type("C:\\BBS>");
    ShowFinishedRun(kStatusNormal);
    EXPECT_EQ(console.Row(1), "C:\\BBS>" + kTitle);
    // SetForeground keeps the console's own blue background.
    EXPECT_EQ(console.Colours(1), "1Fx11 19x2 1Cx7 17x16");
    EXPECT_EQ(console.CursorRow(), 2);
    EXPECT_EQ(console.Row(2).substr(0, 12), std::string(10, ' ') + "П");
  }
}

TEST(StatusScreen, NoConfigurationFileShowsTheUsageLineAndTheBanner) {
  {
    MemoryConsole console(80, 25, StandardOutput::kOnConsole);
    EXPECT_EQ(RunWith({}), 5);
    EXPECT_EQ(console.Row(3), kHeader + " Файл конфига не задан!");
    EXPECT_EQ(console.Row(5), "    ringcheck.exe filename.ext");
    EXPECT_EQ(console.Row(7), std::string(24, ' ') + kTitle);
    ExpectNoticeOn(console, 8);
  }
  {
    MemoryConsole console(80, 25, StandardOutput::kRedirected);
    console.Type("C:\\BBS>");
    EXPECT_EQ(RunWith({}), 5);
    EXPECT_EQ(console.Row(1), "C:\\BBS>" + kHeader + " Фай" + kTitle);
    EXPECT_EQ(console.Row(3), "    ringcheck.exe filename.ext");
    ExpectNoticeOn(console, 2);
    EXPECT_EQ(console.StandardOutputBytes(), "\n\n\r\n\n\n\n");
  }
}

TEST(StatusScreen, AtTheBottomRowTheLineFeedsScrollTheConsole) {
  MemoryConsole console(80, 25, StandardOutput::kOnConsole);
  console.Type(std::string(24, '\n') + "C:\\BBS>");
  EXPECT_EQ(RunWith({}), 5);
  EXPECT_EQ(console.Row(17), "C:\\BBS>");
  EXPECT_EQ(console.Row(19), kHeader + " Файл конфига не задан!");
  EXPECT_EQ(console.Row(21), "    ringcheck.exe filename.ext");
  EXPECT_EQ(console.Row(23), std::string(24, ' ') + kTitle);
  ExpectNoticeOn(console, 24);
  EXPECT_EQ(console.Row(25), "");
}

// Runs in a directory of its own: the relative paths of the configuration
// file are taken from the working directory.
class InStation {
 public:
  InStation() : saved(getcwd(nullptr, 0)) {
    EXPECT_EQ(chdir(station.path.c_str()), 0);
  }
  ~InStation() {
    EXPECT_EQ(chdir(saved), 0);
    free(saved);
  }
  TempDir station;

 private:
  char *saved;
};

TEST(StatusScreen, BadConfigurationLinesWarnAndAResultFileThatCannotBeMade) {
  InStation in;
  // An empty mailer log: no caller, a normal end, whose result file has no
  // directory to go to.
  WriteFileBytes(in.station / "T-Mail.log", "");
  WriteFileBytes(in.station / "ring.cfg",
                 "TORNADOPATH nowhere\\\r\nNONSENSE\r\n; fine\r\n"
                 "COLOUR blue\r\n");
  MemoryConsole console(80, 25, StandardOutput::kOnConsole);
  EXPECT_EQ(RunWith({"ring.cfg"}), 7);
  EXPECT_EQ(console.Row(3), kHeader + " Ошибка в 2 строке конфига.");
  // The second warning two rows below the end of the first; the failure
  // to create the result file follows it without a header of its own.
  EXPECT_EQ(console.Row(5), kHeader + " Ошибка в 4 строке конфига." +
                                " Файл aon.tmp не может быть создан!");
  EXPECT_EQ(console.Colours(5), kHeaderColours + " 07x62");
  EXPECT_EQ(console.Row(7),
            "    Возможно, не хватает места на диске N: или старый файл "
            "занят другим");
  EXPECT_EQ(console.Row(8), "    приложением.");
  EXPECT_EQ(console.Row(10), std::string(24, ' ') + kTitle);
  ExpectNoticeOn(console, 11);
  EXPECT_EQ(console.StandardOutputBytes(), "\n\n\r\n\n\r\n\n\n\n");
}

}  // namespace
