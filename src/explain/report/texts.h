// The report's language, and the texts every report shares: the headings
// of the files read, the outcome, the help and the forms of a noun after a
// count.  Each report has a table of its own besides (call/texts.h,
// audit/texts.h, history/texts.h), with a Text() for its own enum.  The
// texts are printf formats; their arguments are noted where they take any.
// A line feed in a text starts a new report line.
#ifndef RINGCHECK_EXPLAIN_REPORT_TEXTS_H
#define RINGCHECK_EXPLAIN_REPORT_TEXTS_H

enum ReportText {
  kConfigHeading,        // quote of the path
  kFoundAs,              // path
  kNotFound,
  kNoConfigGiven,
  kUsage,
  kConfigCannotOpen,
  kLogHeading,           // quote
  kLogCannotOpen,
  kLogWantedTypeNote,
  kUserBaseHeading,      // path
  kUserBaseCannotOpen,
  kUserBaseRecords,      // count
  kBannedHeading,        // quote
  kExemptHeading,        // quote
  kListOpened,
  kListMissing,
  kOutcomeHeading,
  kExitCode,             // code, meaning
  kResultFileFoundAs,    // path
  kStatus0,
  kStatus1,
  kStatus2,
  kStatus3,
  kStatus4,
  kStatus5,
  kHelpAbout,
  kHelpLanguage,
  kHelpExitCodes,
  kHelpExitCode,         // code, meaning
  kHelpNoSeven,
  kHelpUsers,
  kBadLinesCount,        // count
  kListEntries,          // count
  kHelpCalls,
  kNoNumber,
  kFormByte,             // the forms of a noun after a count (CountForm);
  kFormLine,             // Russian needs the case the text puts it in:
  kFormLineAccusative,   // "на 2 строки", "дала 1 цифру", "из 5 цифр",
  kFormDigitAccusative,  // "по 7 цифрам"
  kFormDigitGenitive,
  kFormDigitDative,
  kBaseTooLarge,         // records, the most a report numbers
  kStatusBaseTooLarge,
  kFormConnection,
  kUnknownSwitch,        // quote of the argument
  kSwitchWithoutValue,   // quote of the switch
  kStatusRefused,
  kArgumentWithoutPlace,  // quote of the argument
  kSwitchesApart,         // quotes of the two switches
  kSwitchNeedsOther,      // quote of the switch, name of the one it needs
  kSeparatorWanted,       // quote of the switch
  kReportTextCount
};

enum ReportLanguage { kEnglish, kRussian };

// The report's language, English until one is chosen.
void UseReportLanguage(ReportLanguage language);
ReportLanguage ReportLanguageInUse();

// The language the user reads: RINGCHECK_LANG=ru or en when it is set so,
// else the platform's own choice.
ReportLanguage ChooseReportLanguage();

// The text in the report's language.
const char *Text(ReportText text);

// The meaning of an exit code from 0 to 5, as the outcome and the help say
// it.
const char *StatusMeaning(int status);

// The noun after a count, from a text of its forms "one|few|many": Russian
// takes the first after 1, 21, 31 ..., the second after 2 to 4, 22 to 24
// ..., the third otherwise (5 to 20, 11 to 14, 25 ...); English the first
// after 1 alone.  The last few results stay valid.
const char *CountForm(long long count, ReportText forms);

#endif
