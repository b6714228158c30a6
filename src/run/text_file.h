// Files as the readers and the result file writer see them, the same on
// every platform.
//
// Reading as text: every carriage return is dropped, wherever it stands,
// and a Ctrl-Z byte (26) ends the data.  Lines come in bounded pieces that
// keep their line feed, exactly as fgets with a buffer one larger than the
// piece would give them.  Writing as text stores each line feed as CR LF.
#ifndef RINGCHECK_RUN_TEXT_FILE_H
#define RINGCHECK_RUN_TEXT_FILE_H

#include <cstddef>
#include <cstdint>

#include "platform/os.h"

// An open file that is closed when its owner's scope ends, also when the
// run is ended by unwinding through that scope.
struct ScopedFile {
  OsFile file = {-1};
  ScopedFile() = default;
  ScopedFile(const ScopedFile &) = delete;
  ScopedFile &operator=(const ScopedFile &) = delete;
  ~ScopedFile();
};

bool OpenFileForReading(const char *path, ScopedFile *opened);
bool OpenFileForWriting(const char *path, ScopedFile *opened);
// Closes now; false when the data could not be stored.
bool CloseFile(ScopedFile *opened);

struct TextReader {
  OsFile *file;
  unsigned char buffer[512];
  size_t length;
  size_t next;
  bool ended;  // end of file, Ctrl-Z or a failed read
};

void BeginTextReading(TextReader *reader, ScopedFile *opened);
// Reads up to piece characters into line (piece + 1 bytes), stopping after
// a line feed, and terminates it.  False when no character was left.  A NUL
// byte is kept in the piece, so the text seen through the terminator ends
// there, as it does with fgets.
bool ReadLinePiece(TextReader *reader, char *line, size_t piece);

struct TextWriter {
  OsFile *file;
  char buffer[512];
  size_t length;
  bool failed;
};

void BeginTextWriting(TextWriter *writer, ScopedFile *opened);
void WriteText(TextWriter *writer, const char *text);
void WriteTextByte(TextWriter *writer, char byte);
// Stores what is buffered; false when any write so far failed.
bool FlushTextWriter(TextWriter *writer);

#endif
