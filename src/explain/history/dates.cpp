#include "explain/history/dates.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kMonths[] = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

bool IsLeap(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// A year of 0 stands for any: February may then have its 29th.
bool ValidDate(int year, int month, int day) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
    return false;
  return !(month == 2 && day == 29 && year != 0 && !IsLeap(year));
}

// A year of two digits: 70 to 99 are the 1900s, the rest the 2000s.
int FullYear(int year, int digits) {
  if (digits == 4)
    return year;
  return year >= 70 ? 1900 + year : 2000 + year;
}

// The number of the digits at text, at most most of them; its length in
// *digits.
int Number(const char *text, const char *end, int most, int *digits) {
  int value = 0;
  *digits = 0;
  while (text + *digits < end && *digits < most && IsDigit(text[*digits])) {
    value = value * 10 + (text[*digits] - '0');
    (*digits)++;
  }
  return value;
}

// A word of the text: a run of characters other than blanks, commas and
// the line's end.
struct Word {
  const char *start;
  const char *end;
};

bool Separates(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\n' || c == '\r' ||
         c == '\0';
}

bool NextWord(const char **at, const char *end, Word *word) {
  const char *p = *at;
  while (p < end && Separates(*p))
    p++;
  if (p == end)
    return false;
  word->start = p;
  while (p < end && !Separates(*p))
    p++;
  word->end = p;
  *at = p;
  return true;
}

size_t Length(const Word &word) {
  return static_cast<size_t>(word.end - word.start);
}

// Digits alone, and how many.
bool AllDigits(const Word &word, int *value) {
  int digits;
  *value = Number(word.start, word.end, 9, &digits);
  return digits > 0 && word.start + digits == word.end;
}

// The month a word of three letters names (a dot may follow), or 0.
int MonthOf(const Word &word) {
  size_t length = Length(word);
  if (length == 4 && word.end[-1] == '.')
    length = 3;
  if (length != 3 || !IsLetter(word.start[0]))
    return 0;
  for (int month = 0; month < 12; month++)
    if (Upper(word.start[0]) == kMonths[month * 3] &&
        Upper(word.start[1]) == kMonths[month * 3 + 1] &&
        Upper(word.start[2]) == kMonths[month * 3 + 2])
      return month + 1;
  return 0;
}

// dd.mm.yyyy (or .yy) and yyyy-mm-dd, the whole word.
bool NumericDate(const Word &word, LogDate *date) {
  const char *p = word.start;
  int first_digits;
  int first = Number(p, word.end, 4, &first_digits);
  p += first_digits;
  if (first_digits == 0 || p == word.end || (*p != '.' && *p != '-'))
    return false;
  char separator = *p++;
  int middle_digits;
  int middle = Number(p, word.end, 2, &middle_digits);
  p += middle_digits;
  if (middle_digits == 0 || p == word.end || *p != separator)
    return false;
  p++;
  int last_digits;
  int last = Number(p, word.end, 4, &last_digits);
  if (last_digits == 0 || p + last_digits != word.end)
    return false;
  if (separator == '-' && first_digits == 4 && last_digits <= 2)
    *date = {first, middle, last};
  else if (separator == '.' && first_digits <= 2 &&
           (last_digits == 2 || last_digits == 4))
    *date = {FullYear(last, last_digits), middle, first};
  else
    return false;
  return ValidDate(date->year, date->month, date->day);
}

// The first date among the words from text to end: numeric, or a day and
// a month, with the year after them when there is one; with_year takes
// only a date with its year.
bool FindDate(const char *text, const char *end, bool with_year,
              LogDate *date) {
  const char *at = text;
  Word before = {nullptr, nullptr};
  Word word;
  while (NextWord(&at, end, &word)) {
    if (NumericDate(word, date))
      return true;
    int day;
    int month = MonthOf(word);
    if (month > 0 && before.start != nullptr && Length(before) <= 2 &&
        AllDigits(before, &day)) {
      Word next;
      const char *after = at;
      int year = 0;
      bool has_year = NextWord(&after, end, &next) && AllDigits(next, &year) &&
                      (Length(next) == 2 || Length(next) == 4);
      year = has_year ? FullYear(year, static_cast<int>(Length(next))) : 0;
      if ((has_year || !with_year) && ValidDate(year, month, day)) {
        *date = {year, month, day};
        return true;
      }
    }
    before = word;
  }
  return false;
}

// A number below 100 as two digits.
void PutTwoDigits(char *text, int number) {
  text[0] = static_cast<char>('0' + number / 10);
  text[1] = static_cast<char>('0' + number % 10);
}

