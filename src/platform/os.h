// The operating system layer: raw files and standard output.
//
// One implementation per platform (os_unix.cpp, os_win.cpp) stands behind
// this header; nothing above it knows which one it runs on.  Files are raw
// bytes here: text conventions (CR dropping, Ctrl-Z, CR LF on writing) live
// in the platform-free text_file layer, so that every platform reads and
// writes the same bytes.
#ifndef RINGCHECK_PLATFORM_OS_H
#define RINGCHECK_PLATFORM_OS_H

#include <cstddef>
#include <cstdint>

// A platform file handle; handle is -1 while nothing is open.
struct OsFile {
  intptr_t handle;
};

// The longest path the program opens; a longer one cannot be opened.
constexpr size_t kMaxPathLength = 255;

enum OsSeekOrigin { kSeekFromStart, kSeekFromEnd };

// Paths come from the configuration file, DOS style.  They are taken as
// the platform takes them; a path that names a directory counts as one
// that cannot be opened.
bool OsOpenForReading(const char *path, OsFile *file);
// Creates the file or empties an existing one.
bool OsOpenForWriting(const char *path, OsFile *file);
// Bytes read, 0 at the end of the file or on a read error.
size_t OsReadBytes(OsFile *file, void *buffer, size_t count);
// False when not every byte could be stored.
bool OsWriteBytes(OsFile *file, const void *bytes, size_t count);
bool OsSetPosition(OsFile *file, int64_t offset, OsSeekOrigin origin);
// The read position from the start of the file, -1 on failure.
int64_t OsPosition(OsFile *file);
// False when the file could not be closed cleanly (data not stored).
bool OsCloseFile(OsFile *file);

// The file a path names, as this platform finds it: the whole path from
// the root, in full (capacity + 1 bytes).  With for_creation the last
// component need not exist.  False when it cannot be told.
bool OsFullPath(const char *path, bool for_creation, char *full,
                size_t capacity);

// Puts standard output into the platform's text convention (each line feed
// as CR LF on Windows) and tells whether it is the console or a terminal.
// Called once, before the first write.
bool OsPrepareStandardOutput();

// The machine's clock: today's date in local time, the year in full.
void OsLocalDate(int *year, int *month, int *day);

#endif
