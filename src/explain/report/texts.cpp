// The report's language, chosen once before the first line, and the
// texts every report shares.  Lines stay within 79 columns with the widest
// arguments the report gives them: quotes are cut to fit.  The Russian
// texts are in the words of the status screen and the Russian guide.
#include "explain/report/texts.h"

#include <cstdlib>
#include <cstring>

#include "explain/report/text_table.h"
#include "platform/language.h"

namespace {

ReportLanguage language = kEnglish;

const char *const kEnglishTexts[] = {
    "Configuration file %s",
    "  found as %s",
    "  not found",
    "No configuration file given: ringcheck needs one.",
    "Usage: ringcheck-explain CONFIG-FILE [--] [\"LOGIN NAME\"]\n"
    "       ringcheck-explain --users CONFIG-FILE\n"
    "       ringcheck-explain --calls [--csv[=;]] [--since DATE] "
    "[--until DATE]\n"
    "                         CONFIG-FILE [PATTERN]\n"
    "       ringcheck-explain --calls --netmail DIR --address ADDR "
    "[--to NAME]\n"
    "                         [--to-address ADDR2] [--since DATE] "
    "[--until DATE]\n"
    "                         CONFIG-FILE [PATTERN]\n"
    "       ringcheck-explain --help\n"
    "  CONFIG-FILE  the configuration file, as the BBS script gives it to "
    "ringcheck\n"
    "  LOGIN NAME   the name the caller logged in with; may be left out; "
    "after --\n"
    "               when it begins like a switch\n"
    "  --users      (or /users) audits the user base instead of a call\n"
    "  --calls      (or /calls) lists the calls of the whole mailer log\n"
    "  --help       (or /?, -h, -?) shows this help\n"
    "Run it in the directory the script runs ringcheck in: relative paths in "
    "the\n"
    "configuration count from there.",
    "  cannot be opened",
    "Mailer log %s",
    "  cannot be opened",
    " and one for the phone type",
    "User base %s",
    "  cannot be opened",
    "  records: %lld",
    "Banned numbers, BADLIST %s",
    "Exempt names, GOODLIST %s",
    "  opened",
    "  missing: nobody is singled out by it",
    "Outcome",
    "  exit code %d: %s",
    "  that is %s",
    "normal end",
    "the mailer log cannot be opened",
    "the user base cannot be opened",
    "the caller's number is banned",
    "the login name is exempt",
    "no configuration file",
    "ringcheck-explain: a dry run of ringcheck.  It reads the same files, runs "
    "the\n"
    "same checks and tells why a call came out as it did.  It writes "
    "nothing\n"
    "but the netmail message that --calls --netmail asks for.",
    "Language: RINGCHECK_LANG=ru or RINGCHECK_LANG=en; otherwise the user's "
    "own\n"
    "(the UI language on Windows; LC_ALL, LC_MESSAGES or LANG elsewhere).",
    "Exit code (errorlevel): the one ringcheck would give.",
    "  %d  %s",
    "ringcheck also gives 7 when it cannot write its result file; the dry "
    "run\n"
    "writes none.",
    "--users CONFIG-FILE (or /users) audits the user base instead of a call: "
    "the\n"
    "records no call can recognise, the numbers several records share and "
    "which\n"
    "record a call from one is taken as, the records whose own number "
    "BADLIST\n"
    "bans, and the GOODLIST lines that name no record.  It exits with 0 when "
    "the\n"
    "base was read, 2 or 5 as ringcheck would, 6 when memory runs out.",
    "  bad lines: %d (a dry run of a call shows them)",
    "  entries: %lld",
    "--calls CONFIG-FILE [PATTERN] (or /calls) lists every call of the whole "
    "mailer\n"
    "log, with its date and time, as ringcheck sees it: the number, the "
    "subscriber\n"
    "it is taken as, the BADLIST line that bans it, the errorlevel of a "
    "connection\n"
    "with no login, and where ringcheck takes no number, why and whose the "
    "call's\n"
    "own caller-id line says it was; then the numbers, the totals, the days "
    "and\n"
    "the hours.  PATTERN, written as a BADLIST line, keeps the calls it "
    "matches\n"
    "and says what it would turn away.  --since DATE and --until DATE "
    "(yyyy-mm-dd,\n"
    "dd.mm.yyyy, today, yesterday or -N for N days ago, a time after it if "
    "need be:\n"
    "\"yesterday 07:00\") keep the calls of those days, from the time of "
    "--since on\n"
    "and before the time of --until; --csv gives one CSV row a call in "
    "UTF-8\n"
    "instead, --csv=; with ; between the fields.  --netmail DIR writes the "
    "history\n"
    "as one netmail message into the folder DIR instead, from the station's "
    "own\n"
    "--address ADDR to --to NAME (Sysop) at --to-address ADDR2 (ADDR).  The "
    "switches\n"
    "may stand anywhere; -- ends them.  It exits with 0 when the log was "
    "read, 1, 2\n"
    "or 5 as ringcheck would, 5 for a switch it does not know or a date it "
    "cannot\n"
    "read, 6 when memory runs out, 7 when the message cannot be written.",
    "none",
    "byte|bytes|bytes",
    "line|lines|lines",
    "line|lines|lines",
    "digit|digits|digits",
    "digit|digits|digits",
    "digit|digits|digits",
    "  records: %lld, more than a report can number (at most %lld)",
    "users.tor has more records than a report can number",
    "connection|connections|connections",
    "Unknown switch %s.",
    "The switch %s needs a value after it.",
    "the command line was refused",
    "The argument %s has no place on the command line.",
    "The switches %s and %s cannot go together.",
    "The switch %s needs --%s beside it.",
    "The switch %s wants one separator character after = or :.",
};
static_assert(OneTextAnEntry<kReportTextCount>(kEnglishTexts),
              "one English text an entry of ReportText");

constexpr auto kRussianTexts = SplitRussianTexts<kReportTextCount>(
    "Конфиг %s\0"
    "  найден: %s\0"
    "  не найден\0"
    "Конфиг не задан, а без него ringcheck не работает.\0"
    "Запуск: ringcheck-explain КОНФИГ [--] [\"ЛОГИН\"]\n"
    "        ringcheck-explain --users КОНФИГ\n"
    "        ringcheck-explain --calls [--csv[=;]] [--since ДАТА] "
    "[--until ДАТА]\n"
    "                          КОНФИГ [ШАБЛОН]\n"
    "        ringcheck-explain --calls --netmail КАТАЛОГ --address АДРЕС\n"
    "                          [--to ИМЯ] [--to-address АДРЕС2] "
    "[--since ДАТА]\n"
    "                          [--until ДАТА] КОНФИГ [ШАБЛОН]\n"
    "        ringcheck-explain --help\n"
    "  КОНФИГ   файл конфигурации, тот же, что скрипт BBS передает ringcheck\n"
    "  ЛОГИН    имя, под которым вошел звонящий; можно не указывать; если оно\n"
    "           начинается как ключ, ставьте перед ним --\n"
    "  --users  (или /users) проверить базу юзеров, а не звонок\n"
    "  --calls  (или /calls) показать звонки из всего лога мейлера\n"
    "  --help   (или /?, -h, -?) эта справка\n"
    "Запускайте из того каталога, где скрипт запускает ringcheck:\n"
    "относительные пути в конфиге отсчитываются от него.\0"
    "  не открывается\0"
    "Лог мейлера %s\0"
    "  не открывается\0"
    " и одна на категорию\0"
    "База юзеров %s\0"
    "  не открывается\0"
    "  записей: %lld\0"
    "Запрещенные номера, BADLIST %s\0"
    "Исключения, GOODLIST %s\0"
    "  открыт\0"
    "  нет файла: проверка не делается\0"
    "Итог\0"
    "  errorlevel %d: %s\0"
    "  это %s\0"
    "нормальное завершение\0"
    "лог мейлера не открывается\0"
    "база юзеров не открывается\0"
    "номер звонящего запрещен\0"
    "логин в списке исключений\0"
    "нет конфига\0"
    "ringcheck-explain: пробный прогон ringcheck.  Читает те же файлы, делает\n"
    "те же проверки и объясняет, почему звонок обработан так, а не иначе.\n"
    "Ничего не записывает, кроме письма нетмейлом по --calls --netmail.\0"
    "Язык: RINGCHECK_LANG=ru или RINGCHECK_LANG=en, иначе язык пользователя\n"
    "(язык интерфейса Windows; в POSIX - LC_ALL, LC_MESSAGES или LANG).\0"
    "Код возврата (errorlevel) - тот же, что дал бы ringcheck:\0"
    "  %d  %s\0"
    "ringcheck дает еще 7, если не смог записать файл результата; пробный\n"
    "прогон его не пишет.\0"
    "--users КОНФИГ (или /users) проверяет базу юзеров, а не звонок: какие\n"
    "записи по АОНу не найти, какие номера общие у нескольких записей и\n"
    "какой записью считается звонок с такого номера, чей номер запрещен в\n"
    "BADLIST и какие строки GOODLIST не совпадают ни с одним юзером. Код\n"
    "возврата 0, если база прочитана; 2 и 5 - как у ringcheck; 6, если не\n"
    "хватило памяти.\0"
    "  ошибочных строк: %d (их покажет пробный прогон звонка)\0"
    "  строк: %lld (без комментариев)\0"
    "--calls КОНФИГ [ШАБЛОН] (или /calls) показывает все звонки из лога\n"
    "мейлера с датой и временем так, как их видит ringcheck: номер, юзера,\n"
    "которым считается звонок, строку BADLIST, которая его запрещает,\n"
    "errorlevel соединения без логина, а если ringcheck номер не взял - "
    "почему\n"
    "и чей номер в строке АОНа этого звонка; потом номера, итоги, дни и "
    "часы.\n"
    "ШАБЛОН, записанный как строка BADLIST, оставляет подходящие звонки и\n"
    "говорит, кому он отказал бы. --since ДАТА и --until ДАТА (ГГГГ-ММ-ДД,\n"
    "ДД.ММ.ГГГГ, today, yesterday или -N - N дней назад, если нужно, со\n"
    "временем: \"yesterday 07:00\") оставляют звонки этих дней, начиная со\n"
    "времени --since и до времени --until; с --csv - строка CSV на звонок, в\n"
    "UTF-8, с --csv=; - поля через \";\". --netmail КАТАЛОГ вместо этого "
    "пишет\n"
    "отчет одним письмом нетмейла в КАТАЛОГ: от --address АДРЕС (адрес\n"
    "станции) для --to ИМЯ (Sysop) на --to-address АДРЕС2 (АДРЕС). Ключи "
    "можно\n"
    "ставить в любом месте, -- их заканчивает. Код возврата 0, если лог\n"
    "прочитан; 1, 2 и 5 - как у ringcheck; 5 и при неизвестном ключе или\n"
    "неверной дате; 6, если не хватило памяти; 7, если письмо не записать.\0"
    "нет\0"
    "байт|байта|байт\0"
    "строка|строки|строк\0"
    "строку|строки|строк\0"
    "цифру|цифры|цифр\0"
    "цифры|цифр|цифр\0"
    "цифре|цифрам|цифрам\0"
    "  записей: %lld, больше, чем может учесть отчет (не больше %lld)\0"
    "в USERS.TOR больше записей, чем может учесть отчет\0"
    "соединение|соединения|соединений\0"
    "Неизвестный ключ %s.\0"
    "После ключа %s нужно значение.\0"
    "командная строка не принята\0"
    "Лишний аргумент %s.\0"
    "Ключи %s и %s вместе не задаются.\0"
    "К ключу %s нужен еще ключ --%s.\0"
    "Ключ %s: после = или : нужен один символ-разделитель.\0");

// RINGCHECK_LANG names a language only as ru or en, in either letter case,
// as a Windows user may type it; any other value is no choice at all.
bool OverrideNames(const char *value, const char *name) {
  return value != nullptr && strlen(value) == 2 &&
         (value[0] | 0x20) == name[0] && (value[1] | 0x20) == name[1];
}

}  // namespace

