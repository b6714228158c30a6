#include "run/text_file.h"

#include <cstring>

namespace {

constexpr unsigned char kCtrlZ = 26;

bool PathFits(const char *path) {
  return strnlen(path, kMaxPathLength + 1) <= kMaxPathLength;
}

bool FillReader(TextReader *reader) {
  if (reader->ended)
    return false;
  reader->next = 0;
  reader->length =
      OsReadBytes(reader->file, reader->buffer, sizeof reader->buffer);
  if (reader->length == 0)
    reader->ended = true;
  return !reader->ended;
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
  reader->file = &opened->file;
  reader->length = 0;
  reader->next = 0;
  reader->ended = false;
}

bool ReadLinePiece(TextReader *reader, char *line, size_t piece) {
  size_t stored = 0;
  while (stored < piece) {
    if (reader->next == reader->length && !FillReader(reader))
      break;
    unsigned char byte = reader->buffer[reader->next++];
    if (byte == '\r')
      continue;
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
