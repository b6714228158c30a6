// The user's language and the code page of the command line, as this
// platform's own programs take them.  Only the dry run asks.
#ifndef RINGCHECK_PLATFORM_LANGUAGE_H
#define RINGCHECK_PLATFORM_LANGUAGE_H

// True when the user reads Russian: the user interface language on
// Windows, the messages locale on POSIX.
bool OsUserReadsRussian();

// The code page the program's arguments came in, when the platform changes
// their bytes on the way (Windows gives them in its ANSI code page, however
// they were typed); 0 where they arrive as they were given.
unsigned OsCommandLineCodePage();

#endif