void UseReportLanguage(ReportLanguage chosen) { language = chosen; }

ReportLanguage ReportLanguageInUse() { return language; }

ReportLanguage ChooseReportLanguage() {
  const char *value = getenv("RINGCHECK_LANG");
  if (OverrideNames(value, "ru"))
    return kRussian;
  if (OverrideNames(value, "en"))
    return kEnglish;
  return OsUserReadsRussian() ? kRussian : kEnglish;
}

const char *Text(ReportText text) {
  return language == kRussian ? kRussianTexts[text] : kEnglishTexts[text];
}

const char *StatusMeaning(int status) {
  return Text(static_cast<ReportText>(kStatus0 + status));
}

const char *CountForm(long long count, ReportText forms) {
  static char chosen[4][32];
  static int next = 0;
  long long units = count % 10;
  long long tens = count % 100;
  int form = 2;
  if (language == kEnglish)
    form = count == 1 ? 0 : 1;
  else if (units == 1 && tens != 11)
    form = 0;
  else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
    form = 1;
  const char *text = Text(forms);
  for (; form > 0 && *text != '\0'; text++)
    if (*text == '|')
      form--;
  char *result = chosen[next];
  next = (next + 1) % 4;
  size_t length = strcspn(text, "|");
  if (length > sizeof chosen[0] - 1)
    length = sizeof chosen[0] - 1;
  memcpy(result, text, length);
  result[length] = '\0';
  return result;
}
