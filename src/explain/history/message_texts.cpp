// The texts of the history's netmail message in English and Russian.  A
// subject stays within 71 characters with the counts a night gives.
#include "explain/history/message_texts.h"

#include "explain/report/text_table.h"
#include "explain/report/texts.h"

namespace {

const char *const kEnglishTexts[] = {
    "The calls of the mailer log, as ringcheck sees them.",
    "Calls that need you (the date, the time and the line of the log):",
    "  %s %-8s line %-7lld ",
    "banned number let in",
    "subscriber not recognised",
    "turned away (errorlevel 3)",
    "no number",
    "Nothing needs you: no banned number let in, no subscriber not\n"
    "recognised, no connection without a number, no call turned away.",
    "  and %lld more such calls; they are all listed by\n"
    "  %s",
    "  (the message ends here: the rest did not fit)",
    "Calls %s: %lld",
    "%s..%s",
    ", banned let in %lld",
    ", not recognised %lld",
    ", no number %lld",
    ", turned away %lld",
    "all",
    "ringcheck-explain: wrote %s, netmail to %s at %s",
    "%s %s: not a FidoNet address; write it as zone:net/node[.point]",
    "--to %s: a name of 1 to %d characters, without control characters",
    "Netmail folder %s: not found, or no folder; no message written.",
    "Netmail folder %s: the message cannot be written there (no right to\n"
    "write, or the disk is full); nothing is left there.",
    "the message is not written",
};
static_assert(OneTextAnEntry<kMessageTextCount>(kEnglishTexts),
              "one English text an entry of MessageText");

constexpr auto kRussianTexts = SplitRussianTexts<kMessageTextCount>(
    "Звонки по логу мейлера, как их видит ringcheck.\0"
    "Звонки, на которые стоит взглянуть (дата, время, строка лога):\0"
    "  %s %-8s строка %-7lld \0"
    "пропущен запрещенный номер\0"
    "юзер не узнан\0"
    "отказано (errorlevel 3)\0"
    "без номера\0"
    "Смотреть не на что: запрещенные номера не проходили, юзеры узнаны,\n"
    "у всех соединений есть номер, отказов не было.\0"
    "  и еще таких звонков: %lld; все они есть в выводе команды\n"
    "  %s\0"
    "  (письмо обрезано: остальное не поместилось)\0"
    "Звонки %s: %lld\0"
    "%s-%s\0"
    ", пропущено запрещенных %lld\0"
    ", не узнано %lld\0"
    ", без номера %lld\0"
    ", отказано %lld\0"
    "весь лог\0"
    "ringcheck-explain: записано %s, нетмейл для %s, %s\0"
    "%s %s: это не адрес FidoNet; укажите zone:net/node[.point]\0"
    "--to %s: имя от 1 до %d символов, без управляющих\0"
    "Каталог нетмейла %s: не найден или это не каталог; письмо не записано.\0"
    "Каталог нетмейла %s: письмо туда не записать (нет прав на запись или\n"
    "диск полон); там ничего не оставлено.\0"
    "письмо не записано\0");

}  // namespace

const char *Text(MessageText text) {
  return ReportLanguageInUse() == kRussian ? kRussianTexts[text]
                                           : kEnglishTexts[text];
}
