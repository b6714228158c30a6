#include "fuzz_station.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

void EnterFuzzStation() {
  static bool entered = false;
  if (entered)
    return;
  entered = true;
  char directory[] = "/tmp/ringcheck-fuzz-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0)
    abort();
  mkdir("BBS", 0700);
}

void WriteStationFile(const char *name, std::string_view bytes) {
  if (bytes.empty()) {
    unlink(name);
    return;
  }
  int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0)
    abort();
  if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    abort();
  close(fd);
}

std::string_view TakePart(std::string_view *input) {
  static constexpr std::string_view kMarker = "\n----\n";
  size_t at = input->find(kMarker);
  std::string_view part = input->substr(0, at);
  input->remove_prefix(at == std::string_view::npos ? input->size()
                                                    : at + kMarker.size());
  return part;
}
