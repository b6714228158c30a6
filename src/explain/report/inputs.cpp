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

void ReadListUnder(int slot, ReportText heading,
                   void (*take)(const char *entry)) {
  ReportPathHeading(heading, Settings[slot]);
  ScopedFile list;
  if (!OpenFileForReading(Settings[slot], &list)) {
    ReportPlainLine(Text(kListMissing));
    return;
  }
  ReportFoundPath(Settings[slot], false);
  ReportPlainLine(Text(kListOpened));
  TextReader reader;
  BeginTextReading(&reader, &list);
  ReportInputs.list_line = 0;
  long long entries = 0;
  ListLine entry;
  for (; ReadListEntry(&reader, entry); entries++)
    take(entry);
  CloseFile(&list);
  ReportLine(Text(kListEntries), entries);
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
