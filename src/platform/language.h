// The user's language and the code page of the command line, as this
// platform's own programs take them.  Only the explainer asks.
#ifndef RINGCHECK_PLATFORM_LANGUAGE_H
#define RINGCHECK_PLATFORM_LANGUAGE_H

#include <cstddef>

// True when the user reads Russian: the user interface language on
// Windows, the messages locale on POSIX.
bool OsUserReadsRussian();

// The code page the program's arguments came in, when the platform changes
// their bytes on the way (Windows gives them in its ANSI code page, however
// they were typed); 0 where they arrive as they were given.
unsigned OsCommandLineCodePage();

// An argument as code page 866 text, for a file a FidoNet reader shows in
// that code page: from the ANSI code page on Windows, from UTF-8 on POSIX
// where the argument is valid UTF-8 (other bytes are taken as they are); a
// character code page 866 lacks becomes '?'.  False when it does not fit
// in capacity bytes, the terminator included.
bool OsArgumentInCp866(const char *argument, char *text, size_t capacity);

#endif
