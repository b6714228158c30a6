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
// The same for a text in a buffer of capacity bytes, the bytes past its
// terminator to the end of their block of sixteen upper-cased as well: a
// NUL stays a NUL, and those bytes are no text.  Returns its length.
size_t UpperCaseCp866Piece(char *piece, size_t capacity);
// Where word (word_length bytes) first stands in length bytes of text, as
// strstr finds it in a text of no NUL; nullptr where it does not.
const char *FindBytes(const char *text, size_t length, const char *word,
                      size_t word_length);

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
