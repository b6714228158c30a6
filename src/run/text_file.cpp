#include "run/text_file.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char kCtrlZ = 26;

bool PathFits(const char *path) {
  return strnlen(path, kMaxPathLength + 1) <= kMaxPathLength;
}

bool FillReader(TextReader *reader) {
  if (reader->ended)
    return false;
  reader->start += static_cast<int64_t>(reader->length);
  reader->next = 0;
  size_t wanted = reader->capacity;
  if (reader->left >= 0 && static_cast<int64_t>(wanted) > reader->left)
    wanted = static_cast<size_t>(reader->left);
  reader->length =
      wanted == 0 ? 0 : OsReadBytes(reader->file, reader->buffer, wanted);
  if (reader->left >= 0)
    reader->left -= static_cast<int64_t>(reader->length);
  if (reader->length == 0)
    reader->ended = true;
  return !reader->ended;
}

bool IsLineByte(unsigned char byte) {
  return byte == '\n' || byte == '\r' || byte == kCtrlZ;
}

// Whether any of the eight bytes of word is below Ctrl-Z + 1, as the line
// feed, the carriage return and Ctrl-Z are (a tab is too, and is then
// looked at for nothing): a byte that borrows when the word goes down by
// that much a byte.
bool HoldsControlByte(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  return ((word - kOnes * (kCtrlZ + 1)) & ~word & kHighs) != 0;
}

// The length of the run of bytes at from, at most most, before the first
// line feed, carriage return or Ctrl-Z: eight bytes at a time, and those
// eight one by one where they hold a control character.
size_t PlainRun(const unsigned char *from, size_t most) {
  size_t run = 0;
  while (run + 8 <= most) {
    uint64_t word;
    memcpy(&word, from + run, 8);
    if (HoldsControlByte(word)) {
      for (size_t end = run + 8; run < end; run++)
        if (IsLineByte(from[run]))
          return run;
      continue;
    }
    run += 8;
  }
  while (run < most && !IsLineByte(from[run]))
    run++;
  return run;
}

}  // namespace

ScopedFile::~ScopedFile() {
  if (file.handle != -1)
    OsCloseFile(&file);
}

bool OpenFileForReading(const char *path, ScopedFile *opened) {
  return PathFits(path) && OsOpenForReading(path, &opened->file);
}

bool OpenFileForWriting(const char *path, ScopedFile *opened) {
  return PathFits(path) && OsOpenForWriting(path, &opened->file);
}

bool CloseFile(ScopedFile *opened) {
  if (opened->file.handle == -1)
    return true;
  return OsCloseFile(&opened->file);
}

void BeginTextReading(TextReader *reader, ScopedFile *opened) {
  BeginTextReadingThrough(reader, opened, reader->own, sizeof reader->own);
}

void BeginTextReadingThrough(TextReader *reader, ScopedFile *opened,
                             unsigned char *block, size_t size) {
  reader->file = &opened->file;
  reader->buffer = block;
  reader->capacity = size;
  reader->length = 0;
  reader->next = 0;
  reader->start = 0;
  reader->left = -1;
  reader->ended = false;
  reader->past_ctrl_z = false;
  reader->last_ctrl_z = -1;
}

void LimitTextReading(TextReader *reader, int64_t bytes) {
  reader->left = bytes;
}

void ReadPastCtrlZ(TextReader *reader) { reader->past_ctrl_z = true; }

bool ReadLinePiece(TextReader *reader, char *line, size_t piece) {
  size_t stored = 0;
  while (stored < piece) {
    if (reader->next == reader->length && !FillReader(reader))
      break;
    // The run of plain bytes up to the next one that needs a look, taken
    // at once: a large file is mostly such runs.
    size_t most = reader->length - reader->next;
    if (most > piece - stored)
      most = piece - stored;
    const unsigned char *from = reader->buffer + reader->next;
    size_t run = PlainRun(from, most);
    memcpy(line + stored, from, run);
    stored += run;
    reader->next += run;
    if (stored == piece || reader->next == reader->length)
      continue;
    unsigned char byte = reader->buffer[reader->next++];
    if (byte == '\r' && reader->next < reader->length &&
        reader->buffer[reader->next] == '\n') {
      // The common end, CR LF, at once.
      reader->next++;
      line[stored++] = '\n';
      break;
    }
    if (byte == '\r')
      continue;
    if (byte == kCtrlZ && reader->past_ctrl_z) {
      reader->last_ctrl_z = TextReadingOffset(reader) - 1;
      if (stored > 0)
        break;
      continue;
    }
    if (byte == kCtrlZ) {
      // Nothing after a Ctrl-Z is data.
      reader->ended = true;
      reader->next = reader->length;
      break;
    }
    line[stored++] = static_cast<char>(byte);
    if (byte == '\n')
      break;
  }
  line[stored] = '\0';
  return stored > 0;
}

void BeginTextWriting(TextWriter *writer, ScopedFile *opened) {
  writer->file = &opened->file;
  writer->length = 0;
  writer->failed = false;
}

bool FlushTextWriter(TextWriter *writer) {
  if (writer->length > 0 &&
      !OsWriteBytes(writer->file, writer->buffer, writer->length))
    writer->failed = true;
  writer->length = 0;
  return !writer->failed;
}

void WriteTextByte(TextWriter *writer, char byte) {
  // Room for CR LF at once.
  if (writer->length + 2 > sizeof writer->buffer)
    FlushTextWriter(writer);
  if (byte == '\n')
    writer->buffer[writer->length++] = '\r';
  writer->buffer[writer->length++] = byte;
}

void WriteText(TextWriter *writer, const char *text) {
  for (; *text != '\0'; text++)
    WriteTextByte(writer, *text);
}
