// A station directory for fuzz targets: made once per process, its files
// rewritten from each input.  Inputs are split into parts at a marker line
// so that one input can carry several files.
#ifndef RINGCHECK_FUZZ_FUZZ_STATION_H
#define RINGCHECK_FUZZ_FUZZ_STATION_H

#include <cstddef>
#include <cstdint>
#include <string_view>

// Makes the station directory (once) and enters it.
void EnterFuzzStation();
// Writes the bytes to a file of the station; an empty view removes it.
void WriteStationFile(const char *name, std::string_view bytes);
// The next part of the input, up to a line "----" or the end.
std::string_view TakePart(std::string_view *input);

#endif
