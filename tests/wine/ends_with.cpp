// A stand-in for ringcheck.exe in the script tests under Wine: it ends with
// the status in ENDS_WITH, one that ringcheck never gives, and writes
// nothing, so that the result file keeps an earlier call's lines.  (Not
// "exit_with": Wine's cmd takes a command starting with "exit" for its own.)
#include <cstdlib>

int main() {
  const char *status = std::getenv("ENDS_WITH");
  return status == nullptr ? 0
                           : static_cast<int>(std::strtoul(status, nullptr, 0));
}
