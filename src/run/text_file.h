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
  unsigned char own[512];
  unsigned char *buffer;  // own, or a larger block of the caller's
  size_t capacity;
  size_t length;
  size_t next;
  int64_t start;  // bytes taken into the buffer before its present fill
  int64_t left;   // bytes it may still take from the file; -1: all
  bool ended;     // end of file, Ctrl-Z or a failed read
  bool past_ctrl_z;
  int64_t last_ctrl_z;  // where the last Ctrl-Z passed over was, or -1
};

void BeginTextReading(TextReader *reader, ScopedFile *opened);
// The same through a block of the caller's, for a reader of a large file.
void BeginTextReadingThrough(TextReader *reader, ScopedFile *opened,
                             unsigned char *block, size_t size);
// Takes no more than bytes further bytes from the file.
void LimitTextReading(TextReader *reader, int64_t bytes);
// A Ctrl-Z then ends the piece it stands in, not the reading: for a reader
// of the whole of a file whose later parts are read on their own.
void ReadPastCtrlZ(TextReader *reader);
// The bytes taken so far, carriage returns and Ctrl-Z included, counted
// from where the reading began: the offset of the next byte from there.
// (These four are asked of once a line of a whole log: they stand here,
// where a caller in another file can have them without a call.)
inline int64_t TextReadingOffset(const TextReader *reader) {
  return reader->start + static_cast<int64_t>(reader->next);
}
// Whether the piece read last ended with its line feed, as a piece that
// holds a NUL byte does not show.
inline bool PieceEndedLine(const TextReader *reader) {
  return reader->next > 0 && reader->buffer[reader->next - 1] == '\n';
}
// The bytes the reader holds that it has not handed out yet, as stored
// (carriage returns and all), and how many; none once the data has ended.
inline const unsigned char *HeldBytes(const TextReader *reader,
                                      size_t *count) {
  *count = reader->ended ? 0 : reader->length - reader->next;
  return reader->buffer + reader->next;
}
// Takes count of them as read, as ReadLinePiece would take a line of
// theirs: the caller has seen they hold no Ctrl-Z.
inline void PassHeldBytes(TextReader *reader, size_t count) {
  reader->next += count;
}
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
