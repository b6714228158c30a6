// The texts of the audit of the user base in English and Russian.  Lines stay within
// 79 columns with the widest arguments the report gives them: quotes are
// cut to fit.
#include "explain/audit/texts.h"

#include "explain/report/text_table.h"
#include "explain/report/texts.h"

namespace {

const char *const kEnglishTexts[] = {
    "ringcheck-explain --users: an audit of the user base; nothing is written.",
    "  a phone counts by its last %d %s (IDLEN %s)",
    "  IDLEN %s%s: %lld %s, where 1 to 9 fit;\n"
    "  no call's number is ever taken, so ringcheck recognises no caller",
    "  IDLEN %s leaves a call's number no digit: ringcheck recognises no "
    "caller",
    "  CIDMASK %s masks a call's number; phones are audited by IDLEN alone",
    "  records a call can recognise: %lld (a phone of IDLEN digits or more)",
    "Records no call can recognise (no phone of IDLEN digits): %lld",
    "  record %lld %s: phones %s and %s",
    "Numbers several records share: %lld",
    "  %s: a call from it is taken as record %lld %s",
    "    record %lld %s: exempt in GOODLIST, let in (errorlevel 4)",
    "    record %lld %s: the same name, so let in as record %lld",
    "    record %lld %s: let in, as record %lld has no name",
    "    record %lld %s: not in GOODLIST, refused by the sample scripts",
    "    record %lld %s: refused, as the number is banned (errorlevel 3)",
    "  A later record's login in GOODLIST lets it in from the shared line, "
    "but\n"
    "  its phone is then not checked at all.",
    "Records whose own number BADLIST bans (their calls end with 3): %lld",
    "  record %lld %s, %s: line %d %s",
    "GOODLIST lines that name no record (a guest or a misspelt name): %lld",
    "  line %d %s",
    "Not enough memory to finish the audit.",
    "users.tor changed while it was read: run the audit again.",
    "the user base was read",
    "the audit ran out of memory",
};
static_assert(OneTextAnEntry<kAuditTextCount>(kEnglishTexts),
              "one English text an entry of AuditText");

constexpr auto kRussianTexts = SplitRussianTexts<kAuditTextCount>(
    "ringcheck-explain --users: проверка базы юзеров, ничего не записывается.\0"
    "  телефон сравнивается по %d %s с конца (IDLEN %s)\0"
    "  IDLEN %s%s дает номер из %lld %s, а можно от 1 до 9;\n"
    "  номер звонящего не берется никогда, ringcheck не находит ни одного юзера\0"
    "  IDLEN %s не оставляет номеру ни одной цифры: ringcheck не находит\n"
    "  ни одного юзера\0"
    "  CIDMASK %s меняет номер звонящего, а телефоны сверяются без маски\0"
    "  находятся по АОНу: %lld (есть телефон не короче IDLEN цифр)\0"
    "Записи, которых по АОНу не найти (нет телефона из IDLEN цифр): %lld\0"
    "  запись %lld %s: телефоны %s и %s\0"
    "Номера, общие для нескольких записей: %lld\0"
    "  %s: ringcheck берет запись %lld %s\0"
    "    запись %lld %s: логин в GOODLIST, пускается (errorlevel 4)\0"
    "    запись %lld %s: то же имя, пускается как запись %lld\0"
    "    запись %lld %s: пускается, у записи %lld нет имени\0"
    "    запись %lld %s: нет в GOODLIST, скрипты из примера не пустят\0"
    "    запись %lld %s: не пускается, номер запрещен (errorlevel 3)\0"
    "  Логин в GOODLIST пускает такого юзера с общей линии, но его телефон\n"
    "  тогда не проверяется вовсе.\0"
    "Записи, чей номер запрещен в BADLIST (звонок кончится с errorlevel 3): %lld\0"
    "  запись %lld %s, %s: строка %d %s\0"
    "Строки GOODLIST без записи в базе (гость или опечатка в имени): %lld\0"
    "  строка %d %s\0"
    "Не хватило памяти, проверка не закончена.\0"
    "USERS.TOR изменился во время проверки: запустите ее еще раз.\0"
    "база юзеров прочитана\0"
    "не хватило памяти\0");

}  // namespace

const char *Text(AuditText text) {
  return ReportLanguageInUse() == kRussian ? kRussianTexts[text]
                                           : kEnglishTexts[text];
}
