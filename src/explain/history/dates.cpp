#include "explain/history/dates.h"

#include <cstdio>
#include <cstring>

namespace {

// A word of the text, as the log's dates are read (capture/log_dates.cpp).
struct Word {
  const char *start;
  const char *end;
};

size_t Length(const Word &word) {
  return static_cast<size_t>(word.end - word.start);
}

bool NumericDate(const Word &word, LogDate *date) {
  return ReadNumericDate(word.start, word.end, date);
}

}  // namespace

LogDate DateInYearOf(LogDate date, LogDate line_date) {
  if (date.year == 0 && line_date.year != 0)
    date.year = line_date.year + (date.month < line_date.month ? 1 : 0);
  return date;
}

bool ReadWindowDate(const char *text, LogDate *date) {
  Word word = {text, text + strlen(text)};
  if (!NumericDate(word, date))
    return false;
  // Four digits of the year, and two of the day and the month: as written.
  return Length(word) == 10;
}

int CompareDates(LogDate a, LogDate b) {
  if (a.year != b.year)
    return a.year < b.year ? -1 : 1;
  if (a.month != b.month)
    return a.month < b.month ? -1 : 1;
  return a.day < b.day ? -1 : a.day > b.day ? 1 : 0;
}

bool DateInWindow(LogDate date, LogDate since, LogDate until) {
  if (date.day == 0)
    return false;
  if (date.year != 0)
    return (since.day == 0 || CompareDates(date, since) >= 0) &&
           (until.day == 0 || CompareDates(date, until) <= 0);
  // Without a year: in some year of the window, as far as one is closed.
  if (since.day == 0 || until.day == 0)
    return true;
  for (int year = since.year; year <= until.year && year <= since.year + 2;
       year++) {
    LogDate dated = {year, date.month, date.day};
    if (ValidDate(year, date.month, date.day) &&
        CompareDates(dated, since) >= 0 && CompareDates(dated, until) <= 0)
      return true;
  }
  return false;
}

void ShowDate(LogDate date, bool russian, char *text) {
  if (date.day == 0)
    text[0] = '\0';
  else if (russian && date.year != 0)
    snprintf(text, 11, "%02d.%02d.%04d", date.day, date.month, date.year);
  else if (russian)
    snprintf(text, 11, "%02d.%02d", date.day, date.month);
  else
    CsvDate(date, text);
}

void CsvDate(LogDate date, char *text) {
  if (date.day == 0)
    text[0] = '\0';
  else if (date.year != 0)
    snprintf(text, 11, "%04d-%02d-%02d", date.year, date.month, date.day);
  else
    snprintf(text, 11, "--%02d-%02d", date.month, date.day);
}
