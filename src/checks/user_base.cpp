// The lookup of the caller in the BBS user base, users.tor.
//
// The file is a plain run of 624-byte records with no header.  Of a record
// only five length-prefixed strings are ours: the name, two phones and two
// further fields that the result file passes on.  The file can be large and
// belongs to the BBS, so it is never held whole: it streams through one
// fixed block, a record cut by the block's end is carried to the front of
// the next fill, of each record only the two phones are looked at, and the
// other three strings are taken from the matching record alone.  One read
// per block instead of one per field keeps a large base near the speed of
// reading the file once.
#include <cstdint>
#include <cstring>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "platform/os.h"
#include "run/run_observer.h"
#include "run/run_status.h"
#include "run/standard_output.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

char UserName[kUserNameCapacity + 1];
char UserField373[kUserField373Capacity + 1];
char UserField534[kUserField534Capacity + 1];

namespace {

constexpr size_t kNameOffset = 0;
constexpr size_t kField373Offset = 373;
constexpr size_t kPhone1Offset = 389;
constexpr size_t kPhone2Offset = 405;
constexpr size_t kField534Offset = 534;

static_assert(kUserBaseBlockSize >= 4 * 4096,
              "a block must hold several records");

// The phones of the record being examined.  They and CallerNumber start
// on a 256-byte boundary: the C library's vector strcmp takes a slower
// path whenever the two addresses, ORed, lie within 128 bytes of a page's
// end, so wherever the linker happens to put them the comparison that
// runs for a tenth of all records would cost half again as much.
alignas(256) char UserPhone1[kUserPhoneCapacity + 1];
alignas(256) char UserPhone2[kUserPhoneCapacity + 1];

// The part of users.tor read last.  Static, not on the stack: it is large,
// and the pages it never needs are never touched.  On a page boundary, so
// that a block use of so many pages touches just so many.
alignas(4096) unsigned char UserBaseBlock[kUserBaseBlockSize];

// The part of the block a base of this many bytes uses.  Every page of the
// block costs a fault the first time it is touched and every fill a read,
// so a small base, as most stations have, is read through about a
// sixteenth of its size, and a large one through the whole block.
size_t UserBaseBlockUse(int64_t bytes) {
  constexpr int64_t kPage = 4096;
  constexpr int64_t kLeast = 4 * kPage;
  int64_t use = (bytes / 16 + kPage - 1) / kPage * kPage;
  if (use < kLeast)
    use = kLeast;
  if (use > static_cast<int64_t>(kUserBaseBlockSize))
    use = static_cast<int64_t>(kUserBaseBlockSize);
  return static_cast<size_t>(use);
}

// Every byte taken from users.tor comes through here.  Bytes read, fewer
// than count at the end of the file or on a read error.
size_t ReadUserBaseBytes(OsFile *base, unsigned char *bytes, size_t count) {
  size_t got = 0;
  while (got < count) {
    size_t part = OsReadBytes(base, bytes + got, count - got);
    if (part == 0)
      break;
    got += part;
  }
  return got;
}

// Opens users.tor, counting its whole records.  Bytes after the last one
// belong to no record and are not read, nor is anything the BBS appends
// meanwhile.
bool OpenBase(ScopedFile *base, int64_t *records) {
  char path[kMaxPathLength + 1];
  // A path too long to hold names no file we could open.
  if (!UserBasePath(path) || !OpenFileForReading(path, base))
    return false;
  *records = StreamLength(&base->file) / static_cast<int64_t>(kUserRecordSize);
  return true;
}

// The next whole record, or nullptr when the file holds no more.  The
// piece of a record left at the end of the block moves to its front and
// the rest of the block is filled behind it.  The lookup's loop calls it
// for every record; readers elsewhere go through NextUserRecord, so that
// it stays inlined in that loop.
const unsigned char *NextRecord(UserBaseStream *stream) {
  if (stream->filled - stream->next < kUserRecordSize) {
    size_t carried = stream->filled - stream->next;
    memmove(UserBaseBlock, UserBaseBlock + stream->next, carried);
    size_t room = stream->used - carried;
    if (static_cast<int64_t>(room) > stream->unread)
      room = static_cast<size_t>(stream->unread);
    size_t got =
        ReadUserBaseBytes(stream->file, UserBaseBlock + carried, room);
    stream->unread -= static_cast<int64_t>(got);
    stream->next = 0;
    stream->filled = carried + got;
    if (stream->filled < kUserRecordSize)
      return nullptr;
  }
  const unsigned char *record = UserBaseBlock + stream->next;
  stream->next += kUserRecordSize;
  return record;
}

// Copies the length-prefixed string at offset of the record into text
// (capacity + 1 bytes).  A length byte beyond the capacity keeps the first
// capacity bytes; the BBS never writes such a string, and the record stays
// usable.  Every string read this way ends inside the record.
void TakeUserString(const unsigned char *record, size_t offset, char *text,
                    size_t capacity) {
  size_t length = record[offset];
  if (length > capacity)
    length = capacity;
  memcpy(text, record + offset + 1, length);
  text[length] = '\0';
}

// The last digit of a stored phone, up to a NUL as the comparison reads
// it; 0 when it has none.
char LastPhoneDigit(const unsigned char *field) {
  size_t length = field[0] > kUserPhoneCapacity ? kUserPhoneCapacity : field[0];
  const unsigned char *text = field + 1;
  const void *nul = memchr(text, 0, length);
  if (nul != nullptr)
    length =
        static_cast<size_t>(static_cast<const unsigned char *>(nul) - text);
  while (length > 0 && (text[length - 1] < '0' || text[length - 1] > '9'))
    length--;
  return length == 0 ? 0 : static_cast<char>(text[length - 1]);
}

// A phone that matches the caller's number ends in the number's last digit
// (last; 0 for an empty number, which the glance does not settle).  For
// nearly every record a glance at the phones' last digits settles it; the
// full comparison runs only for the rest.
bool RecordMatches(const unsigned char *record, int idlen, char last) {
  if (last != 0 && LastPhoneDigit(record + kPhone1Offset) != last &&
      LastPhoneDigit(record + kPhone2Offset) != last)
    return false;
  TakeUserString(record, kPhone1Offset, UserPhone1, kUserPhoneCapacity);
  TakeUserString(record, kPhone2Offset, UserPhone2, kUserPhoneCapacity);
  if (UserPhone1[0] != '\0')
    NormalizePhone(UserPhone1, idlen);
  if (UserPhone2[0] != '\0')
    NormalizePhone(UserPhone2, idlen);
  return strcmp(UserPhone1, CallerNumber) == 0 ||
         strcmp(UserPhone2, CallerNumber) == 0;
}

// The next record whose phone is CallerNumber, or nullptr: the loop that
// runs for every record of a large base.
const unsigned char *FindCallerRecord(UserBaseStream *stream, int idlen) {
  size_t caller_length = strlen(CallerNumber);
  char last = caller_length == 0 ? 0 : CallerNumber[caller_length - 1];
  const unsigned char *record;
  while ((record = NextRecord(stream)) != nullptr) {
    if (RecordMatches(record, idlen, last))
      return record;
  }
  return nullptr;
}

}  // namespace

