// The texts of the call history in English and Russian.  Lines stay within
// 79 columns with the widest arguments the report gives them: quotes are
// cut to fit, and a call's row goes on on the next line under its column.
#include "explain/history/texts.h"

#include "explain/report/text_table.h"
#include "explain/report/texts.h"

namespace {

const char *const kEnglishTexts[] = {
    "ringcheck-explain --calls: the calls of the mailer log as ringcheck sees "
    "them;\n"
    "nothing is written.",
    "  CIDMASK %s: numbers are shown masked, as ringcheck compares them",
    "%s %s: not a date\n"
    "  write it as yyyy-mm-dd or dd.mm.yyyy, or today, yesterday or -N (N "
    "days\n"
    "  ago), with a time such as 07:00 after it if need be",
    "Calls kept: from %s to %s",
    "the first day",
    "the last day",
    "The mailer log gives no date on any line: --since and --until keep no "
    "call.",
    "Pattern %s, as a BADLIST line: %s",
    "Pattern %s is a remark as a BADLIST line: it bans nothing",
    "  only its first 15 digits, '?' and '*' count, as in BADLIST",
    "  no digit, '?' or '*' in it: the empty pattern bans one-digit numbers "
    "only",
    "  it can never match a number of %s digits, as ringcheck takes them",
    "  it bans no subscriber's own number",
    "  records whose own number it bans: %lld",
    "    record %lld %s: %s",
    "Calls in log order",
    "Calls whose number the pattern matches, in log order",
    "     Line  Time     Number    T  Conn.   Subscriber\n"
    "  (Number: as ringcheck takes it; T: its phone type digit; Conn.:\n"
    "  connected, and the errorlevel ringcheck gives it with no login)",
    "     Line  Time     Number    T  Conn.   Pat. Subscriber\n"
    "  (Number: as ringcheck takes it; T: its phone type digit; Conn.:\n"
    "  connected, and the errorlevel ringcheck gives it with no login; Pat.:\n"
    "  the errorlevel it gives with the pattern added to BADLIST)",
    "  -- %s",
    "  -- no date",
    "yes, %d",
    "yes",
    "no",
    "mail session, %s",
    "our call to %s",
    "our call out",
    "record %lld %s",
    "unknown",
    "users.tor not read",
    ", banned by BADLIST line %d",
    "banned by BADLIST line %d",
    "no caller-id line",
    "caller-id line %lld %s up",
    "caller-id line after CONNECT",
    "number voided",
    "too few digits",
    "the mask left no digit",
    "caller-id line over 254 characters",
    "a Ctrl-Z before the caller-id line",
    "caller-id line outside the last 4000 bytes",
    "IDLEN gives no number",
    "caller-id line a few lines up",
    "; it rang from %s",
    ": let in",
    ": not recognised",
    "  no call",
    "Numbers, the most calls first",
    "  Number      Calls  Conn.  Subscriber",
    "  %-9s %7lld %6lld  ",
    "  more calls, in the totals only: %lld (from numbers past the first "
    "%lld)",
    "Mail sessions by address\n"
    "  Address                    In   Out  Numbers it called from",
    "no address",
    "%5lld %5lld",
    ", and others",
    "  more mail sessions, in the totals only: %lld (from addresses past the\n"
    "  first %lld)",
    "Totals",
    "  mailer log: %lld %s, %lld %s, read whole",
    "  callers: %lld; mail sessions in: %lld; own calls out: %lld",
    "  calls: %lld; connections: %lld; not connected: %lld",
    "  connections whose number ringcheck took: %lld",
    "  connections without a number: %lld",
    "    %s: %lld",
    "  banned numbers let in: %lld",
    "  subscribers not recognised: %lld",
    "  calls from banned numbers: %lld; turned away (errorlevel 3): %lld",
    "  connections from a number no record has: %lld",
    "  mail sessions from banned numbers: %lld; from subscribers' numbers: "
    "%lld\n"
    "  (they never reach the BBS: ringcheck does not run for them)",
    "  The mailer writes the caller-id line after CONNECT in %lld of %lld\n"
    "  connections: ringcheck takes a number only from the line right "
    "before\n"
    "  CONNECT and recognises none of these callers.  Have the mailer write "
    "the\n"
    "  caller-id line right before CONNECT.",
    "  A line stands between the caller-id line and CONNECT in %lld of %lld\n"
    "  connections: ringcheck takes a number only from the line right "
    "before\n"
    "  CONNECT and recognises none of these callers.  Have the mailer write "
    "the\n"
    "  caller-id line right before CONNECT.",
    "  users.tor cannot be opened: no call has a subscriber, and a connected "
    "call\n"
    "  with a number would end with 2",
    "  the pattern would turn away %lld %s (numbers: %lld)",
    "    record %lld %s: %lld %s",
    "  connections from numbers it matches that would still get in: %lld\n"
    "  (ringcheck took no number of them)",
    "  mail sessions from numbers it matches: %lld (ringcheck does not run "
    "for\n"
    "  them)",
    "Calls by day\n"
    "  Date         Calls  Conn.  Errorlevel 3  Banned let in  No number",
    "  %-10s %7lld %6lld %13lld %14lld %10lld",
    "Calls by day (Mail: mail sessions in and out)\n"
    "  Date         Calls  Conn.  Errorlevel 3  Banned let in  No number  Mail",
    "  %-10s %7lld %6lld %13lld %14lld %10lld %5lld",
    "Calls by hour of day (# connected, - did not connect)\n"
    "  Hour  Calls  Conn.",
    "  %02d   %6lld %6lld%s",
    "ringcheck-explain: %d%% of the mailer log read",
    "the mailer log was read",
    "Not enough memory to finish the history.",
    "the history ran out of memory",
};
static_assert(OneTextAnEntry<kHistoryTextCount>(kEnglishTexts),
              "one English text an entry of HistoryText");

constexpr auto kRussianTexts = SplitRussianTexts<kHistoryTextCount>(
    "ringcheck-explain --calls: звонки из лога мейлера глазами ringcheck;\n"
    "ничего не записывается.\0"
    "  CIDMASK %s: номера показаны после маски, как их сверяет ringcheck\0"
    "%s %s: это не дата\n"
    "  укажите ГГГГ-ММ-ДД, ДД.ММ.ГГГГ, today, yesterday или -N (N дней "
    "назад),\n"
    "  если нужно, со временем, например 07:00\0"
    "Оставлены звонки с %s по %s\0"
    "первого дня\0"
    "последний день\0"
    "В логе мейлера нет дат: по --since и --until не остается ни одного "
    "звонка.\0"
    "Шаблон %s как строка BADLIST: %s\0"
    "Шаблон %s как строка BADLIST - комментарий: он ничего не запрещает\0"
    "  учитываются только первые 15 цифр, '?' и '*', как в BADLIST\0"
    "  в нем нет ни цифр, ни '?', ни '*': пустой шаблон запрещает только\n"
    "  номера из одной цифры\0"
    "  он никогда не совпадет с номером из %s цифр, как их берет ringcheck\0"
    "  собственный номер юзера он не запрещает ни у кого\0"
    "  он запрещает собственный номер у записей: %lld\0"
    "    запись %lld %s: %s\0"
    "Звонки в порядке лога\0"
    "Звонки, чей номер подходит под шаблон, в порядке лога\0"
    "   Строка  Время    Номер     К  Соед.   Юзер\n"
    "  (Номер - как его берет ringcheck; К - категория, цифра после номера;\n"
    "  Соед. - соединение и errorlevel, который дал бы ringcheck без логина)\0"
    "   Строка  Время    Номер     К  Соед.   Шаб. Юзер\n"
    "  (Номер - как его берет ringcheck; К - категория, цифра после номера;\n"
    "  Соед. - соединение и errorlevel, который дал бы ringcheck без логина;\n"
    "  Шаб. - errorlevel, если дописать шаблон в BADLIST)\0"
    "  -- %s\0"
    "  -- без даты\0"
    "да, %d\0"
    "да\0"
    "нет\0"
    "почтовая сессия %s\0"
    "наш звонок на %s\0"
    "наш звонок\0"
    "запись %lld %s\0"
    "неизвестен\0"
    "USERS.TOR не прочитан\0"
    ", запрещен строкой %d BADLIST\0"
    "запрещен строкой %d BADLIST\0"
    "нет строки АОНа\0"
    "строка АОНа на %lld %s выше\0"
    "строка АОНа после CONNECT\0"
    "номер сброшен\0"
    "мало цифр\0"
    "маска не оставила цифр\0"
    "строка АОНа длиннее 254 символов\0"
    "перед строкой АОНа Ctrl-Z\0"
    "строка АОНа вне последних 4000 байт\0"
    "IDLEN не дает номера\0"
    "строка АОНа на несколько строк выше\0"
    "; звонили с %s\0"
    ": пропущен\0"
    ": не узнан\0"
    "  звонков нет\0"
    "Номера, сначала самые частые\0"
    "  Номер      Звонки  Соед.  Юзер\0"
    "  %-9s %7lld %6lld  \0"
    "  еще звонков: %lld (номера сверх первых %lld), учтены только в итогах\0"
    "Почтовые сессии по адресам\n"
    "  Адрес                   Вход.  Исх.  С каких номеров звонил\0"
    "без адреса\0"
    "%5lld %5lld\0"
    " и другие\0"
    "  еще сессий: %lld (адреса сверх первых %lld), учтены только в итогах\0"
    "Итоги\0"
    "  лог мейлера: %lld %s, %lld %s, прочитан целиком\0"
    "  звонков на BBS: %lld; входящих сессий: %lld; наших звонков: %lld\0"
    "  звонков: %lld; соединений: %lld; без соединения: %lld\0"
    "  соединений, где ringcheck взял номер: %lld\0"
    "  соединений без номера: %lld\0"
    "    %s: %lld\0"
    "  пропущено запрещенных номеров: %lld\0"
    "  не узнано юзеров: %lld\0"
    "  звонков с номеров из BADLIST: %lld; отказано (errorlevel 3): %lld\0"
    "  соединений с номеров, которых нет в базе: %lld\0"
    "  почтовых сессий с запрещенных номеров: %lld; с номеров юзеров: %lld\n"
    "  (до BBS они не доходят, ringcheck для них не запускается)\0"
    "  Мейлер пишет строку АОНа после CONNECT: %lld из %lld соединений.\n"
    "  ringcheck берет номер только из строки прямо перед CONNECT и таких\n"
    "  звонящих не узнает. Настройте мейлер так, чтобы строка АОНа шла\n"
    "  сразу перед CONNECT.\0"
    "  Между строкой АОНа и CONNECT стоит другая строка: %lld из %lld\n"
    "  соединений. ringcheck берет номер только из строки прямо перед\n"
    "  CONNECT и таких звонящих не узнает. Настройте мейлер так, чтобы\n"
    "  строка АОНа шла сразу перед CONNECT.\0"
    "  USERS.TOR не открывается: юзеров у звонков нет, а соединение с номером\n"
    "  кончилось бы с errorlevel 2\0"
    "  шаблон отказал бы: %lld %s (номеров: %lld)\0"
    "    запись %lld %s: %lld %s\0"
    "  соединений с подходящих номеров, которые прошли бы все равно: %lld\n"
    "  (ringcheck не взял их номер)\0"
    "  почтовых сессий с подходящих номеров: %lld (ringcheck для них не\n"
    "  запускается)\0"
    "Звонки по дням\n"
    "  Дата        Звонки  Соед.    Отказ (3)   Запрещ. прошли  Без номера\0"
    "  %-10s %7lld %6lld %12lld %16lld %11lld\0"
    "Звонки по дням (Сессии - почтовые сессии, входящие и наши)\n"
    "  Дата        Звонки  Соед.    Отказ (3)   Запрещ. прошли  Без номера  "
    "Сессии\0"
    "  %-10s %7lld %6lld %12lld %16lld %11lld %7lld\0"
    "Звонки по часам (# с соединением, - без соединения)\n"
    "  Час  Звонки  Соед.\0"
    "  %02d   %6lld %6lld%s\0"
    "ringcheck-explain: прочитано %d%% лога мейлера\0"
    "лог мейлера прочитан\0"
    "Не хватило памяти, история звонков не закончена.\0"
    "не хватило памяти\0");

}  // namespace

const char *Text(HistoryText text) {
  return ReportLanguageInUse() == kRussian ? kRussianTexts[text]
                                           : kEnglishTexts[text];
}
