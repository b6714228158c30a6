#include "explain/history/dates.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Words and numbers as the log's dates are read (capture/log_dates.h).
using Word = LogWord;

size_t Length(const Word &word) {
  return static_cast<size_t>(word.end - word.start);
}

bool NextWord(const char **at, const char *end, Word *word) {
  return NextLogWord(at, end, word);
}

int Number(const char *text, const char *end, int most, int *digits) {
  return ReadDigits(text, end, most, digits);
}

// Digits alone, and how many.
bool AllDigits(const Word &word, int *value) {
  int digits;
  *value = Number(word.start, word.end, 9, &digits);
  return digits > 0 && word.start + digits == word.end;
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

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar,
// and back: the window's days counted back from today.
int64_t DaysOfDate(LogDate date) {
  int64_t year = date.year - (date.month <= 2 ? 1 : 0);
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t of_era = year - era * 400;
  int64_t day_of_year =
      (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
  int64_t of_era_days =
      of_era * 365 + of_era / 4 - of_era / 100 + day_of_year;
  return era * 146097 + of_era_days - 719468;
}

LogDate DateOfDays(int64_t days) {
  days += 719468;
  int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  int64_t of_era = days - era * 146097;
  int64_t year_of_era =
      (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  int64_t day_of_year =
      of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  int64_t shifted_month = (5 * day_of_year + 2) / 153;
  int day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  int month = static_cast<int>(shifted_month < 10 ? shifted_month + 3
                                                  : shifted_month - 9);
  int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

bool SameWord(const Word &word, const char *name) {
  size_t length = strlen(name);
  if (Length(word) != length)
    return false;
  for (size_t i = 0; i < length; i++)
    if ((word.start[i] | 0x20) != name[i])
      return false;
  return true;
}

// The day a window names: a date as written in full, or a day counted
// back from today.
bool ReadWindowDay(const Word &word, LogDate today, LogDate *date) {
  int back = -1;
  if (SameWord(word, "today"))
    back = 0;
  else if (SameWord(word, "yesterday"))
    back = 1;
  else if (word.start[0] == '-' && Length(word) >= 2 && Length(word) <= 6) {
    Word digits = {word.start + 1, word.end};
    if (!AllDigits(digits, &back))
      return false;
  }
  if (back >= 0) {
    *date = DateOfDays(DaysOfDate(today) - back);
    return true;
  }
  // Four digits of the year, and two of the day and the month: as written.
  return NumericDate(word, date) && Length(word) == 10;
}

// H:MM, HH:MM or HH:MM:SS as seconds from midnight; -1 when it is none.
int SecondOfDay(const char *text, const char *end) {
  int digits;
  int hour = Number(text, end, 3, &digits);
  const char *p = text + digits;
  if (digits < 1 || digits > 2 || p >= end || *p != ':')
    return -1;
  int minute = Number(p + 1, end, 3, &digits);
  if (digits != 2)
    return -1;
  p += 3;
  int second = 0;
  if (p < end && *p == ':') {
    second = Number(p + 1, end, 3, &digits);
    if (digits != 2)
      return -1;
    p += 3;
  }
  if (p != end || hour > 23 || minute > 59 || second > 59)
    return -1;
  return (hour * 60 + minute) * 60 + second;
}

// A call at date and second (-1: its time unknown, taken as midnight)
// against a side of the window: below 0 before it, 0 on it, above after.
// A day with no time given holds all of that day.
int CompareWithBound(LogDate date, int second, WindowBound bound) {
  int by_day = CompareDates(date, bound.date);
  if (by_day != 0 || bound.second < 0)
    return by_day;
  second = second < 0 ? 0 : second;
  return second < bound.second ? -1 : second > bound.second ? 1 : 0;
}

bool InWindow(LogDate date, int second, WindowBound since, WindowBound until) {
  return (since.date.day == 0 || CompareWithBound(date, second, since) >= 0) &&
         (until.date.day == 0 ||
          (until.second < 0 ? CompareWithBound(date, second, until) <= 0
                            : CompareWithBound(date, second, until) < 0));
}

// A year-less date as the last such day up to today: a log is written up
// to now.  A 29th of February may go back some years.
LogDate LastUpTo(LogDate date, LogDate today) {
  for (int year = today.year; year > today.year - 8; year--) {
    LogDate dated = {year, date.month, date.day};
    if (ValidDate(year, date.month, date.day) &&
        CompareDates(dated, today) <= 0)
      return dated;
  }
  return {0, 0, 0};
}

}  // namespace

bool ReadWindowDate(const char *text, LogDate today, WindowBound *bound) {
  const char *end = text + strlen(text);
  const char *at = text;
  Word day;
  if (!NextWord(&at, end, &day) || !ReadWindowDay(day, today, &bound->date))
    return false;
  bound->second = -1;
  Word time;
  if (!NextWord(&at, end, &time))
    return true;
  Word more;
  bound->second = SecondOfDay(time.start, time.end);
  return bound->second >= 0 && !NextWord(&at, end, &more);
}

int CompareDates(LogDate a, LogDate b) {
  if (a.year != b.year)
    return a.year < b.year ? -1 : 1;
  if (a.month != b.month)
    return a.month < b.month ? -1 : 1;
  return a.day < b.day ? -1 : a.day > b.day ? 1 : 0;
}

bool DateInWindow(LogDate date, const char *time, WindowBound since,
                  WindowBound until, LogDate today) {
  int second = SecondOfDay(time, time + strlen(time));
  if (date.day == 0)
    return false;
  if (date.year != 0)
    return InWindow(date, second, since, until);
  // Without a year.  A window that begins within the last year (or ends
  // there, its beginning open) asks for the log's last months: the date is
  // the last such day up to today.  Any other is compared by month and day
  // in the window's own years.
  WindowBound anchor = since.date.day != 0 ? since : until;
  int64_t back = DaysOfDate(today) - DaysOfDate(anchor.date);
  if (back >= 0 && back < 365) {
    LogDate dated = LastUpTo(date, today);
    return dated.day != 0 && InWindow(dated, second, since, until);
  }
  int last = since.date.day != 0 && until.date.day != 0 ? until.date.year
                                                        : anchor.date.year;
  for (int year = anchor.date.year;
       year <= last && year <= anchor.date.year + 2; year++) {
    LogDate dated = {year, date.month, date.day};
    if (ValidDate(year, date.month, date.day) &&
        InWindow(dated, second, since, until))
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
