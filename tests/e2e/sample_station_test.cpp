// The bundled sample station gives the outcome its files promise.
#include <gtest/gtest.h>

#include <filesystem>

#include "station.h"

namespace {

TEST(SampleStation, IvanPetrovsCallIsRecognised) {
  TempDir station;
  std::filesystem::copy(RINGCHECK_SAMPLE_STATION, station.path,
                        std::filesystem::copy_options::recursive);
  ProgramRun run = RunProgramIn(station.path, {"ringcheck.cfg", "Ivan Petrov"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(ResultFileIn(station / "BBS"),
            CrLfLines({"Ivan Petrov", "2:5020/123.7", "Moscow", "1234567", "1",
                       "0", "CONNECT 33600/ARQ/V34/LAPM/V42BIS"}));
}

}  // namespace
