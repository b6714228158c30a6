#include "explain/report_writer.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/text_output.h"

namespace {

constexpr char kCut[] = "...";

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

}  // namespace

void ReportLine(const char *format, ...) {
  char line[1024];
  va_list arguments;
  va_start(arguments, format);
  int length = vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  if (length < 0)
    return;
  if (strlen(line) > kReportWidth)
    line[kReportWidth] = '\0';
  OsWriteTextLine(line);
}

void ReportPlainLine(const char *text) { ReportLine("%s", text); }

void ReportBlankLine() { OsWriteTextLine(""); }

const char *Quote(QuoteBuffer quote, const char *text, size_t columns) {
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
  return quote;
}
