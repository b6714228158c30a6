#include "run/text_helpers.h"

#include <cstring>

#include "platform/cp866.h"

char *DeleteSpan(char *text, int start, int count) {
  if (start < 0 || count < 0)
    return text;
  size_t length = strlen(text);
  size_t from = static_cast<size_t>(start);
  if (from > length)
    return text;
  if (from + static_cast<size_t>(count) >= length) {
    text[from] = '\0';
    return text;
  }
  // The terminator moves down with the rest.
  memmove(text + from, text + from + count, length - from - count + 1);
  return text;
}

char *UpperCaseCp866(char *text) {
  // Counted, so that the loop takes many bytes at a time.
  size_t length = strlen(text);
  unsigned char *bytes = reinterpret_cast<unsigned char *>(text);
  for (size_t i = 0; i < length; i++)
    bytes[i] = UpperCaseCp866Byte(bytes[i]);
  return text;
}

constexpr size_t kUpperBlock = 16;

size_t UpperCaseCp866Piece(char *piece, size_t capacity) {
  // A log's line is a few dozen bytes: whole blocks of sixteen, the
  // terminator's block the last, leave no byte to be done one at a time.
  size_t length = strlen(piece);
  size_t blocks = (length + kUpperBlock) / kUpperBlock;
  if (blocks * kUpperBlock > capacity) {
    UpperCaseCp866(piece);
    return length;
  }
  unsigned char *bytes = reinterpret_cast<unsigned char *>(piece);
  for (size_t block = 0; block < blocks; block++, bytes += kUpperBlock)
    for (size_t i = 0; i < kUpperBlock; i++)
      bytes[i] = UpperCaseCp866Byte(bytes[i]);
  return length;
}

const char *FindBytes(const char *text, size_t length, const char *word,
                      size_t word_length) {
  if (word_length == 0)
    return text;
  // A line holds few places of a word's first byte: memchr finds them
  // many bytes at a time, and only those are compared, byte by byte as
  // most differ at once.
  const char *end = text + length;
  for (const char *at = text; static_cast<size_t>(end - at) >= word_length;
       at++) {
    at = static_cast<const char *>(
        memchr(at, word[0], static_cast<size_t>(end - at) - word_length + 1));
    if (at == nullptr)
      return nullptr;
    size_t same = 1;
    while (same < word_length && at[same] == word[same])
      same++;
    if (same == word_length)
      return at;
  }
  return nullptr;
}

int64_t StreamLength(OsFile *file) {
  int64_t position = OsPosition(file);
  OsSetPosition(file, 0, kSeekFromEnd);
  int64_t length = OsPosition(file);
  OsSetPosition(file, position, kSeekFromStart);
  return length;
}

void CopyText(char *target, size_t capacity, const char *source) {
  size_t length = strnlen(source, capacity);
  memcpy(target, source, length);
  target[length] = '\0';
}

bool JoinText(char *target, size_t capacity, const char *first,
              const char *second) {
  size_t first_length = strnlen(first, capacity + 1);
  size_t second_length = strnlen(second, capacity + 1);
  if (first_length + second_length > capacity) {
    target[0] = '\0';
    return false;
  }
  memcpy(target, first, first_length);
  memcpy(target + first_length, second, second_length);
  target[first_length + second_length] = '\0';
  return true;
}
