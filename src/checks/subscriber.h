// The subscriber behind the caller's number, and the two lists that single
// out callers.
#ifndef RINGCHECK_CHECKS_SUBSCRIBER_H
#define RINGCHECK_CHECKS_SUBSCRIBER_H

#include <cstddef>

constexpr size_t kUserNameCapacity = 37;
constexpr size_t kUserField373Capacity = 15;
constexpr size_t kUserField534Capacity = 18;
constexpr size_t kUserPhoneCapacity = 15;
// A large users.tor is read in blocks of this many bytes: large enough
// that a big base costs little more than reading the file once, small
// enough that the block stays a small part of the program's memory.
constexpr size_t kUserBaseBlockSize = 128 * 1024;

extern char UserName[kUserNameCapacity + 1];
extern char UserField373[kUserField373Capacity + 1];
extern char UserField534[kUserField534Capacity + 1];

// Lines of both list files are read in pieces of this length.
constexpr size_t kListPieceLength = 254;
// A banned-number pattern keeps at most this many characters.
constexpr size_t kNumberPatternCapacity = 15;

void ResetSubscriber();

// Finds the first record of users.tor in the BBS directory whose phone
// equals CallerNumber and copies its name and two further strings.  Ends
// the run with status 2 when users.tor cannot be opened.
void LookUpUser();
// Keeps the digits of a stored phone, and of them only the last idlen.
void NormalizePhone(char *phone, int idlen);

// Ends the run with status 3 when CallerNumber matches a pattern of the
// BADLIST file; a missing file bans nobody.
void CheckBannedNumbers();
// True when the number matches the pattern: digits stand for themselves,
// '?' for any digit or the number's end, '*' for whatever follows.
bool MatchNumberPattern(const char *pattern, const char *number);
// Ends the run with status 4 when the login name is a line of the GOODLIST
// file; a missing file exempts nobody.
void CheckExemptNames(const char *login_name);

#endif
