// Runs the built program as a BBS script would: in a station directory,
// with arguments, standard output captured, no terminal attached.
//
// RINGCHECK_BINARY in the environment names another build of the program
// (ringcheck.exe, say), and RINGCHECK_RUNNER a program to start it with
// (wine; words separated by blanks, so valgrind with its options), so that
// one set of cases serves every platform and every checker.
#ifndef RINGCHECK_TESTS_RUN_PROGRAM_H
#define RINGCHECK_TESTS_RUN_PROGRAM_H

#include <string>
#include <vector>

struct ProgramRun {
  int exit_code;       // -1 when the program did not exit normally
  std::string output;  // standard output; from Windows, CR LF turned into LF
  std::string bytes;   // standard output as written
};

ProgramRun RunProgramIn(const std::string &directory,
                        const std::vector<std::string> &arguments);
// The same for this platform's own build, started directly, whatever
// RINGCHECK_BINARY and RINGCHECK_RUNNER say.
ProgramRun RunNativeProgramIn(const std::string &directory,
                              const std::vector<std::string> &arguments);
// The same for ringcheck-explain, the program beside it in the same build,
// in English unless the environment says otherwise: each entry NAME=VALUE
// sets a variable for it, a bare NAME removes one.
ProgramRun RunExplainerIn(const std::string &directory,
                          const std::vector<std::string> &arguments,
                          const std::vector<std::string> &environment = {});
// ringcheck-explain of this platform's own build, started directly.
ProgramRun RunNativeExplainerIn(const std::string &directory,
                                const std::vector<std::string> &arguments);
// True when the program under test is a Windows build.
bool TestingWindowsBuild();
// True when the program runs many times slower than itself: under
// valgrind, or emulated (RINGCHECK_EMULATED set, as run-tests does for a
// 32-bit exe on a kernel that runs no 32-bit program).
bool ProgramRunsSlowly();
// The path of the program under test.
std::string ProgramUnderTest();

#endif
