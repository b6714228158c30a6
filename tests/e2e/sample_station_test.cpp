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
  std::string result = ResultFileIn(station / "BBS");
  EXPECT_EQ(result,
            CrLfLines({"Ivan Petrov", "2:5020/123.7", "Moscow", "1234567", "1",
                       "0", "CONNECT 33600/ARQ/V34/LAPM/V42BIS"}));
  // A Windows build leaves the very bytes this platform's own build does.
  if (TestingWindowsBuild()) {
    TempDir native;
    std::filesystem::copy(RINGCHECK_SAMPLE_STATION, native.path,
                          std::filesystem::copy_options::recursive);
    EXPECT_EQ(RunNativeProgramIn(native.path, {"ringcheck.cfg", "Ivan Petrov"})
                  .exit_code,
              0);
    EXPECT_EQ(ResultFileIn(native / "BBS"), result);
  }
}

}  // namespace
