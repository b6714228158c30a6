// The history's window of days: what --since and --until read, today
// fixed, and which calls lie in it, with and without a year.
#include <gtest/gtest.h>

#include "explain/history/dates.h"

namespace {

const LogDate kToday = {2024, 3, 1};

TEST(HistoryWindow, ReadsTheDaysAndTimesGiven) {
  struct Form {
    const char *text;
    bool read;
    LogDate date;
    int second;
  };
  const Form kForms[] = {
      {"2024-03-12", true, {2024, 3, 12}, -1},
      {"12.03.2024", true, {2024, 3, 12}, -1},
      {"today", true, {2024, 3, 1}, -1},
      {"YESTERDAY", true, {2024, 2, 29}, -1},
      {"-0", true, {2024, 3, 1}, -1},
      {"-366", true, {2023, 3, 1}, -1},
      {"-60", true, {2024, 1, 1}, -1},
      {"yesterday 07:00", true, {2024, 2, 29}, 7 * 3600},
      {"2024-03-12 7:05:09", true, {2024, 3, 12}, 7 * 3600 + 5 * 60 + 9},
      {" -1  23:59 ", true, {2024, 2, 29}, 23 * 3600 + 59 * 60},
      {"2024-3-12", false, {}, 0},
      {"12.03.24", false, {}, 0},
      {"tomorrow", false, {}, 0},
      {"-", false, {}, 0},
      {"-1x", false, {}, 0},
      {"-1234567", false, {}, 0},
      {"today 24:00", false, {}, 0},
      {"today 07:0", false, {}, 0},
      {"today 07:00 x", false, {}, 0},
      {"today07:00", false, {}, 0},
      {"", false, {}, 0},
  };
  for (const Form &form : kForms) {
    WindowBound bound = {{0, 0, 0}, -2};
    EXPECT_EQ(ReadWindowDate(form.text, kToday, &bound), form.read)
        << form.text;
    if (!form.read)
      continue;
    EXPECT_EQ(CompareDates(bound.date, form.date), 0) << form.text;
    EXPECT_EQ(bound.second, form.second) << form.text;
  }
}

// A time given takes the calls from it on, and up to before it: a job at
// 07:00 each morning takes each call once.  A year-less date is the last
// such day up to today in a window of the last year, else compared by its
// month and day in the window's years.
TEST(HistoryWindow, KeepsTheCallsWithinIt) {
  const LogDate kMarch15 = {2024, 3, 15};
  const WindowBound kOpen = {{0, 0, 0}, -1};
  const WindowBound kMarch12 = {{2024, 3, 12}, -1};
  const WindowBound kMarch12At7 = {{2024, 3, 12}, 7 * 3600};
  const WindowBound kMarch13At7 = {{2024, 3, 13}, 7 * 3600};
  const WindowBound kLastYear = {{2023, 12, 31}, -1};
  struct Case {
    LogDate date;
    const char *time;
    WindowBound since;
    WindowBound until;
    bool in;
  };
  const Case kCases[] = {
      {{2024, 3, 12}, "00:00:00", kMarch12, kOpen, true},
      {{2024, 3, 11}, "23:59:59", kMarch12, kOpen, false},
      {{2024, 3, 12}, "23:59:59", kOpen, kMarch12, true},
      {{2025, 3, 12}, "23:59:59", kMarch12, kOpen, true},
      {{2024, 3, 12}, "06:59:59", kMarch12At7, kMarch13At7, false},
      {{2024, 3, 12}, "07:00", kMarch12At7, kMarch13At7, true},
      {{2024, 3, 13}, "06:59:59", kMarch12At7, kMarch13At7, true},
      {{2024, 3, 13}, "07:00:00", kMarch12At7, kMarch13At7, false},
      {{2024, 3, 12}, "", kMarch12At7, kOpen, false},
      {{2024, 3, 12}, "", kOpen, kMarch12At7, true},
      {{0, 0, 0}, "07:00", kOpen, kOpen, false},
      // No year in the log.
      {{0, 3, 11}, "20:31:09", kMarch12, kOpen, false},
      {{0, 3, 12}, "20:31:09", kMarch12, kOpen, true},
      {{0, 3, 16}, "20:31:09", kMarch12, kOpen, false},
      {{0, 3, 11}, "20:31:09", kOpen, kMarch12, true},
      {{0, 3, 13}, "20:31:09", kOpen, kMarch12, false},
      {{0, 3, 12}, "06:00", kMarch12At7, kOpen, false},
      {{0, 1, 1}, "00:10", kLastYear, kOpen, true},
      {{0, 12, 30}, "00:10", kLastYear, kOpen, false},
      {{0, 12, 31}, "00:10", kOpen, kLastYear, true},
      {{0, 2, 29}, "00:10", {{2024, 2, 29}, -1}, kOpen, true},
      {{0, 3, 11}, "00:10", {{2022, 3, 12}, -1}, kOpen, false},
      {{0, 12, 1}, "00:10", {{2022, 3, 12}, -1}, kOpen, true},
      {{0, 3, 13}, "00:10", kOpen, {{2022, 3, 12}, -1}, false},
      {{0, 1, 5}, "00:10", kOpen, {{2022, 3, 12}, -1}, true},
      {{0, 1, 5}, "00:10", {{2022, 12, 1}, -1}, {{2023, 1, 31}, -1}, true},
      {{0, 6, 1}, "00:10", {{2022, 12, 1}, -1}, {{2023, 1, 31}, -1}, false},
  };
  for (const Case &c : kCases)
    EXPECT_EQ(DateInWindow(c.date, c.time, c.since, c.until, kMarch15), c.in)
        << c.date.year << "-" << c.date.month << "-" << c.date.day << " "
        << c.time << " since " << c.since.date.month << "-"
        << c.since.date.day << " until " << c.until.date.month << "-"
        << c.until.date.day;
}

}  // namespace
