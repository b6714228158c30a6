// A station in a fresh temporary directory, laid out as the sample one:
// the configuration, the mailer log and the lists in the working
// directory, users.tor and the result file in BBS\.  All paths are
// relative, so that the same cases run under any build of the program.
#ifndef RINGCHECK_TESTS_STATION_H
#define RINGCHECK_TESTS_STATION_H

#include <string>
#include <vector>

#include "run_program.h"
#include "test_files.h"
#include "user_base_writer.h"

struct Station {
  TempDir dir;
  Station();  // makes BBS/, writes a configuration with TORNADOPATH BBS\ .
  // Replaces the configuration: these lines after TORNADOPATH BBS\ .
  void Configure(const std::string &lines);
  void Write(const std::string &name, const std::string &bytes);
  void WriteUsers(const std::vector<UserEntry> &users);
  ProgramRun Run(const std::vector<std::string> &name_arguments = {});
  // The same call, explained by ringcheck-explain (see RunExplainerIn).
  ProgramRun Explain(const std::vector<std::string> &name_arguments = {},
                     const std::vector<std::string> &environment = {});
  // The result file's bytes; "(none)" when there is none.
  std::string Result() const;
};

// The bytes of the result file in a BBS directory, whatever the case of its
// name; "(none)" when there is none.
std::string ResultFileIn(const std::string &bbs);
// Lines as the result file stores them: each one followed by CR LF.
std::string CrLfLines(const std::vector<std::string> &lines);

#endif
