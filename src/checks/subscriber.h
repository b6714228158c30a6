// The subscriber behind the caller's number, and the two lists that single
// out callers.
#ifndef RINGCHECK_CHECKS_SUBSCRIBER_H
#define RINGCHECK_CHECKS_SUBSCRIBER_H

#include <cstddef>
#include <cstdint>

struct OsFile;
struct ScopedFile;

constexpr size_t kUserNameCapacity = 37;
constexpr size_t kUserField373Capacity = 15;
constexpr size_t kUserField534Capacity = 18;
constexpr size_t kUserPhoneCapacity = 15;
// A large users.tor is read in blocks of this many bytes: large enough
// that a big base costs little more than reading the file once, small
// enough that the block stays a small part of the program's memory.
constexpr size_t kUserBaseBlockSize = 128 * 1024;
// users.tor is a plain run of records of this many bytes.
constexpr size_t kUserRecordSize = 624;

extern char UserName[kUserNameCapacity + 1];
extern char UserField373[kUserField373Capacity + 1];
extern char UserField534[kUserField534Capacity + 1];

// Lines of both list files are read in pieces of this length.
constexpr size_t kListPieceLength = 254;
// A banned-number pattern keeps at most this many characters.
constexpr size_t kNumberPatternCapacity = 15;

struct TextReader;
using ListLine = char[kListPieceLength + 1];

void ResetSubscriber();

// The path of users.tor: the TORNADOPATH directory and the file's name
// (kMaxPathLength + 1 bytes); false when they do not fit.
bool UserBasePath(char *path);

// Finds the first record of users.tor in the BBS directory whose phone
// equals CallerNumber and copies its name and two further strings.  Ends
// the run with status 2 when users.tor cannot be opened.
void LookUpUser();
// Keeps the digits of a stored phone, and of them only the last idlen.
void NormalizePhone(char *phone, int idlen);
// How many of a stored phone's last digits the lookup compares: IDLEN.
int PhoneDigitsCompared();

// users.tor record by record, the way the lookup reads it: through one
// fixed block, so that a reader of the whole base holds a block of it at a
// time, never the file.
struct UserBaseStream {
  OsFile *file;
  int64_t unread;  // bytes of whole records still in the file
  size_t used;     // bytes of the block that this file uses
  size_t next;     // the first byte of the block not yet taken
  size_t filled;   // bytes of the block holding data
  int64_t first;   // the record it began at
  int64_t bytes;   // bytes of whole records from there on
};

// Opens users.tor in the BBS directory and counts its whole records.
// False when it cannot be opened.
bool OpenUserBase(ScopedFile *base, int64_t *records);
// Streams records first to records - 1 of an opened users.tor.
void BeginUserRecords(UserBaseStream *stream, ScopedFile *base, int64_t first,
                      int64_t records);
// The next record, kUserRecordSize bytes that stay until the next call;
// nullptr after the last.
const unsigned char *NextUserRecord(UserBaseStream *stream);
// The next record of the stream one of whose phones, reduced to its last
// idlen digits, is CallerNumber; nullptr when none is left.  The lookup
// stops at the first; the dry run reads on past it.
const unsigned char *NextUserRecordWithCallerNumber(UserBaseStream *stream,
                                                    int idlen);
// The number of the record after the last one taken from the stream,
// counted from 0 at the start of the file.
int64_t UserRecordsTaken(const UserBaseStream *stream);
// The record's name as the lookup takes it (kUserNameCapacity + 1 bytes).
void TakeUserName(const unsigned char *record, char *name);
// Its two phones as stored (kUserPhoneCapacity + 1 bytes each).
void TakeUserPhones(const unsigned char *record, char *phone1, char *phone2);

// Ends the run with status 3 when CallerNumber matches a pattern of the
// BADLIST file; a missing file bans nobody.
void CheckBannedNumbers();
// Opens the list file a setting names (BADLIST or GOODLIST), tells the
// watcher whether it opened, and hands each of its entries, prepared as
// the checks compare them, to take with context.  False, with nothing
// read, when it cannot be opened.  The one reader of both lists, for the
// checks and the reports.
bool ReadListEntries(int slot,
                     void (*take)(const char *entry, const void *context),
                     const void *context);
// Reads the next entry of a list file, prepared as the checks compare it.
// False at the end.
bool ReadListEntry(TextReader *reader, ListLine line);
// Prepares a line of a list file in place, as ReadListEntry does; false
// for a comment line, which is no entry.
bool PrepareListEntry(ListLine line);
// The pattern of a BADLIST entry (kNumberPatternCapacity + 1 bytes).
void TakeNumberPattern(const char *entry, char *pattern);
// True when the number matches the pattern: digits stand for themselves,
// '?' for any digit or the number's end, '*' for whatever follows.
bool MatchNumberPattern(const char *pattern, const char *number);
// Whether any number of so many digits (at most kCallerNumberCapacity)
// matches the pattern.
bool PatternMatchesSomeNumber(const char *pattern, size_t digits);
// Ends the run with status 4 when the login name is a line of the GOODLIST
// file; a missing file exempts nobody.
void CheckExemptNames(const char *login_name);

#endif
