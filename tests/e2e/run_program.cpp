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

void SetEnvironment(const std::vector<std::string> &environment) {
  for (const std::string &entry : environment) {
    size_t equals = entry.find('=');
    if (equals == std::string::npos)
      unsetenv(entry.c_str());
    else
      setenv(entry.substr(0, equals).c_str(), entry.c_str() + equals + 1, 1);
  }
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
    SetEnvironment(environment);
    execvp(argv[0], argv.data());
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
