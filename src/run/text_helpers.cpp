#include "run/text_helpers.h"

#include <cstring>

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
  // Counted and without a branch a byte, so that the compiler can take
  // many bytes at a time: a whole log is upper-cased line by line.
  size_t length = strlen(text);
  unsigned char *bytes = reinterpret_cast<unsigned char *>(text);
  for (size_t i = 0; i < length; i++) {
    unsigned char byte = bytes[i];
    bool latin_or_low = static_cast<unsigned char>(byte - 0x61) <= 0x19 ||
                        static_cast<unsigned char>(byte - 0xA0) <= 0x0F;
    bool high = static_cast<unsigned char>(byte - 0xE0) <= 0x0F;
    bytes[i] = static_cast<unsigned char>(
        byte - (latin_or_low ? 0x20 : 0) - (high ? 0x50 : 0));
  }
  return text;
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
