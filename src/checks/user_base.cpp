// The lookup of the caller in the BBS user base, users.tor.
//
// The file is a plain run of 624-byte records with no header.  Of a record
// only five length-prefixed strings are ours: the name, two phones and two
// further fields that the result file passes on.  The file can be large and
// belongs to the BBS, so it is never read whole: each record costs two short
// reads, one per phone, and only the matching record is read further.
#include <cstdint>
#include <cstring>

#include "capture/caller_number.h"
#include "checks/subscriber.h"
#include "config/settings.h"
#include "platform/os.h"
#include "run/run_status.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

char UserName[kUserNameCapacity + 1];
char UserField373[kUserField373Capacity + 1];
char UserField534[kUserField534Capacity + 1];

namespace {

constexpr int64_t kUserRecordSize = 624;
constexpr int64_t kNameOffset = 0;
constexpr int64_t kField373Offset = 373;
constexpr int64_t kPhone1Offset = 389;
constexpr int64_t kPhone2Offset = 405;
constexpr int64_t kField534Offset = 534;

// The phones of the record being examined.
char UserPhone1[kUserPhoneCapacity + 1];
char UserPhone2[kUserPhoneCapacity + 1];

// Every byte taken from users.tor comes through here.  Bytes read, fewer
// than count at the end of the file or on a read error.
size_t ReadUserBaseBytes(OsFile *base, int64_t offset, unsigned char *bytes,
                         size_t count) {
  if (!OsSetPosition(base, offset, kSeekFromStart))
    return 0;
  size_t got = 0;
  while (got < count) {
    size_t part = OsReadBytes(base, bytes + got, count - got);
    if (part == 0)
      break;
    got += part;
  }
  return got;
}

// Reads the length-prefixed string at offset into text (capacity + 1
// bytes) in one read.  A length byte beyond the capacity keeps the first
// capacity bytes; the BBS never writes such a string, and the record stays
// usable.
void ReadUserString(OsFile *base, int64_t offset, char *text,
                    size_t capacity) {
  unsigned char bytes[256];
  size_t got = ReadUserBaseBytes(base, offset, bytes, capacity + 1);
  size_t length = got == 0 ? 0 : bytes[0];
  if (length > capacity)
    length = capacity;
  if (got > 0 && length > got - 1)
    length = got - 1;
  memcpy(text, bytes + 1, length);
  text[length] = '\0';
}

bool RecordMatches(OsFile *base, int64_t record, int idlen) {
  ReadUserString(base, record + kPhone1Offset, UserPhone1, kUserPhoneCapacity);
  ReadUserString(base, record + kPhone2Offset, UserPhone2, kUserPhoneCapacity);
  if (UserPhone1[0] != '\0')
    NormalizePhone(UserPhone1, idlen);
  if (UserPhone2[0] != '\0')
    NormalizePhone(UserPhone2, idlen);
  return strcmp(UserPhone1, CallerNumber) == 0 ||
         strcmp(UserPhone2, CallerNumber) == 0;
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
  char path[kMaxPathLength + 1];
  ScopedFile base;
  // A path too long to hold names no file we could open.
  if (!JoinText(path, kMaxPathLength, Settings[TORNADOPATH], "users.tor") ||
      !OpenFileForReading(path, &base)) {
    OsWriteStandardOutput("Error!");
    FinishRun(kStatusNoUserBase);
  }
  // Bytes after the last whole record belong to no record.
  int64_t records = StreamLength(&base.file) / kUserRecordSize;
  int idlen = SettingAsInteger(Settings[IDLEN]);
  for (int64_t i = 0; i < records; i++) {
    int64_t record = i * kUserRecordSize;
    if (!RecordMatches(&base.file, record, idlen))
      continue;
    ReadUserString(&base.file, record + kNameOffset, UserName,
                   kUserNameCapacity);
    ReadUserString(&base.file, record + kField373Offset, UserField373,
                   kUserField373Capacity);
    ReadUserString(&base.file, record + kField534Offset, UserField534,
                   kUserField534Capacity);
    break;
  }
  CloseFile(&base);
}
