// The lines of a report: plain text within kReportWidth columns, in code
// page 866 like everything the program reads, written to standard output
// as the platform shows it, or into the text of a netmail message.
#ifndef RINGCHECK_EXPLAIN_REPORT_WRITER_H
#define RINGCHECK_EXPLAIN_REPORT_WRITER_H

#include <cstddef>

// Columns a report line may fill.
constexpr size_t kReportWidth = 79;

// A quote of text the caller chose (a log line, a user's name), ready to be
// put into a report line.  Large enough for a quote of any width.
using QuoteBuffer = char[kReportWidth * 2 + 8];

// Formats like printf and writes the result, a line feed in it starting a
// new line.  A line too wide for the report first takes room from the
// quotes made for it since the last line was written (see Quote), widest
// first; what still does not fit is cut at kReportWidth.
void ReportLine(const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Writes text as ReportLine writes it.
void ReportPlainLine(const char *text);
void ReportBlankLine();

// Puts text into quote marks, for the next report line, which cuts it to
// the room it leaves (see ReportLine), so that the texts of every language
// fit the same lines without widths of their own; until that line is
// written, text and quote must stay as they are.  The text may hold any
// byte: a trailing line feed is left out, every other byte below 32, and
// 127, is shown in caret notation (^I for a tab, ^@ for NUL, ^? for 127),
// so that none acts on the terminal; a quote cut short ends in "... after
// its closing mark.  Returns quote.
const char *Quote(QuoteBuffer quote, const char *text);

// A quote of text that takes at most columns, cut as ReportLine cuts it,
// for a line written without ReportLine; not pending for any line.
const char *QuoteWithin(QuoteBuffer quote, const char *text, size_t columns);

// A line built piece by piece, for a table of many rows that makes its
// rows itself rather than through ReportLine: each piece goes in as far
// as the buffer has room, and what would pass its end is cut, so that no
// text, however long, writes past it.
struct LineBuilder {
  char text[512];
  size_t length;
};

void BeginLine(LineBuilder *line);
void PutText(LineBuilder *line, const char *text);
void PutByte(LineBuilder *line, char byte);
// text, then blanks up to width columns.
void PutPadded(LineBuilder *line, const char *text, size_t width);
// Formats like printf into the room left.
void PutFormatted(LineBuilder *line, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
// Writes the line, cut at kReportWidth.
void ReportBuiltLine(LineBuilder *line);
// Writes the line with text after it as its last column: what does not
// fit goes on on the next lines, under the column, broken after a blank
// outside quotes where there is one, so that no name or word is cut.
void ReportBuiltLineWith(LineBuilder *line, const char *text);

// Text from a file for a column of a table, where a quote's marks would
// only take room: bytes shown as in a quote, cut at columns (shown holds
// columns + 1 bytes).
void ShowInColumn(char *shown, const char *text, size_t columns);

// Writes what the report holds back: lines go out in blocks.
void FlushReport();

// What a run writes, chosen once before its first line: the report on
// standard output; CSV records, which the report writes itself with its
// lines muted around them; or the report's lines as the text of a netmail
// message (netmail.h), which the report then writes.  A report does not
// know where its lines go, only which of the three it writes.
enum OutputMode { kReportOutput, kCsvOutput, kMessageOutput };
void ChooseOutputMode(OutputMode mode);
OutputMode OutputModeInUse();

// In the message output mode: the message's text begins again, without
// the lines written so far (the files read, said while the report ran);
// or, when no message is written, those lines go to standard output.
void RestartMessageText();
void ShowMessageText();

// While muted, report lines are dropped: a report goes through the same
// steps without a word around its CSV rows, or around a message's text.
void MuteReport(bool muted);

#endif
