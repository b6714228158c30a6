#include "explain/report/inputs.h"

#include "config/settings.h"
#include "explain/report/paths.h"
#include "explain/report/phone_keys.h"
#include "explain/report/run.h"
#include "explain/report/writer.h"
#include "platform/os.h"
#include "run/text_file.h"
#include "run/text_helpers.h"

InputsRead ReportInputs;

void ForgetReportInputs() { ReportInputs = InputsRead(); }

void SeeBadConfigLine(BadConfigLine) { ReportInputs.bad_config_lines++; }

void SeeListPieceRead(const char *piece) {
  ReportInputs.list_line++;
  CopyText(ReportInputs.list_piece, kListPieceLength, piece);
}

void ReadConfigurationUnder(const char *path) {
  ReportPathHeading(kConfigHeading, path);
  ReportFoundPath(path, false);
  ReportInputs.config_named = true;
  ReadConfigFile(path);
  if (ReportInputs.bad_config_lines > 0)
    ReportLine(Text(kBadLinesCount), ReportInputs.bad_config_lines);
}

namespace {

// The report's own taker of a list's entries, and how many it took.
struct ListTaken {
  void (*take)(const char *entry);
  long long entries;
};

ListTaken list_taken;

void CountListEntry(const char *entry, const void *) {
  list_taken.entries++;
  list_taken.take(entry);
}

std::vector<BannedPattern> *patterns_read;

void TakeBannedPattern(const char *entry) {
  BannedPattern banned;
  TakeNumberPattern(entry, banned.pattern);
  banned.line = ReportInputs.list_piece;
  banned.number = ReportInputs.list_line;
  patterns_read->push_back(banned);
}

}  // namespace

// Nothing is said while the entries are read, so the file's facts follow
// its reading.
void ReadListUnder(int slot, ReportText heading,
                   void (*take)(const char *entry)) {
  ReportPathHeading(heading, Settings[slot]);
  ReportInputs.list_line = 0;
  list_taken = {take, 0};
  if (!ReadListEntries(slot, CountListEntry, nullptr)) {
    ReportPlainLine(Text(kListMissing));
    return;
  }
  ReportFoundPath(Settings[slot], false);
  ReportPlainLine(Text(kListOpened));
  ReportLine(Text(kListEntries), list_taken.entries);
}

std::vector<BannedPattern> ReadBannedPatternsUnder() {
  std::vector<BannedPattern> patterns;
  patterns_read = &patterns;
  ReadListUnder(BADLIST, kBannedHeading, TakeBannedPattern);
  patterns_read = nullptr;
  return patterns;
}

bool OpenUserBaseUnder(ScopedFile *base, int64_t *records) {
  char path[kMaxPathLength + 1];
  UserBasePath(path);
  ReportPathHeading(kUserBaseHeading, path);
  ReportFoundPath(path, false);
  if (!OpenUserBase(base, records)) {
    ReportPlainLine(Text(kUserBaseCannotOpen));
    return false;
  }
  if (*records > kKeyRecordLimit) {
    ReportLine(Text(kBaseTooLarge), static_cast<long long>(*records),
               static_cast<long long>(kKeyRecordLimit));
    throw BaseTooLarge();
  }
  return true;
}

int64_t ReadEachRecord(ScopedFile *base, int64_t records,
                       void (*take)(const unsigned char *record,
                                    int64_t index)) {
  UserBaseStream stream;
  BeginUserRecords(&stream, base, 0, records);
  int64_t index = 0;
  const unsigned char *record;
  while ((record = NextUserRecord(&stream)) != nullptr)
    take(record, index++);
  return index;
}

bool ReadRecordName(ScopedFile *base, int64_t record, char *name) {
  UserBaseStream stream;
  BeginUserRecords(&stream, base, record, record + 1);
  const unsigned char *bytes = NextUserRecord(&stream);
  if (bytes == nullptr) {
    name[0] = '\0';
    return false;
  }
  TakeUserName(bytes, name);
  return true;
}
