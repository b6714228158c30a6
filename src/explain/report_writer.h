// The lines of the dry run's report: plain text within 80 columns, in code
// page 866 like everything the program reads, written to standard output
// as the platform shows it.
#ifndef RINGCHECK_EXPLAIN_REPORT_WRITER_H
#define RINGCHECK_EXPLAIN_REPORT_WRITER_H

#include <cstddef>

// Columns a report line may fill; longer ones are cut.
constexpr size_t kReportWidth = 79;

// A quote of text the caller chose (a log line, a user's name), ready to be
// put into a report line.  Large enough for a quote of any width.
using QuoteBuffer = char[kReportWidth * 2 + 8];

// Formats one line like printf and writes it, cut at kReportWidth.
void ReportLine(const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Writes text as one line, cut at kReportWidth.
void ReportPlainLine(const char *text);
void ReportBlankLine();

// Puts text into quote marks, at most columns wide, quote marks included.
// The text may hold any byte: a trailing line feed is left out, every
// other byte below 32, and 127, is shown in caret notation (^I for a tab,
// ^@ for NUL, ^? for 127), so that none acts on the terminal; a quote cut
// short ends in "... after its closing mark.  Returns quote.
const char *Quote(QuoteBuffer quote, const char *text, size_t columns);

#endif
