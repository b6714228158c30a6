// The stored message: its header and kludges made here, its name chosen
// from the folder's messages.
//
// Kludges: INTL on every message, as it carries the zones, which many
// tossers read nowhere else (the header's zone fields came late and are
// often ignored), and does no harm within one zone; FMPT and TOPT only
// where that side's point is not 0, as their absence means point 0.
#include "explain/report/netmail.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/os.h"

namespace {

// Tries of a temporary name, and of the next number on a clash.
constexpr int kNameTries = 256;

// The text, CR after each line; the NUL that ends a message is written
// after it.
char text[kNetmailTextCapacity];
size_t text_length = 0;
bool text_full = false;

struct FolderMessages {
  long highest;
  int upper;  // names of N.MSG
  int lower;  // of N.msg
};

void PutWord(unsigned char *at, unsigned value) {
  at[0] = static_cast<unsigned char>(value & 0xFF);
  at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

void PutField(unsigned char *at, const char *value, size_t capacity) {
  size_t length = strnlen(value, capacity);
  memcpy(at, value, length);
}

bool SameAddress(const FidoAddress &a, const FidoAddress &b) {
  return a.zone == b.zone && a.net == b.net && a.node == b.node &&
         a.point == b.point;
}

// DD Mon YY  HH:MM:SS, as FTS-0001 writes the time of writing; the room
// of any int, so that no field can run into the next.
constexpr size_t kDateCapacity = 64;
void ShowMessageDate(const OsMoment &now, char *date) {
  static const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr",
                                          "May", "Jun", "Jul", "Aug",
                                          "Sep", "Oct", "Nov", "Dec"};
  int month = now.month >= 1 && now.month <= 12 ? now.month - 1 : 0;
  snprintf(date, kDateCapacity, "%02d %s %02d  %02d:%02d:%02d", now.day % 100,
           kMonths[month], now.year % 100, now.hour % 100, now.minute % 100,
           now.second % 100);
}

void MakeHeader(const NetmailEnvelope &envelope, const OsMoment &now,
                unsigned char *header) {
  memset(header, 0, kNetmailHeaderSize);
  PutField(header, envelope.from_name, kNetmailNameCapacity);
  PutField(header + 36, envelope.to_name, kNetmailNameCapacity);
  PutField(header + 72, envelope.subject, kNetmailSubjectCapacity);
  char date[kDateCapacity];
  ShowMessageDate(now, date);
  PutField(header + 144, date, 19);
  const FidoAddress &from = envelope.from_address;
  const FidoAddress &to = envelope.to_address;
  PutWord(header + 166, static_cast<unsigned>(to.node));
  PutWord(header + 168, static_cast<unsigned>(from.node));
  PutWord(header + 172, static_cast<unsigned>(from.net));
  PutWord(header + 174, static_cast<unsigned>(to.net));
  PutWord(header + 176, static_cast<unsigned>(to.zone));
  PutWord(header + 178, static_cast<unsigned>(from.zone));
  PutWord(header + 180, static_cast<unsigned>(to.point));
  PutWord(header + 182, static_cast<unsigned>(from.point));
  // A message to the station itself needs no sending: Sent keeps a
  // tosser's scan from sending it.
  unsigned attributes = kNetmailPrivate | kNetmailLocal;
  if (SameAddress(from, to))
    attributes |= kNetmailSent;
  PutWord(header + 186, attributes);
}

// The kludge lines as they are made, each after ^A and ended by CR.
struct Kludges {
  char text[512];
  size_t length;
};

void PutKludge(Kludges *kludges, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

void PutKludge(Kludges *kludges, const char *format, ...) {
  size_t room = sizeof kludges->text - kludges->length;
  va_list arguments;
  va_start(arguments, format);
  int length = vsnprintf(kludges->text + kludges->length, room, format,
                         arguments);
  va_end(arguments);
  if (length > 0 && static_cast<size_t>(length) < room)
    kludges->length += static_cast<size_t>(length);
}

// The MSGID's serial is the time of writing in seconds, which 27 bits
// keep apart for four years (FTS-0009 asks for three), and the process's
// number in the 5 bits below, for two runs in the same second.
void MakeKludges(const NetmailEnvelope &envelope, const OsMoment &now,
                 Kludges *kludges) {
  const FidoAddress &from = envelope.from_address;
  const FidoAddress &to = envelope.to_address;
  kludges->length = 0;
  PutKludge(kludges, "\001INTL %d:%d/%d %d:%d/%d\r", to.zone, to.net, to.node,
            from.zone, from.net, from.node);
  if (from.point != 0)
    PutKludge(kludges, "\001FMPT %d\r", from.point);
  if (to.point != 0)
    PutKludge(kludges, "\001TOPT %d\r", to.point);
  char address[kFidoAddressCapacity + 1];
  ShowFidoAddress(from, address);
  uint32_t serial = (static_cast<uint32_t>(now.seconds) << 5) |
                    (now.process & 0x1F);
  PutKludge(kludges, "\001MSGID: %s %08lx\r", address,
            static_cast<unsigned long>(serial));
  PutKludge(kludges, "\001PID: %s\r", envelope.program);
  PutKludge(kludges, "\001CHRS: CP866 2\r");
}

// A message's number from its name, N.MSG in any letter case; 0 for any
// other name.
long MessageNumber(const char *name, bool *upper) {
  long number = 0;
  size_t digits = 0;
  for (; name[digits] >= '0' && name[digits] <= '9'; digits++) {
    if (digits == 8)
      return 0;
    number = number * 10 + (name[digits] - '0');
  }
  const char *extension = name + digits;
  if (digits == 0 || strlen(extension) != 4 || extension[0] != '.')
    return 0;
  char lower[4];
  for (int i = 0; i < 3; i++) {
    char c = extension[1 + i];
    lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  lower[3] = '\0';
  if (strcmp(lower, "msg") != 0)
    return 0;
  *upper = strcmp(extension, ".MSG") == 0;
  return number;
}

void SeeName(const char *name, void *context) {
  FolderMessages *messages = static_cast<FolderMessages *>(context);
  bool upper = false;
  long number = MessageNumber(name, &upper);
  if (number == 0)
    return;
  if (number > messages->highest)
    messages->highest = number;
  if (upper)
    messages->upper++;
  else if (strcmp(name + strspn(name, "0123456789"), ".msg") == 0)
    messages->lower++;
}

// Creates the temporary file in folder; its path in path.
bool CreateTemporary(const char *folder, const OsMoment &now, char *path,
                     OsFile *file) {
  for (int attempt = 0; attempt < kNameTries; attempt++) {
    char name[16];
    snprintf(name, sizeof name, "RC%06lX.TMP",
             static_cast<unsigned long>((now.process + attempt) & 0xFFFFFF));
    if (!OsPathInFolder(folder, name, path, kMaxPathLength))
      return false;
    OsCreated created = OsCreateNewFile(path, file);
    if (created == kOsCreated)
      return true;
    if (created == kOsCannotCreate)
      return false;
  }
  return false;
}

bool WriteMessage(OsFile *file, const NetmailEnvelope &envelope,
                  const OsMoment &now) {
  unsigned char header[kNetmailHeaderSize];
  MakeHeader(envelope, now, header);
  Kludges kludges;
  MakeKludges(envelope, now, &kludges);
  bool written = OsWriteBytes(file, header, sizeof header) &&
                 OsWriteBytes(file, kludges.text, kludges.length) &&
                 OsWriteBytes(file, text, text_length) &&
                 OsWriteBytes(file, "", 1);
  return OsCloseFile(file) && written;
}

// Gives the written file the first free number from first.
bool NameMessage(const char *folder, const char *temporary, long first,
                 bool upper, char *path) {
  for (long number = first; number < first + kNameTries; number++) {
    char name[24];
    snprintf(name, sizeof name, "%ld.%s", number, upper ? "MSG" : "msg");
    if (!OsPathInFolder(folder, name, path, kMaxPathLength))
      return false;
    OsNamed named = OsNameWithoutReplacing(temporary, path);
    if (named == kOsNamed)
      return true;
    if (named == kOsCannotName)
      return false;
  }
  return false;
}

// Lines end when they reach the room kept for the note that says so.
bool AddLine(const char *line, size_t room) {
  size_t length = strlen(line);
  if (text_length + length + 1 > room)
    return false;
  memcpy(text + text_length, line, length);
  text_length += length;
  text[text_length++] = '\r';
  return true;
}

}  // namespace

bool NetmailNameFits(const char *name) {
  size_t length = strlen(name);
  if (length == 0 || length > kNetmailNameCapacity)
    return false;
  for (; *name != '\0'; name++)
    if (static_cast<unsigned char>(*name) < 32 || *name == 127)
      return false;
  return true;
}

void BeginNetmailText() {
  text_length = 0;
  text_full = false;
}



void AddNetmailLine(const char *line) {
  if (!text_full && !AddLine(line, sizeof text - kNetmailNoteRoom))
    text_full = true;
}

size_t NetmailTextLength() { return text_length; }

const char *NetmailText() { return text; }

bool NetmailTextFull() { return text_full; }

void AddNetmailNote(const char *line) { AddLine(line, sizeof text); }

NetmailWritten WriteNetmail(const char *folder,
                            const NetmailEnvelope &envelope, char *path) {
  FolderMessages messages = {0, 0, 0};
  if (!OsListFolder(folder, SeeName, &messages))
    return kNetmailNoFolder;
  OsMoment now;
  OsNow(&now);
  char temporary[kMaxPathLength + 1];
  OsFile file;
  if (!CreateTemporary(folder, now, temporary, &file))
    return kNetmailNotWritten;
  // Many tossers keep message 1 as their high-water mark and write over it.
  long first = messages.highest < 2 ? 2 : messages.highest + 1;
  bool upper = !OsNamesKeepCase() || messages.upper > messages.lower;
  if (!WriteMessage(&file, envelope, now) ||
      !NameMessage(folder, temporary, first, upper, path)) {
    OsRemoveFile(temporary);
    return kNetmailNotWritten;
  }
  return kNetmailWritten;
}
