// The report in Russian, in the words of the status screen and the Russian
// guide.  The texts are written here in UTF-8, one after another, each
// ended by \0, and turned into code page 866 when the program is compiled.
// Lines stay within 79 columns with the widest arguments the report gives
// them: quotes are cut to fit.
#include <array>
#include <cstddef>

#include "explain/report_tables.h"
#include "run/cp866_text.h"

namespace {

constexpr auto kTexts = Cp866Text(
    "ringcheck-explain: пробный прогон ringcheck, ничего не записывается.\0"
    "Логин: %s\0"
    "Логин: в командной строке не задан\0"
    "Конфиг %s\0"
    "  найден: %s\0"
    "  не найден\0"
    "Конфиг не задан, а без него ringcheck не работает.\0"
    "Запуск: ringcheck-explain КОНФИГ [\"ЛОГИН\"]\n"
    "  КОНФИГ  файл конфигурации, тот же, что скрипт BBS передает ringcheck\n"
    "  ЛОГИН   имя, под которым вошел звонящий; можно не указывать\n"
    "Запускайте в том же каталоге, что и скрипт: относительные пути\n"
    "конфига отсчитываются от него.\0"
    "  не открывается\0"
    "  строка %d: %s\0"
    "    ошибка: между ключом и значением нет пробела\0"
    "    ошибка: неизвестный ключ\0"
    "    ошибка: пустая строка (комментарий начинается с ';')\0"
    "  %-11s строка %-6d %s\0"
    "  %-11s по умолчанию  %s\0"
    "Лог мейлера %s\0"
    "  не открывается\0"
    "  размер %lld байт, читается конец с байта %lld\0"
    "  размер %lld байт, читается целиком\0"
    "  метка %s, разделители %s\0"
    "  нужно цифр: %lld (IDLEN %s%s)\0"
    " и одна на категорию\0"
    "  строка %d: %s\0"
    "    АОН: взят номер %s, все цифры (%lld)\0"
    "    АОН: вместо прежнего %s\0"
    "    АОН: строка кончилась, цифр %lld из %lld\0"
    "    АОН: цифр нет, номер остается %s\0"
    "    АОН: номер сброшен символом %s, колонка %d\0"
    "    АОН: номер сброшен концом строки, колонка %d\0"
    "    АОН: номер сброшен концом файла, колонка %d (нет перевода строки)\0"
    "    CONNECT: номер %s остается\0"
    "    CONNECT: номер %s сброшен (строка над ней цифр не дала)\0"
    "    CONNECT: номера нет\0"
    "  прочитано строк: %d\0"
    "  номер звонящего: %s\0"
    "  номер звонящего: пусто, %s\0"
    "в прочитанной части нет строки АОНа\0"
    "номер из %lld цифр взять нельзя (можно от 1 до 9)\0"
    "последняя строка АОНа дала цифр %d из %lld\0"
    "сброшен в строке %d\0"
    "сброшен строкой CONNECT в строке %d\0"
    "в строке %d, последней строке АОНа, цифр нет\0"
    "  категория: %s\0"
    "  категория: нет, TYPEPHONE не YES\0"
    "  категория: нет, номера тоже нет\0"
    "  строка CONNECT (строка %d): %s\0"
    "  строка CONNECT: пусто, в прочитанной части ее нет\0"
    "  строка CONNECT: пусто, строка %d за %d строк от конца (можно до 10)\0"
    "Маска: нет, CIDMASK пуст\0"
    "Маска %s: до %s, после %s\0"
    "База юзеров %s\0"
    "  не открывается\0"
    "  записей: %lld\0"
    "  совпала запись %lld (с нуля: %lld):\0"
    "    имя         %s\0"
    "    поле 534    %s\0"
    "    поле 373    %s\0"
    "  ни у кого нет телефона %s\0"
    "База юзеров: не проверялась, номера звонящего нет\0"
    "Запрещенные номера, BADLIST %s\0"
    "Исключения, GOODLIST %s\0"
    "  открыт\0"
    "  нет файла: проверка не делается\0"
    "  прочитано строк: %d\0"
    "  номер запрещен строкой %d: %s\0"
    "  логин найден в строке %d: %s\0"
    "  ни одна строка не запрещает %s\0"
    "  логина %s в списке нет\0"
    "Запрещенные номера: не проверялись, номера звонящего нет\0"
    "Исключения: не проверялись, юзер не найден\0"
    "Исключения: не проверялись, логин не задан\0"
    "Итог\0"
    "  errorlevel %d: %s\0"
    "  в файл результата %s записалось бы:\0"
    "  это %s\0"
    "    %d %s\0"
    "    (в конце строки 7 нет перевода строки)\0"
    "  файл результата не пишется\0"
    "нормальное завершение\0"
    "лог мейлера не открывается\0"
    "база юзеров не открывается\0"
    "номер звонящего запрещен\0"
    "логин в списке исключений\0"
    "нет конфига\0"
    "  Внимание: командная строка пришла в кодировке %u, а списки\n"
    "  читаются в 866. Имя, набранное в %u, со строкой списка не совпадет.\0"
    "ringcheck-explain: пробный прогон ringcheck.  Читает те же файлы, делает\n"
    "те же проверки и объясняет, почему звонок обработан так, а не иначе.\n"
    "Ничего не записывает.\0"
    "Язык: RINGCHECK_LANG=ru или RINGCHECK_LANG=en, иначе язык пользователя\n"
    "(язык интерфейса Windows; в POSIX - LC_ALL, LC_MESSAGES или LANG).\0"
    "Код возврата (errorlevel) - тот же, что дал бы ringcheck:\0"
    "  %d  %s\0"
    "ringcheck дает еще 7, если не смог записать файл результата; пробный\n"
    "прогон его не пишет.\0");

// Where each text begins in kTexts, and where the table ends.
using Offsets = std::array<size_t, kReportTextCount + 1>;

constexpr Offsets FindTexts() {
  Offsets offsets{};
  size_t at = 0;
  for (size_t text = 0; text <= kReportTextCount; text++) {
    offsets[text] = at;
    while (kTexts.bytes[at] != '\0')
      at++;
    at++;
  }
  return offsets;
}

constexpr Offsets kOffsets = FindTexts();

// One text an entry of ReportText, and nothing after them.  No text is
// empty, so that the last one cannot pass for the end.
static_assert(kTexts.bytes[kOffsets[kReportTextCount - 1]] != '\0' &&
                  kTexts.bytes[kOffsets[kReportTextCount]] == '\0',
              "the Russian texts do not match the entries of ReportText");

}  // namespace

const char *RussianText(ReportText text) {
  return kTexts.bytes + kOffsets[text];
}
