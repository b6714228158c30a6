// Dates and times as a mailer log writes them (see log_dates.h).
#include "capture/log_dates.h"

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

using Word = LogWord;

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

bool ValidDate(int year, int month, int day) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
    return false;
  return !(month == 2 && day == 29 && year != 0 && !IsLeap(year));
}

bool ReadNumericDate(const char *text, const char *end, LogDate *date) {
  return NumericDate({text, end}, date);
}

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

bool NextLogWord(const char **at, const char *end, LogWord *word) {
  return NextWord(at, end, word);
}

int ReadDigits(const char *text, const char *end, int most, int *digits) {
  return Number(text, end, most, digits);
}
