// Dates and times as a mailer log writes them.  A log dates its lines in
// one of two ways: a line that holds a date alone ("---------- Mon 11 Mar
// 2024, session log") dates the lines after it, and a line may begin with
// its own date before its time ("+ 11 Mar 20:31:08", "11.03.2024
// 20:31:08", "2024-03-11 20:31:08").
#ifndef RINGCHECK_CAPTURE_LOG_DATES_H
#define RINGCHECK_CAPTURE_LOG_DATES_H

#include <cstddef>

// A day of the calendar; year 0 where the log gives none, day 0 for no
// date at all.
struct LogDate {
  int year;
  int month;
  int day;
};

// The date and the time a line begins with.
struct LineStamp {
  LogDate date;  // day 0: the line gives none
  char time[9];  // "HH:MM:SS" or "HH:MM"; empty when it gives none
  int hour;      // -1 without a time
};

// The stamp of a line from the first length bytes of its text.
void ReadLineStamp(const char *text, size_t length, LineStamp *stamp);
// The date a line holds alone, a date line: a day, an English month and a
// year, a weekday or words around them, and no time before the date.  A
// line that begins with a time, blanks before it, is none: it dates
// nothing but itself.
bool ReadDateLine(const char *text, size_t length, LogDate *date);
// A word of a line: a run of characters other than blanks, commas and the
// line's end, as its dates are read.
struct LogWord {
  const char *start;
  const char *end;
};
// The next word from *at on, before end; *at then stands past it.
bool NextLogWord(const char **at, const char *end, LogWord *word);
// The number of the digits at text, at most most of them; their count in
// *digits.
int ReadDigits(const char *text, const char *end, int most, int *digits);
// dd.mm.yyyy (or .yy) or yyyy-mm-dd, the whole of text to end.
bool ReadNumericDate(const char *text, const char *end, LogDate *date);
// A day of the calendar; a year of 0 stands for any, February's 29th too.
bool ValidDate(int year, int month, int day);

#endif
