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

namespace {

struct UpperCaseTable {
  unsigned char bytes[256];
  constexpr UpperCaseTable() : bytes() {
    for (int byte = 0; byte < 256; byte++)
      bytes[byte] = UpperCaseCp866Byte(static_cast<unsigned char>(byte));
  }
};

// One look-up a byte: a whole log of them is upper-cased line by line.
constexpr UpperCaseTable kUpperCase;

}  // namespace

char *UpperCaseCp866(char *text) {
  for (unsigned char *p = reinterpret_cast<unsigned char *>(text); *p != '\0';
       p++)
    *p = kUpperCase.bytes[*p];
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
