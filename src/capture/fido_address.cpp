#include "capture/fido_address.h"

#include <cstring>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDomainCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) ||
         c == '-' || c == '_';
}

// A whole number of at most 32767 at text[*at], which then stands past
// it; -1 where there is none.
int ReadNumber(const char *text, size_t length, size_t *at) {
  size_t from = *at;
  long value = 0;
  while (*at < length && IsDigit(text[*at])) {
    value = value * 10 + (text[*at] - '0');
    if (value > kFidoNumberMost)
      return -1;
    (*at)++;
  }
  return *at == from ? -1 : static_cast<int>(value);
}

// The address beginning at text[from], ending at *end; false where none
// begins there, *address then written in part.  Written field by field:
// a log names a million of them.
bool ReadAddressAt(const char *text, size_t length, size_t from,
                   FidoAddress *address, size_t *end) {
  size_t at = from;
  address->zone = ReadNumber(text, length, &at);
  if (address->zone < 1 || at >= length || text[at] != ':')
    return false;
  at++;
  address->net = ReadNumber(text, length, &at);
  if (address->net < 0 || at >= length || text[at] != '/')
    return false;
  at++;
  address->node = ReadNumber(text, length, &at);
  if (address->node < 0)
    return false;
  address->point = 0;
  address->domain[0] = '\0';
  if (at + 1 < length && text[at] == '.' && IsDigit(text[at + 1])) {
    size_t point_at = at + 1;
    int point = ReadNumber(text, length, &point_at);
    if (point < 0)
      return false;
    address->point = point;
    at = point_at;
  }
  if (at + 1 < length && text[at] == '@' && IsDomainCharacter(text[at + 1])) {
    size_t domain = at + 1;
    size_t domain_end = domain;
    while (domain_end < length && IsDomainCharacter(text[domain_end]))
      domain_end++;
    if (domain_end - domain <= kFidoDomainCapacity) {
      memcpy(address->domain, text + domain, domain_end - domain);
      address->domain[domain_end - domain] = '\0';
      at = domain_end;
    }
  }
  *end = at;
  return true;
}

// Whether an address may begin at text[at]: a digit there, and before it
// neither a digit nor a digit and a colon.
bool MayBeginAt(const char *text, size_t at) {
  if (!IsDigit(text[at]))
    return false;
  if (at == 0)
    return true;
  if (IsDigit(text[at - 1]))
    return false;
  return !(text[at - 1] == ':' && at >= 2 && IsDigit(text[at - 2]));
}

// The number's digits at text, and the end of them.  Its places are
// counted first, so that the digits go straight to their places, the last
// first; unsigned, as the numbers are never below 0, divides the quicker.
char *PutNumber(int number, char *text) {
  unsigned value = static_cast<unsigned>(number);
  size_t places = 1;
  for (unsigned power = 10; places < 10 && value >= power; power *= 10)
    places++;
  for (size_t at = places; at-- > 0; value /= 10)
    text[at] = static_cast<char>('0' + value % 10);
  return text + places;
}

}  // namespace

bool FindFidoAddress(const char *text, size_t length, FidoAddress *address,
                     size_t *begin, size_t *end) {
  // An address holds a slash, with digits, a colon and digits before it:
  // only those are tried, in their order, which is the addresses' order.
  // A time's colons are never looked at.
  size_t from = 0;
  const void *slash;
  while ((slash = memchr(text + from, '/', length - from)) != nullptr) {
    size_t at = static_cast<size_t>(static_cast<const char *>(slash) - text);
    from = at + 1;
    size_t colon = at;
    while (colon > 0 && IsDigit(text[colon - 1]))
      colon--;
    if (colon == at || colon == 0 || text[colon - 1] != ':')
      continue;
    size_t start = colon - 1;
    while (start > 0 && IsDigit(text[start - 1]))
      start--;
    size_t stop;
    if (start < colon - 1 && MayBeginAt(text, start) &&
        ReadAddressAt(text, length, start, address, &stop)) {
      if (begin != nullptr)
        *begin = start;
      if (end != nullptr)
        *end = stop;
      return true;
    }
  }
  return false;
}

bool ReadFidoAddress(const char *text, FidoAddress *address) {
  size_t length = strlen(text);
  size_t end;
  return length > 0 && ReadAddressAt(text, length, 0, address, &end) &&
         end == length;
}

// Written out digit by digit: the history shows one a connection, and a
// log holds a million of them.
void ShowFidoAddress(const FidoAddress &address, char *text) {
  char *at = PutNumber(address.zone, text);
  *at++ = ':';
  at = PutNumber(address.net, at);
  *at++ = '/';
  at = PutNumber(address.node, at);
  if (address.point != 0) {
    *at++ = '.';
    at = PutNumber(address.point, at);
  }
  if (address.domain[0] != '\0') {
    *at++ = '@';
    size_t length = strnlen(address.domain, kFidoDomainCapacity);
    memcpy(at, address.domain, length);
    at += length;
  }
  *at = '\0';
}