// The first time at text: H:MM or HH:MM, and :SS after it, with no digit
// or colon around it.  Its offset, or -1.  A time has a colon one or two
// places in, so the colons are where to look.
int FindTime(const char *text, size_t length, LineStamp *stamp) {
  for (const char *colon = static_cast<const char *>(memchr(text, ':', length));
       colon != nullptr;
       colon = static_cast<const char *>(
           memchr(colon + 1, ':', length - static_cast<size_t>(colon + 1 - text)))) {
    size_t at = static_cast<size_t>(colon - text);
    size_t i = at >= 2 && IsDigit(text[at - 2]) ? at - 2 : at >= 1 ? at - 1 : at;
    if (!IsDigit(text[i]) ||
        (i > 0 && (IsDigit(text[i - 1]) || text[i - 1] == ':')))
      continue;
    const char *end = text + length;
    int digits;
    int hour = Number(text + i, end, 3, &digits);
    const char *p = text + i + digits;
    if (digits > 2 || p >= end || *p != ':')
      continue;
    int minute_digits;
    int minute = Number(p + 1, end, 3, &minute_digits);
    if (minute_digits != 2)
      continue;
    p += 3;
    int second = -1;
    if (p < end && *p == ':') {
      int second_digits;
      second = Number(p + 1, end, 3, &second_digits);
      if (second_digits != 2)
        continue;
      p += 3;
    }
    if ((p < end && (IsDigit(*p) || *p == ':')) || hour > 23 || minute > 59 ||
        second > 59)
      continue;
    PutTwoDigits(stamp->time, hour);
    stamp->time[2] = ':';
    PutTwoDigits(stamp->time + 3, minute);
    stamp->time[5] = '\0';
    if (second >= 0) {
      stamp->time[5] = ':';
      PutTwoDigits(stamp->time + 6, second);
      stamp->time[8] = '\0';
    }
    stamp->hour = hour;
    return static_cast<int>(i);
  }
  return -1;
}

// A line that begins with a time, blanks before it: "D:DD" at the least.
bool BeginsWithTime(const char *text, size_t length) {
  size_t at = 0;
  while (at < length && (text[at] == ' ' || text[at] == '\t'))
    at++;
  if (length - at < 4)
    return false;
  const char *time = text + at;
  size_t colon = IsDigit(time[1]) ? 2 : 1;
  return IsDigit(time[0]) && colon + 2 < length - at && time[colon] == ':' &&
         IsDigit(time[colon + 1]) && IsDigit(time[colon + 2]);
}

// The time a line begins with as most logs write it, "HH:MM" or
// "HH:MM:SS" (text holds "DD:" already), read straight off; false where
// it is anything else, which FindTime then reads as it reads any line.
bool ReadLeadingTime(const char *text, const char *end, LineStamp *stamp) {
  auto digit = [&](const char *at) { return at < end && IsDigit(*at); };
  if (!digit(text + 3) || !digit(text + 4) || digit(text + 5))
    return false;
  const char *p = text + 5;
  int second = -1;
  if (p < end && *p == ':') {
    if (!digit(p + 1) || !digit(p + 2) || digit(p + 3))
      return false;
    second = (p[1] - '0') * 10 + (p[2] - '0');
    p += 3;
  }
  int hour = (text[0] - '0') * 10 + (text[1] - '0');
  int minute = (text[3] - '0') * 10 + (text[4] - '0');
  if ((p < end && *p == ':') || hour > 23 || minute > 59 || second > 59)
    return false;
  size_t length = static_cast<size_t>(p - text);
  memcpy(stamp->time, text, length);
  stamp->time[length] = '\0';
  stamp->hour = hour;
  return true;
}

}  // namespace

void ReadLineStamp(const char *text, size_t length, LineStamp *stamp) {
  stamp->date = {0, 0, 0};
  stamp->time[0] = '\0';
  stamp->hour = -1;
  // Most logs begin a line with its time, blanks before it: nothing before
  // the time can be a date then.
  size_t at = 0;
  while (at < length && text[at] == ' ')
    at++;
  if (at + 5 <= length && IsDigit(text[at]) && IsDigit(text[at + 1]) &&
      text[at + 2] == ':' &&
      (ReadLeadingTime(text + at, text + length, stamp) ||
       FindTime(text + at, length - at, stamp) == 0))
    return;
  int time = FindTime(text, length, stamp);
  if (time > 0)
    FindDate(text, text + time, false, &stamp->date);
}

bool ReadDateLine(const char *text, size_t length, LogDate *date) {
  if (BeginsWithTime(text, length))
    return false;
  LineStamp stamp;
  int time = FindTime(text, length, &stamp);
  // A date after a time is no date line: the time is the line's own.
  return FindDate(text, time >= 0 ? text + time : text + length, true, date);
}

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
