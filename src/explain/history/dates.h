// Dates as the history takes and shows them; the log's own dates are read
// by capture/log_dates.h.
#ifndef RINGCHECK_EXPLAIN_HISTORY_DATES_H
#define RINGCHECK_EXPLAIN_HISTORY_DATES_H

#include <cstddef>

#include "capture/log_dates.h"

// A year-less date given the year of the date line above it: a month
// before that line's is the next year's.
LogDate DateInYearOf(LogDate date, LogDate line_date);

// yyyy-mm-dd or dd.mm.yyyy, as --since and --until take them.
bool ReadWindowDate(const char *text, LogDate *date);
// Whether the date lies in the window from since to until, both days
// included (a day 0 leaves that side open).  A year-less date lies in it
// when it does in some year the window spans.
bool DateInWindow(LogDate date, LogDate since, LogDate until);
// Compares two dates of known years: below 0, 0 or above.
int CompareDates(LogDate a, LogDate b);

// The date as the reader writes it: dd.mm.yyyy in Russian, yyyy-mm-dd in
// English; without a year dd.mm and --mm-dd (10 bytes and the end).
void ShowDate(LogDate date, bool russian, char *text);
// yyyy-mm-dd, or --mm-dd without a year, for CSV; empty without a date.
void CsvDate(LogDate date, char *text);

#endif
