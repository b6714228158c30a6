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

// The packaged configuration's CIDMASK example, in force on the sample
// station, still finds Ivan Petrov: a sysop who copies it locks nobody out.
TEST(SampleStation, ThePackagedMaskExampleStillFindsIvanPetrov) {
  TempDir station;
  std::filesystem::copy(RINGCHECK_SAMPLE_STATION, station.path,
                        std::filesystem::copy_options::recursive);
  std::string packaged = ReadFileBytes(
      RINGCHECK_SAMPLE_STATION "/../../packaging/windows/ringcheck.cfg");
  size_t example = packaged.find("\n;CIDMASK ");
  ASSERT_NE(example, std::string::npos);
  std::string line = packaged.substr(
      example + 2, packaged.find('\n', example + 1) - example - 2);
  WriteFileBytes(station / "ringcheck.cfg",
                 ReadFileBytes(station / "ringcheck.cfg") + line + "\r\n");
  EXPECT_EQ(
      RunProgramIn(station.path, {"ringcheck.cfg", "Ivan Petrov"}).exit_code,
      0);
  EXPECT_EQ(ResultFileIn(station / "BBS").substr(0, 13), "Ivan Petrov\r\n")
      << line;
}

}  // namespace
