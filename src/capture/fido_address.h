// FidoNet addresses, zone:net/node[.point][@domain], as a mailer's log
// names a remote and as a sysop gives his station's own.
#ifndef RINGCHECK_CAPTURE_FIDO_ADDRESS_H
#define RINGCHECK_CAPTURE_FIDO_ADDRESS_H

#include <cstddef>

constexpr int kFidoNumberMost = 32767;
constexpr size_t kFidoDomainCapacity = 20;
// "32767:32767/32767.32767@" and the domain.
constexpr size_t kFidoAddressCapacity = 24 + kFidoDomainCapacity;

struct FidoAddress {
  int zone;  // from 1
  int net;
  int node;
  int point;  // 0: none
  char domain[kFidoDomainCapacity + 1];  // "": none
};

// The first address within text[0, length): each number whole and 0 to
// 32767 (the zone from 1), not preceded by a digit or by a digit and a
// colon, so that a time ("20:31:08/20:45"), a speed ("33600/ARQ") or a
// date is none.  begin and end, when not null, get where it stands.
bool FindFidoAddress(const char *text, size_t length, FidoAddress *address,
                     size_t *begin, size_t *end);
// text is one address and nothing else.
bool ReadFidoAddress(const char *text, FidoAddress *address);
// The address as written, the point where it is not 0, the domain where
// there is one (kFidoAddressCapacity + 1 bytes).
void ShowFidoAddress(const FidoAddress &address, char *text);

#endif
