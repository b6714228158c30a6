#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "test_files.h"

namespace {

std::string FromEnvironment(const char *name, const std::string &fallback) {
  const char *value = getenv(name);
  return value != nullptr && value[0] != '\0' ? value : fallback;
}

// Windows writes each line feed of standard output as CR LF.
std::string WithPlainLineFeeds(const std::string &text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      i++;
    plain += text[i];
  }
  return plain;
}

}  // namespace

std::string ProgramUnderTest() {
  return FromEnvironment("RINGCHECK_BINARY", RINGCHECK_BINARY);
}

bool TestingWindowsBuild() {
  std::string binary = ProgramUnderTest();
  return binary.size() > 4 && binary.compare(binary.size() - 4, 4, ".exe") == 0;
}

bool ProgramRunsSlowly() {
  return FromEnvironment("RINGCHECK_RUNNER", "").find("valgrind") !=
             std::string::npos ||
         !FromEnvironment("RINGCHECK_EMULATED", "").empty();
}

namespace {

// ringcheck-explain beside ringcheck, or ringcheck-explain.exe beside
// ringcheck.exe.
std::string ExplainerBeside(const std::string &binary) {
  size_t name = binary.rfind("ringcheck");
  if (name == std::string::npos)
    return binary;
  return binary.substr(0, name) + "ringcheck-explain" +
         binary.substr(name + std::string("ringcheck").size());
}

// The environment the program runs with: this process's own, changed by
// environment ("NAME=value" sets, "NAME" alone unsets).  Made before the
// fork: a test may run programs from two threads at once, and a child of
// a process with threads may call nothing that takes a lock (malloc's)
// before it execs.
std::vector<std::string> ChangedEnvironment(
    const std::vector<std::string> &environment) {
  std::vector<std::string> entries;
  for (char **entry = environ; *entry != nullptr; entry++)
    entries.push_back(*entry);
  for (const std::string &change : environment) {
    std::string name = change.substr(0, change.find('='));
    for (size_t at = entries.size(); at-- > 0;)
      if (entries[at].compare(0, name.size() + 1, name + "=") == 0)
        entries.erase(entries.begin() + static_cast<long>(at));
    if (change.find('=') != std::string::npos)
      entries.push_back(change);
  }
  return entries;
}

ProgramRun RunBinaryIn(const std::string &binary, const std::string &directory,
                       const std::vector<std::string> &arguments,
                       const std::vector<std::string> &environment = {},
                       const std::string &runner =
                           FromEnvironment("RINGCHECK_RUNNER", "")) {
  // The runner may carry options of its own: "valgrind -q --error-exitcode=99".
  std::vector<std::string> words;
  std::istringstream runner_words(runner);
  for (std::string word; runner_words >> word;)
    words.push_back(word);
  words.push_back(binary);
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char *> argv;
  for (std::string &word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> entries = ChangedEnvironment(environment);
  std::vector<char *> envp;
  for (std::string &entry : entries)
    envp.push_back(entry.data());
  envp.push_back(nullptr);

  TempDir scratch;
  std::string output_path = scratch / "stdout";
  pid_t child = fork();
  if (child == 0) {
    // A session of its own: no controlling terminal, so the program draws
    // no status screen onto the terminal that runs the tests.
    setsid();
    int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int nothing = open("/dev/null", O_RDONLY);
    if (output < 0 || nothing < 0 || chdir(directory.c_str()) != 0)
      _exit(126);
    dup2(nothing, 0);
    dup2(output, 1);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ProgramRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.bytes = ReadFileBytes(output_path);
  run.output = run.bytes;
  if (binary.size() > 4 && binary.compare(binary.size() - 4, 4, ".exe") == 0)
    run.output = WithPlainLineFeeds(run.output);
  return run;
}

}  // namespace

ProgramRun RunProgramIn(const std::string &directory,
                        const std::vector<std::string> &arguments) {
  return RunBinaryIn(ProgramUnderTest(), directory, arguments);
}

ProgramRun RunNativeProgramIn(const std::string &directory,
                              const std::vector<std::string> &arguments) {
  return RunBinaryIn(RINGCHECK_BINARY, directory, arguments, {}, "");
}

ProgramRun RunExplainerIn(const std::string &directory,
                          const std::vector<std::string> &arguments,
                          const std::vector<std::string> &environment) {
  std::vector<std::string> english = {"RINGCHECK_LANG=en"};
  english.insert(english.end(), environment.begin(), environment.end());
  return RunBinaryIn(
      ExplainerBeside(ProgramUnderTest()),
      directory, arguments, english);
}

ProgramRun RunNativeExplainerIn(const std::string &directory,
                                const std::vector<std::string> &arguments) {
  return RunBinaryIn(ExplainerBeside(RINGCHECK_BINARY), directory, arguments,
                     {"RINGCHECK_LANG=en"}, "");
}
