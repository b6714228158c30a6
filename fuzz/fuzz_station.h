// A station directory for fuzz targets: made once per process, its files
// rewritten from each input.  Inputs are split into parts at a marker line
// so that one input can carry several files.
//
// The targets run the program's own code in-process, millions of times, so
// every run must leave the process as it found it: each target ends with
// LeaveFuzzStation, which aborts when a run kept a file descriptor.
#ifndef RINGCHECK_FUZZ_FUZZ_STATION_H
#define RINGCHECK_FUZZ_FUZZ_STATION_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Makes the station directory with its BBS subdirectory and sends standard
// output to /dev/null (once: a run's console text is of no use here and
// would only slow the fuzzer down), then enters the station for one run.
void EnterFuzzStation();
// Writes the bytes to a file of the station; an empty view removes it.
void WriteStationFile(const char *name, std::string_view bytes);
// Removes every file of the station and of its BBS directory, so that
// files a run created (a result file under any name) do not pile up.
void ClearStation();
// The next part of the input, up to a line "----" or the end.
std::string_view TakePart(std::string_view *input);
// Only the digits of the text, at most capacity of them.
std::string DigitsOf(std::string_view text, size_t capacity);
// Ends a run: aborts when a descriptor opened during it is still open, and
// goes back to the directory the fuzzer was started in.  Every return from
// a target passes here.
void LeaveFuzzStation();
// Aborts with the message: an outcome that the program must never give.
[[noreturn]] void Fail(const char *what);

#endif
