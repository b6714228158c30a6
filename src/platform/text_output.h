// Standard output for text in code page 866, shown as its reader sees it:
// converted to the character set of the terminal or console in front of
// it, or stored as the code page 866 bytes themselves where the platform
// has no other character set to offer (a redirected Windows program).
//
// The text is the caller's to make printable: a line feed ends a line, and
// no other control byte should reach here.
#ifndef RINGCHECK_PLATFORM_TEXT_OUTPUT_H
#define RINGCHECK_PLATFORM_TEXT_OUTPUT_H

#include <cstddef>
#include <cstdint>

// Writes one line, then the platform's line end.  Lines for a file or a
// pipe are held back in a block until it fills or OsFlushTextLines.
void OsWriteTextLine(const char *text);
// Bytes as they are, in the same order with the lines, whatever standard
// output is: a file format of its own (CSV in UTF-8).
void OsWriteOutputBytes(const char *bytes, size_t count);
void OsFlushTextLines();

// A line on standard error, in the same character set as the lines above.
void OsWriteErrorLine(const char *text);

// A line of progress on standard error where that is the console or a
// terminal, written over the one before; an empty text erases it.  Where
// standard error is a file or a pipe nothing is written, and false is the
// answer, before the first text as after it.
bool OsShowProgress(const char *text);

// Milliseconds from some fixed moment, never going back: for progress
// told a few times a second.
int64_t OsMilliseconds();

#endif