void ResetSubscriber() {
  UserName[0] = '\0';
  UserField373[0] = '\0';
  UserField534[0] = '\0';
  UserPhone1[0] = '\0';
  UserPhone2[0] = '\0';
}

void NormalizePhone(char *phone, int idlen) {
  // The digits move down over the dropped bytes, in place.
  size_t digits = 0;
  for (const char *p = phone; *p != '\0'; p++) {
    if (*p >= '0' && *p <= '9')
      phone[digits++] = *p;
  }
  phone[digits] = '\0';
  if (idlen <= 0)
    phone[0] = '\0';
  else if (digits > static_cast<size_t>(idlen))
    DeleteSpan(phone, 0, static_cast<int>(digits) - idlen);
}

void LookUpUser() {
  ScopedFile base;
  int64_t records = 0;
  if (!OpenBase(&base, &records)) {
    WriteStandardOutput("Error!");
    FinishRun(kStatusNoUserBase);
  }
  NoteUserBaseOpened(records);
  // From the start, where the file was just opened.
  int64_t bytes = records * static_cast<int64_t>(kUserRecordSize);
  UserBaseStream stream = {
      &base.file, bytes, UserBaseBlockUse(bytes), 0, 0, 0, bytes};
  const unsigned char *record =
      FindCallerRecord(&stream, PhoneDigitsCompared());
  if (record != nullptr) {
    TakeUserString(record, kNameOffset, UserName, kUserNameCapacity);
    TakeUserString(record, kField373Offset, UserField373,
                   kUserField373Capacity);
    TakeUserString(record, kField534Offset, UserField534,
                   kUserField534Capacity);
    NoteUserFound(UserRecordsTaken(&stream) *
                  static_cast<int64_t>(kUserRecordSize));
  }
  CloseFile(&base);
}

int PhoneDigitsCompared() { return SettingAsInteger(Settings[IDLEN]); }

bool UserBasePath(char *path) {
  return JoinText(path, kMaxPathLength, Settings[TORNADOPATH], "users.tor");
}

bool OpenUserBase(ScopedFile *base, int64_t *records) {
  return OpenBase(base, records);
}

void BeginUserRecords(UserBaseStream *stream, ScopedFile *base, int64_t first,
                      int64_t records) {
  if (first > records)
    first = records;
  int64_t bytes = (records - first) * static_cast<int64_t>(kUserRecordSize);
  OsSetPosition(&base->file, first * static_cast<int64_t>(kUserRecordSize),
                kSeekFromStart);
  *stream = {&base->file, bytes, UserBaseBlockUse(bytes), 0, 0, first, bytes};
}

const unsigned char *NextUserRecord(UserBaseStream *stream) {
  return NextRecord(stream);
}

const unsigned char *NextUserRecordWithCallerNumber(UserBaseStream *stream,
                                                    int idlen) {
  return FindCallerRecord(stream, idlen);
}

int64_t UserRecordsTaken(const UserBaseStream *stream) {
  // The bytes read less those still waiting in the block.
  int64_t taken = stream->bytes - stream->unread -
                  static_cast<int64_t>(stream->filled - stream->next);
  return stream->first + taken / static_cast<int64_t>(kUserRecordSize);
}

void TakeUserName(const unsigned char *record, char *name) {
  TakeUserString(record, kNameOffset, name, kUserNameCapacity);
}

void TakeUserPhones(const unsigned char *record, char *phone1, char *phone2) {
  TakeUserString(record, kPhone1Offset, phone1, kUserPhoneCapacity);
  TakeUserString(record, kPhone2Offset, phone2, kUserPhoneCapacity);
}
