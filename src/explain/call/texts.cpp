// The texts of the dry run of a call in English and Russian.  Lines stay within
// 79 columns with the widest arguments the report gives them: quotes are
// cut to fit.
#include "explain/call/texts.h"

#include "explain/report/text_table.h"
#include "explain/report/texts.h"

namespace {

const char *const kEnglishTexts[] = {
    "ringcheck-explain: a dry run of ringcheck; nothing is written.",
    "Login name: %s",
    "Login name: none on the command line",
    "  line %d: %s",
    "    bad: no space between a key and a value",
    "    bad: the first word is none of the nine keys",
    "    bad: an empty line (a remark needs a ';')",
    "  %-11s line %-5d %s",
    "  %-11s default    %s",
    "  %lld %s; the tail read begins at byte %lld",
    "  %lld %s, read whole",
    "  marker %s, separators %s",
    "  %lld digits wanted (IDLEN %s%s)",
    "  line %lld: %s",
    "    caller id: took %s, all %lld digits",
    "    caller id: in place of %s",
    "    caller id: the line ended after %lld of %lld digits",
    "    caller id: no digit here; the number stays %s",
    "    caller id: voided by %s at column %d",
    "    caller id: voided by the line's end at column %d",
    "    caller id: voided at column %d: the text ends there, with no line "
    "feed\n"
    "    (the end of the file, a Ctrl-Z or a NUL byte)",
    "    caller id: voided at column %d: a line longer than 255 characters is "
    "cut\n"
    "    there, and the rest is read as a line of its own",
    "    CONNECT: keeps the number %s",
    "    CONNECT: empties the number %s (the line above stored no digit)",
    "    CONNECT: no number to keep",
    "  lines read: %lld",
    "  caller's number: %s",
    "  caller's number: empty, %s",
    "no caller-id line in the part read",
    "a number of %lld %s cannot be taken (1 to 9 fit)",
    "the last caller-id line gave %d %s of %lld",
    "voided on line %lld",
    "emptied by the CONNECT line on line %lld",
    "line %lld, the last caller-id line, had no digit",
    "  phone type: %s",
    "  phone type: none, TYPEPHONE is not YES",
    "  phone type: none, as there is no number",
    "  CONNECT line: line %lld, %s",
    "  CONNECT line: empty, no CONNECT line in the part read",
    "  CONNECT line: empty, the one on line %lld lies %lld %s up (10 at most)",
    "Mask: none, CIDMASK is empty",
    "Mask %s: %s before, %s after",
    "  record %lld matches (index %lld from 0):",
    "    name        %s",
    "    field 534   %s",
    "    field 373   %s",
    "  record %lld has the number too: %s",
    "  a call from it is taken as record %lld, the first: the lookup stops "
    "there",
    "  the login is record %lld's name, yet the call is taken as record %lld",
    "  the records after it cannot be read: users.tor no longer opens",
    "  no record has the phone %s",
    "User base: not looked at, as there is no caller's number",
    "  lines read: %d",
    "  line %d bans the number: %s",
    "  line %d exempts the login name: %s",
    "  no line bans %s",
    "  no line is the login name %s",
    "  record %lld shares the line of record %lld: as its login is exempt, "
    "the\n"
    "  call ends with 4 and its phone is not checked at all",
    "  record %lld shares the line of record %lld and its login is not "
    "exempt:\n"
    "  the sample scripts refuse the call, as the result file names record "
    "%lld",
    "  Its login in GOODLIST lets it in from the shared line, but then its "
    "phone\n"
    "  is not checked at all.",
    "Banned numbers: not checked, as there is no caller's number",
    "Exempt names: not checked, as no subscriber matched",
    "Exempt names: not checked, as the command line gives no login name",
    "  the result file %s would hold:",
    "    %d %s",
    "    (line 7 has no line end)",
    "  no result file would be written",
    "  Note: the command line came in code page %u, but the lists are read "
    "as\n"
    "  866: a name typed in %u matches no list line written in 866.",
    "Login name: empty (\"\" on the command line)",
    "  this line is a blank line or an indented remark: it exempts every\n"
    "  caller whose login name arrives empty",
    "IDLEN %s leaves the number no digit;\n"
    "  the one digit taken is the phone type",
    "  mail session, %s, not the BBS: this result would go unused",
    "  our call to %s, not the BBS: this result would go unused",
    "  our own call, not the BBS: this result would go unused",
};
static_assert(OneTextAnEntry<kCallTextCount>(kEnglishTexts),
              "one English text an entry of CallText");

constexpr auto kRussianTexts = SplitRussianTexts<kCallTextCount>(
    "ringcheck-explain: пробный прогон ringcheck, ничего не записывается.\0"
    "Логин: %s\0"
    "Логин: в командной строке не задан\0"
    "  строка %d: %s\0"
    "    ошибка: между ключом и значением нет пробела\0"
    "    ошибка: неизвестный ключ\0"
    "    ошибка: пустая строка (комментарий начинается с ';')\0"
    "  %-11s строка %-6d %s\0"
    "  %-11s по умолчанию  %s\0"
    "  размер %lld %s, читается конец с байта %lld\0"
    "  размер %lld %s, читается целиком\0"
    "  метка %s, разделители %s\0"
    "  нужно цифр: %lld (IDLEN %s%s)\0"
    "  строка %lld: %s\0"
    "    АОН: взят номер %s, все цифры (%lld)\0"
    "    АОН: вместо прежнего %s\0"
    "    АОН: строка кончилась, взято цифр: %lld из %lld\0"
    "    АОН: цифр нет, номер остается %s\0"
    "    АОН: номер сброшен символом %s, колонка %d\0"
    "    АОН: номер сброшен концом строки, колонка %d\0"
    "    АОН: номер сброшен в колонке %d: там текст кончается без перевода\n"
    "    строки (конец файла, байт Ctrl-Z или NUL)\0"
    "    АОН: номер сброшен в колонке %d: строка длиннее 255 символов\n"
    "    режется здесь, остаток читается отдельной строкой\0"
    "    CONNECT: номер %s остается\0"
    "    CONNECT: номер %s сброшен (строка над ней цифр не дала)\0"
    "    CONNECT: номера нет\0"
    "  прочитано строк: %lld\0"
    "  номер звонящего: %s\0"
    "  номер звонящего: пусто, %s\0"
    "в прочитанной части нет строки АОНа\0"
    "номер из %lld %s взять нельзя (можно от 1 до 9)\0"
    "последняя строка АОНа дала %d %s из %lld\0"
    "сброшен в строке %lld\0"
    "сброшен строкой CONNECT в строке %lld\0"
    "в строке %lld, последней строке АОНа, цифр нет\0"
    "  категория: %s\0"
    "  категория: нет, TYPEPHONE не YES\0"
    "  категория: нет, номера тоже нет\0"
    "  строка CONNECT (строка %lld): %s\0"
    "  строка CONNECT: пусто, в прочитанной части ее нет\0"
    "  строка CONNECT: пусто, строка %lld за %lld %s от конца (можно до 10)\0"
    "Маска: нет, CIDMASK пуст\0"
    "Маска %s: до %s, после %s\0"
    "  совпала запись %lld (номер с нуля: %lld):\0"
    "    имя         %s\0"
    "    поле 534    %s\0"
    "    поле 373    %s\0"
    "  этот же номер у записи %lld: %s\0"
    "  ringcheck берет запись %lld, первую с этим номером, и дальше не ищет\0"
    "  логин - имя записи %lld, а ringcheck возьмет запись %lld\0"
    "  следующие записи не прочитать: USERS.TOR больше не открывается\0"
    "  ни у кого нет телефона %s\0"
    "База юзеров: не проверялась, номера звонящего нет\0"
    "  прочитано строк: %d\0"
    "  номер запрещен строкой %d: %s\0"
    "  логин найден в строке %d: %s\0"
    "  ни одна строка не запрещает %s\0"
    "  логина %s в списке нет\0"
    "  у записи %lld номер общий с записью %lld, логин в исключениях:\n"
    "  звонок кончится с errorlevel 4, телефон юзера не проверяется вовсе\0"
    "  у записи %lld номер общий с записью %lld, а логина в исключениях нет:\n"
    "  скрипты из примера звонок не пустят, в файле результата запись %lld\0"
    "  Чтобы пускать этого юзера с общей линии, впишите его логин в GOODLIST;\n"
    "  но тогда его телефон не будет проверяться вовсе.\0"
    "Запрещенные номера: не проверялись, номера звонящего нет\0"
    "Исключения: не проверялись, юзер не найден\0"
    "Исключения: не проверялись, логин не задан\0"
    "  в файл результата %s записалось бы:\0"
    "    %d %s\0"
    "    (в конце строки 7 нет перевода строки)\0"
    "  ringcheck в этом случае файл результата не пишет\0"
    "  Внимание: командная строка пришла в кодировке %u, а списки\n"
    "  читаются в 866. Имя, набранное в %u, со строкой списка не совпадет.\0"
    "Логин: пустой (в командной строке \"\")\0"
    "  это пустая строка или комментарий с отступом: она пускает без проверки\n"
    "  всех, у кого логин пришел пустым\0"
    "IDLEN %s не оставляет номеру цифр;\n"
    "  единственная взятая цифра - категория\0"
    "  почтовая сессия с %s, не BBS: результат не пригодится\0"
    "  наш звонок на %s, не BBS: результат не пригодится\0"
    "  наш исходящий звонок, не BBS: результат не пригодится\0");

}  // namespace

const char *Text(CallText text) {
  return ReportLanguageInUse() == kRussian ? kRussianTexts[text]
                                           : kEnglishTexts[text];
}
