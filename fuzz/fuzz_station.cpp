#include "fuzz_station.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWatchedDescriptors = 64;

char station_directory[] = "/tmp/ringcheck-fuzz-XXXXXX";
// The directory the fuzzer was started in, where it keeps its corpus and
// artifacts under relative paths, and the station: a run works in the
// station and goes back when it ends.
int started_in = -1;
int station = -1;
std::bitset<kWatchedDescriptors> open_before;
bool watching = false;

std::bitset<kWatchedDescriptors> OpenDescriptors() {
  std::bitset<kWatchedDescriptors> open;
  for (int fd = 0; fd < kWatchedDescriptors; fd++)
    open[fd] = fcntl(fd, F_GETFD) != -1;
  return open;
}

void RemoveFilesIn(const char *directory) {
  DIR *listing = opendir(directory);
  if (listing == nullptr)
    return;
  while (struct dirent *entry = readdir(listing)) {
    if (entry->d_type == DT_DIR)
      continue;
    std::string path = std::string(directory) + "/" + entry->d_name;
    unlink(path.c_str());
  }
  closedir(listing);
}

// The descriptors the process holds at its end, and what they are: flat
// over any number of runs when nothing leaks.
void ReportAtExit() {
  int open = 0;
  std::string names;
  if (DIR *listing = opendir("/proc/self/fd")) {
    while (struct dirent *entry = readdir(listing)) {
      if (entry->d_name[0] == '.' || atoi(entry->d_name) == dirfd(listing))
        continue;
      char target[256] = "";
      std::string link = std::string("/proc/self/fd/") + entry->d_name;
      if (readlink(link.c_str(), target, sizeof target - 1) < 0)
        target[0] = '\0';
      names += std::string(" ") + entry->d_name + "=" + target;
      open++;
    }
    closedir(listing);
  }
  fprintf(stderr, "ringcheck-fuzz: %d descriptors open at exit:%s\n", open,
          names.c_str());
  if (fchdir(station) == 0) {
    ClearStation();
    rmdir("BBS");
  }
  if (chdir("/") == 0)
    rmdir(station_directory);
}

void LeaveStation() {
  if (fchdir(started_in) != 0)
    abort();
}

}  // namespace

void EnterFuzzStation() {
  if (!watching) {
    started_in = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (started_in < 0 || mkdtemp(station_directory) == nullptr ||
        mkdir((std::string(station_directory) + "/BBS").c_str(), 0700) != 0)
      abort();
    station = open(station_directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (station < 0)
      abort();
    int nothing = open("/dev/null", O_WRONLY);
    if (nothing < 0 || dup2(nothing, STDOUT_FILENO) < 0)
      abort();
    close(nothing);
    atexit(ReportAtExit);
    watching = true;
  }
  if (fchdir(station) != 0)
    abort();
  open_before = OpenDescriptors();
}

void LeaveFuzzStation() {
  if (OpenDescriptors() != open_before)
    Fail("a file descriptor was left open");
  LeaveStation();
}

void Fail(const char *what) {
  // The fuzzer writes the input that failed to where it was started.
  LeaveStation();
  fprintf(stderr, "ringcheck-fuzz: %s\n", what);
  abort();
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

void ClearStation() {
  RemoveFilesIn(".");
  RemoveFilesIn("BBS");
}

std::string_view TakePart(std::string_view *input) {
  static constexpr std::string_view kMarker = "\n----\n";
  size_t at = input->find(kMarker);
  std::string_view part = input->substr(0, at);
  input->remove_prefix(at == std::string_view::npos ? input->size()
                                                    : at + kMarker.size());
  return part;
}

std::string DigitsOf(std::string_view text, size_t capacity) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9' && digits.size() < capacity)
      digits += c;
  }
  return digits;
}
