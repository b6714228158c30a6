// The texts of the call history in English and Russian.  Lines stay within
// 79 columns with the widest arguments the report gives them: quotes are
// cut to fit.
#include "explain/history/texts.h"

#include "explain/report/text_table.h"
#include "explain/report/texts.h"

namespace {

const char *const kEnglishTexts[] = {
    "ringcheck-explain --calls: the calls of the mailer log as ringcheck sees "
    "them;\n"
    "nothing is written.",
    "  CIDMASK %s: numbers are shown masked, as ringcheck compares them",
    "Pattern %s, as a BADLIST line: %s",
    "Pattern %s is a remark as a BADLIST line: it bans nothing",
    "  only its first 15 digits, '?' and '*' count, as in BADLIST",
    "  no digit, '?' or '*' in it: the empty pattern bans one-digit numbers "
    "only",
    "  it bans no subscriber's own number",
    "  it bans the own number of %lld records:",
    "    record %lld %s: %s",
    "Calls in log order",
    "Calls whose number the pattern matches, in log order",
    "     Line  Time       Number    T  Conn.   Subscriber\n"
    "  (Conn.: connected, and the errorlevel ringcheck gives it with no "
    "login)",
    "yes, %d",
    "no",
    "record %lld %s",
    "unknown",
    "users.tor not read",
    ", banned by line %d",
    "no caller-id line right before",
    "the caller-id line is %lld %s up",
    "voided",
    "too few digits",
    "the mask left no digit",
    "cut off by the 4000-byte tail or a Ctrl-Z",
    "IDLEN gives no number",
    "  no call",
    "Numbers, the most calls first",
    "  Number      Calls  Conn.  Subscriber",
    "  %-9s %7lld %6lld  %s%s%s",
    "  %lld calls from numbers past the first %lld are in the totals only",
    "Totals",
    "  mailer log: %lld %s, %lld %s, read whole",
    "  calls: %lld; connected: %lld; did not connect: %lld",
    "  connected with a number ringcheck takes: %lld",
    "  connected without a number: %lld",
    "    %s: %lld",
    "  calls banned by BADLIST: %lld, of them connected: %lld (errorlevel 3)",
    "  connected from a number no record has: %lld",
    "  did not connect, with CONNECT 2 to 5 lines below the caller-id line: "
    "%lld",
    "  Note: %lld connections have their caller-id line a few lines above\n"
    "  CONNECT.  ringcheck takes a number only from the line right before\n"
    "  CONNECT, so these callers go unrecognised: have the mailer write the\n"
    "  caller-id line right before CONNECT.",
    "  users.tor cannot be opened: no call has a subscriber, and a connected "
    "call\n"
    "  with a number would end with 2",
    "Calls by hour of day (# connected, - did not connect)\n"
    "  Hour  Calls  Conn.",
    "  %02d   %6lld %6lld%s",
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
    "Шаблон %s как строка BADLIST: %s\0"
    "Шаблон %s в BADLIST был бы комментарием: он ничего не запрещает\0"
    "  учитываются только первые 15 цифр, '?' и '*', как в BADLIST\0"
    "  в нем нет ни цифр, ни '?', ни '*': пустой шаблон запрещает только\n"
    "  номера из одной цифры\0"
    "  собственный номер юзера он не запрещает ни у кого\0"
    "  он запрещает собственный номер у записей: %lld\0"
    "    запись %lld %s: %s\0"
    "Звонки по порядку лога\0"
    "Звонки, чей номер подходит под шаблон, по порядку лога\0"
    "   Строка  Время      Номер     К  Соед.   Юзер\n"
    "  (Соед.: соединение и errorlevel, который дал бы ringcheck без логина)\0"
    "да, %d\0"
    "нет\0"
    "запись %lld %s\0"
    "неизвестен\0"
    "USERS.TOR не прочитан\0"
    ", запрещен строкой %d\0"
    "строки АОНа прямо перед CONNECT нет\0"
    "строка АОНа на %lld %s выше\0"
    "номер сброшен\0"
    "мало цифр\0"
    "маска не оставила цифр\0"
    "строку АОНа отрезал конец в 4000 байт или Ctrl-Z\0"
    "IDLEN не дает номера\0"
    "  звонков нет\0"
    "Номера, сначала самые частые\0"
    "  Номер      Звонки  Соед.  Юзер\0"
    "  %-9s %7lld %6lld  %s%s%s\0"
    "  еще звонков: %lld (номера сверх первых %lld), учтены только в итогах\0"
    "Итоги\0"
    "  лог мейлера: %lld %s, %lld %s, прочитан целиком\0"
    "  звонков: %lld; с соединением: %lld; без соединения: %lld\0"
    "  соединений с номером, который берет ringcheck: %lld\0"
    "  соединений без номера: %lld\0"
    "    %s: %lld\0"
    "  звонков с номером из BADLIST: %lld\n"
    "  из них соединений (errorlevel 3): %lld\0"
    "  соединений с номеров, которых нет в базе: %lld\0"
    "  без соединения, но CONNECT на 2-5 строк ниже строки АОНа: %lld\0"
    "  Внимание: соединений, где строка АОНа стоит на несколько строк выше\n"
    "  CONNECT: %lld. ringcheck берет номер только из строки прямо перед\n"
    "  CONNECT и таких звонящих не узнает: настройте мейлер так, чтобы\n"
    "  строка АОНа шла сразу перед CONNECT.\0"
    "  USERS.TOR не открывается: юзеров у звонков нет, а соединение с номером\n"
    "  кончилось бы с errorlevel 2\0"
    "Звонки по часам (# с соединением, - без соединения)\n"
    "  Час  Звонки  Соед.\0"
    "  %02d   %6lld %6lld%s\0"
    "лог мейлера прочитан\0"
    "Не хватило памяти, история звонков не закончена.\0"
    "не хватило памяти\0");

}  // namespace

const char *Text(HistoryText text) {
  return ReportLanguageInUse() == kRussian ? kRussianTexts[text]
                                           : kEnglishTexts[text];
}
