#include "explain/report/writer.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/text_output.h"

namespace {

constexpr char kCut[] = "...";
// The narrowest a quote gets: its marks and the cut mark.
constexpr size_t kNarrowestQuote = 2 + sizeof kCut - 1;
// No line of the report holds more quotes than this.
constexpr int kQuotesPerLine = 4;

// The quotes made since the last line was written, which the next line
// may narrow.
struct PendingQuote {
  char *quote;
  const char *text;
};
PendingQuote pending[kQuotesPerLine];
int pending_count = 0;
bool muted = false;

// The form of one byte in a quote (when shown is not null), and its width.
size_t ShowByte(unsigned char byte, char *shown) {
  bool control = byte < 32 || byte == 127;
  if (shown != nullptr && control) {
    shown[0] = '^';
    shown[1] = static_cast<char>(byte == 127 ? '?' : byte + '@');
  } else if (shown != nullptr) {
    shown[0] = static_cast<char>(byte);
  }
  return control ? 2 : 1;
}

void MakeQuote(char *quote, const char *text, size_t columns) {
  size_t length = strlen(text);
  if (length > 0 && text[length - 1] == '\n')
    length--;
  if (columns > kReportWidth)
    columns = kReportWidth;
  size_t whole = 0;
  for (size_t i = 0; i < length; i++)
    whole += ShowByte(static_cast<unsigned char>(text[i]), nullptr);
  // The quote marks take two columns, a cut mark three more.
  size_t room = columns > 2 ? columns - 2 : 0;
  bool cut = whole > room;
  if (cut)
    room = room > sizeof kCut - 1 ? room - (sizeof kCut - 1) : 0;
  size_t used = 0;
  quote[used++] = '"';
  for (size_t i = 0, width = 0; i < length; i++) {
    char shown[2];
    size_t step = ShowByte(static_cast<unsigned char>(text[i]), shown);
    if (width + step > room)
      break;
    memcpy(quote + used, shown, step);
    used += step;
    width += step;
  }
  quote[used++] = '"';
  if (cut) {
    memcpy(quote + used, kCut, sizeof kCut - 1);
    used += sizeof kCut - 1;
  }
  quote[used] = '\0';
}

// The widest of the lines that text holds.  A code page 866 byte is one
// column, and a quote shows no control byte as itself.
size_t WidestLine(const char *text) {
  size_t widest = 0;
  while (true) {
    size_t width = strcspn(text, "\n");
    if (width > widest)
      widest = width;
    if (text[width] == '\0')
      return widest;
    text += width + 1;
  }
}

// Takes columns from the widest pending quote that can still give some.
// False when none can.
bool NarrowAQuote(size_t columns) {
  PendingQuote *widest = nullptr;
  size_t widest_width = kNarrowestQuote;
  for (int i = 0; i < pending_count; i++) {
    size_t width = strlen(pending[i].quote);
    if (width > widest_width) {
      widest = &pending[i];
      widest_width = width;
    }
  }
  if (widest == nullptr)
    return false;
  size_t narrower = widest_width > kNarrowestQuote + columns
                        ? widest_width - columns
                        : kNarrowestQuote;
  MakeQuote(widest->quote, widest->text, narrower);
  return true;
}

void WriteLines(char *text) {
  if (muted)
    return;
  while (true) {
    char *end = strchr(text, '\n');
    if (end != nullptr)
      *end = '\0';
    if (strlen(text) > kReportWidth)
      text[kReportWidth] = '\0';
    OsWriteTextLine(text);
    if (end == nullptr)
      return;
    text = end + 1;
  }
}

}  // namespace

void ReportLine(const char *format, ...) {
  char line[1024];
  va_list arguments;
  va_start(arguments, format);
  while (true) {
    va_list again;
    va_copy(again, arguments);
    int length = vsnprintf(line, sizeof line, format, again);
    va_end(again);
    if (length < 0) {
      line[0] = '\0';
      break;
    }
    size_t width = WidestLine(line);
    if (width <= kReportWidth || !NarrowAQuote(width - kReportWidth))
      break;
  }
  va_end(arguments);
  pending_count = 0;
  WriteLines(line);
}

// A line at a time: the help's texts are longer than a line's buffer.
void ReportPlainLine(const char *text) {
  for (const char *end = strchr(text, '\n'); end != nullptr;
       end = strchr(text, '\n')) {
    ReportLine("%.*s", static_cast<int>(end - text), text);
    text = end + 1;
  }
  ReportLine("%s", text);
}

