// Dates as the history takes and shows them; the log's own dates are read
// by capture/log_dates.h.
#ifndef RINGCHECK_EXPLAIN_HISTORY_DATES_H
#define RINGCHECK_EXPLAIN_HISTORY_DATES_H

#include <cstddef>

#include "capture/log_dates.h"

// A year-less date given the year of the date line above it: a month
// before that line's is the next year's.
LogDate DateInYearOf(LogDate date, LogDate line_date);

// A side of the window of calls kept: a day, and a time on it.
struct WindowBound {
  LogDate date;  // day 0: that side is open
  int second;    // from midnight; -1: none given, the whole day
};

// --since and --until: yyyy-mm-dd, dd.mm.yyyy, today, yesterday or -N (N
// days before today), each with a time after a blank if need be (H:MM,
// HH:MM or HH:MM:SS).
bool ReadWindowDate(const char *text, LogDate today, WindowBound *bound);
// Whether a call of date and time (as LineStamp's, "" for none, taken as
// midnight) lies in the window: from since on (at or after its time) and
// up to until (its whole day, or before its time).  A date without a year
// is the last such day up to today where the window begins within the
// last year (or ends there, with no beginning); else it is compared by
// month and day in the window's own years.
bool DateInWindow(LogDate date, const char *time, WindowBound since,
                  WindowBound until, LogDate today);
// Compares two dates of known years: below 0, 0 or above.
int CompareDates(LogDate a, LogDate b);

// The date as the reader writes it: dd.mm.yyyy in Russian, yyyy-mm-dd in
// English; without a year dd.mm and --mm-dd (10 bytes and the end).
void ShowDate(LogDate date, bool russian, char *text);
// yyyy-mm-dd, or --mm-dd without a year, for CSV; empty without a date.
void CsvDate(LogDate date, char *text);

#endif
