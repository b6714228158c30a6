// Standard output for text in code page 866, shown as its reader sees it:
// converted to the character set of the terminal or console in front of
// it, or stored as the code page 866 bytes themselves where the platform
// has no other character set to offer (a redirected Windows program).
//
// The text is the caller's to make printable: a line feed ends a line, and
// no other control byte should reach here.
#ifndef RINGCHECK_PLATFORM_TEXT_OUTPUT_H
#define RINGCHECK_PLATFORM_TEXT_OUTPUT_H

// Writes one line, then the platform's line end.  Lines for a file or a
// pipe are held back in a block until it fills or OsFlushTextLines.
void OsWriteTextLine(const char *text);
// The same with CR LF as its end on every platform: a CSV record.
void OsWriteTextRecord(const char *text);
void OsFlushTextLines();

#endif