void ShowInColumn(char *shown, const char *text, size_t columns) {
  size_t used = 0;
  for (; *text != '\0' && *text != '\n'; text++) {
    char form[2];
    size_t step = ShowByte(static_cast<unsigned char>(*text), form);
    if (used + step > columns)
      break;
    memcpy(shown + used, form, step);
    used += step;
  }
  shown[used] = '\0';
}

void FlushReport() { OsFlushTextLines(); }

const char *QuoteWithin(QuoteBuffer quote, const char *text, size_t columns) {
  MakeQuote(quote, text, columns < kNarrowestQuote ? kNarrowestQuote : columns);
  return quote;
}

void BeginLine(LineBuilder *line) {
  line->length = 0;
  line->text[0] = '\0';
}

void PutText(LineBuilder *line, const char *text) {
  size_t room = sizeof line->text - 1 - line->length;
  size_t length = strnlen(text, room);
  memcpy(line->text + line->length, text, length);
  line->length += length;
  line->text[line->length] = '\0';
}

void PutByte(LineBuilder *line, char byte) {
  const char text[2] = {byte, '\0'};
  if (byte != '\0')
    PutText(line, text);
}

void PutPadded(LineBuilder *line, const char *text, size_t width) {
  size_t start = line->length;
  PutText(line, text);
  while (line->length - start < width && line->length < sizeof line->text - 1)
    line->text[line->length++] = ' ';
  line->text[line->length] = '\0';
}

void PutFormatted(LineBuilder *line, const char *format, ...) {
  size_t room = sizeof line->text - line->length;
  va_list arguments;
  va_start(arguments, format);
  int length = vsnprintf(line->text + line->length, room, format, arguments);
  va_end(arguments);
  // vsnprintf tells the length the text would have had: only what went in
  // counts.
  if (length < 0)
    line->text[line->length] = '\0';
  else
    line->length += static_cast<size_t>(length) < room
                        ? static_cast<size_t>(length)
                        : room - 1;
}

void ReportBuiltLine(LineBuilder *line) {
  pending_count = 0;
  if (line->length > kReportWidth)
    line->text[kReportWidth] = '\0';
  if (!muted)
    OsWriteTextLine(line->text);
}

// Where text of no more than room columns can break: at the last blank
// after a comma or a semicolon outside quotes, so that a clause stays
// whole; else at the last blank outside quotes, or any blank, or at room
// itself.
size_t BreakWithin(const char *text, size_t room) {
  size_t length = strlen(text);
  if (length <= room)
    return length;
  size_t clause = 0;
  size_t outside = 0;
  size_t any = 0;
  bool quoted = false;
  for (size_t i = 0; i <= room && i < length; i++) {
    if (text[i] == '"')
      quoted = !quoted;
    if (text[i] != ' ' || i == 0)
      continue;
    any = i;
    if (quoted)
      continue;
    outside = i;
    if (text[i - 1] == ',' || text[i - 1] == ';')
      clause = i;
  }
  return clause > 0 ? clause : outside > 0 ? outside : any > 0 ? any : room;
}

void ReportBuiltLineWith(LineBuilder *line, const char *text) {
  size_t column = line->length < kReportWidth - 8 ? line->length : 0;
  LineBuilder next;
  BeginLine(&next);
  if (column == 0)
    ReportBuiltLine(line);
  else
    next = *line;
  while (true) {
    size_t room = kReportWidth - next.length;
    size_t cut = BreakWithin(text, room);
    char part[kReportWidth + 1];
    memcpy(part, text, cut);
    part[cut] = '\0';
    PutText(&next, part);
    ReportBuiltLine(&next);
    text += cut;
    while (*text == ' ')
      text++;
    if (*text == '\0')
      return;
    BeginLine(&next);
    PutPadded(&next, "", column);
  }
}

void MuteReport(bool mute) { muted = mute; }

void ReportBlankLine() { ReportLine("%s", ""); }

const char *Quote(QuoteBuffer quote, const char *text) {
  MakeQuote(quote, text, kReportWidth);
  // A quote made again in the same buffer is the same pending quote.
  int slot = 0;
  while (slot < pending_count && pending[slot].quote != quote)
    slot++;
  if (slot < kQuotesPerLine) {
    pending[slot] = {quote, text};
    if (slot == pending_count)
      pending_count++;
  }
  return quote;
}
