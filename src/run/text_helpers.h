// Small operations shared by every reader of text: span deletion,
// code page 866 upper-casing and the length of an open file.
#ifndef RINGCHECK_RUN_TEXT_HELPERS_H
#define RINGCHECK_RUN_TEXT_HELPERS_H

#include <cstddef>
#include <cstdint>

#include "platform/cp866.h"
#include "platform/os.h"

// Removes count characters from position start on, in place.  A start past
// the end leaves the text alone; a span reaching the end cuts the text at
// start.  Negative arguments leave the text unchanged.
char *DeleteSpan(char *text, int start, int count);

// Upper-cases Latin and Cyrillic letters of code page 866 in place; the
// letter yo (0xF1) and every other byte stay as they are.
char *UpperCaseCp866(char *text);

// The length of an open file in bytes as stored, without moving its read
// position.  64-bit, so that files past 2 GiB are measured right.
int64_t StreamLength(OsFile *file);

// Copies at most capacity characters of source into target (which holds
// capacity + 1 bytes) and terminates it.
void CopyText(char *target, size_t capacity, const char *source);

// Puts first and second one after the other into target (capacity + 1
// bytes).  False, with target empty, when the two do not fit: a joined path
// that is cut would name another file.
bool JoinText(char *target, size_t capacity, const char *first,
              const char *second);

#endif
