// The operating system layer on POSIX systems.
//
// Paths are written DOS style in the configuration file and upper-cased by
// its reader, while POSIX file names are case sensitive.  So a backslash
// separates directories here too, and a path that does not exist as given
// is looked up component by component, ignoring letter case the way the
// configuration reader upper-cases (ASCII and code page 866 letters).
// Drive letters are not mapped.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/cp866.h"
#include "platform/os.h"

// A mailer log or a user base past 2 GiB is opened, sized and positioned
// on a 32-bit system too: the build asks for 64-bit file offsets.
static_assert(sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

namespace {

using PathBuffer = char[kMaxPathLength + 1];

bool SameNameIgnoringCase(const char *a, const char *b, size_t b_length) {
  size_t i = 0;
  for (; i < b_length && a[i] != '\0'; i++) {
    if (UpperCaseCp866Byte(static_cast<unsigned char>(a[i])) !=
        UpperCaseCp866Byte(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == b_length && a[i] == '\0';
}

bool Exists(const char *path) {
  struct stat status;
  return lstat(path, &status) == 0;
}

// Appends to resolved (which ends with the directory searched, or is empty
// for the working directory) the entry of that directory whose name equals
// name[0..length) ignoring case.  False when there is none.
bool AppendMatchingEntry(char *resolved, size_t *used, const char *name,
                         size_t length) {
  DIR *directory = opendir(*used == 0 ? "." : resolved);
  if (directory == nullptr)
    return false;
  bool found = false;
  while (struct dirent *entry = readdir(directory)) {
    if (!SameNameIgnoringCase(entry->d_name, name, length))
      continue;
    size_t entry_length = strlen(entry->d_name);
    if (*used + entry_length > kMaxPathLength)
      break;
    memcpy(resolved + *used, entry->d_name, entry_length + 1);
    *used += entry_length;
    found = true;
    break;
  }
  closedir(directory);
  return found;
}

// Turns a DOS-style path into one that exists here, when some spelling of
// it exists.  With for_creation the last component need not exist: it is
// then kept as given.  False when the path is too long or a directory on
// the way cannot be found.
bool ResolvePath(const char *path, PathBuffer resolved, bool for_creation) {
  size_t length = strnlen(path, kMaxPathLength + 1);
  if (length == 0 || length > kMaxPathLength)
    return false;
  PathBuffer given;
  for (size_t i = 0; i <= length; i++)
    given[i] = path[i] == '\\' ? '/' : path[i];
  if (Exists(given)) {
    memcpy(resolved, given, length + 1);
    return true;
  }
  size_t used = 0;
  resolved[0] = '\0';
  const char *component = given;
  while (*component != '\0') {
    const char *end = strchr(component, '/');
    size_t component_length =
        end == nullptr ? strlen(component) : static_cast<size_t>(end - component);
    bool last = end == nullptr || end[1] == '\0';
    if (component_length == 0 || (component_length == 1 && component[0] == '.') ||
        (component_length == 2 && component[0] == '.' && component[1] == '.')) {
      // Empty (root or doubled slash), "." and ".." are taken as they are.
      if (used + component_length > kMaxPathLength)
        return false;
      memcpy(resolved + used, component, component_length);
      used += component_length;
      resolved[used] = '\0';
    } else {
      size_t before = used;
      memcpy(resolved + used, component, component_length);
      resolved[used + component_length] = '\0';
      if (!Exists(resolved)) {
        resolved[before] = '\0';
        used = before;
        if (!AppendMatchingEntry(resolved, &used, component, component_length)) {
          if (!(last && for_creation))
            return false;
          memcpy(resolved + used, component, component_length);
          resolved[used + component_length] = '\0';
          used += component_length;
        }
      } else {
        used += component_length;
      }
    }
    if (end == nullptr)
      break;
    if (used + 1 > kMaxPathLength)
      return false;
    resolved[used++] = '/';
    resolved[used] = '\0';
    component = end + 1;
  }
  return true;
}

int Descriptor(const OsFile *file) { return static_cast<int>(file->handle); }

// A file opened for writing ends where the writing ended: what an older,
// longer file held behind that goes.  Devices and pipes have no length.
bool CutAtPosition(int fd) {
  int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY)
    return true;
  struct stat status;
  off_t end = lseek(fd, 0, SEEK_CUR);
  if (end < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size <= end)
    return true;
  return ftruncate(fd, end) == 0;
}

}  // namespace

bool OsOpenForReading(const char *path, OsFile *file) {
  PathBuffer resolved;
  if (!ResolvePath(path, resolved, false))
    return false;
  int fd = open(resolved, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat status;
  if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    close(fd);
    return false;
  }
  file->handle = fd;
  return true;
}

bool OsOpenForWriting(const char *path, OsFile *file) {
  PathBuffer resolved;
  if (!ResolvePath(path, resolved, true))
    return false;
  // Not emptied here but cut to what was written when it is closed: a
  // filesystem may flush a file emptied and rewritten at its close (ext4
  // does, against lost renames), and the result file is rewritten on every
  // call, so that flush would be the dearest part of a run.
  int fd = open(resolved, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  file->handle = fd;
  return true;
}

size_t OsReadBytes(OsFile *file, void *buffer, size_t count) {
  for (;;) {
    ssize_t got = read(Descriptor(file), buffer, count);
    if (got >= 0)
      return static_cast<size_t>(got);
    if (errno != EINTR)
      return 0;
  }
}

bool OsWriteBytes(OsFile *file, const void *bytes, size_t count) {
  const char *next = static_cast<const char *>(bytes);
  while (count > 0) {
    ssize_t put = write(Descriptor(file), next, count);
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0)
      return false;
    next += put;
    count -= static_cast<size_t>(put);
  }
  return true;
}

bool OsSetPosition(OsFile *file, int64_t offset, OsSeekOrigin origin) {
  int whence = origin == kSeekFromEnd ? SEEK_END : SEEK_SET;
  return lseek(Descriptor(file), static_cast<off_t>(offset), whence) >= 0;
}

int64_t OsPosition(OsFile *file) {
  return static_cast<int64_t>(lseek(Descriptor(file), 0, SEEK_CUR));
}

bool OsCloseFile(OsFile *file) {
  int fd = Descriptor(file);
  file->handle = -1;
  bool cut = CutAtPosition(fd);
  return close(fd) == 0 && cut;
}

bool OsFullPath(const char *path, bool for_creation, char *full,
                size_t capacity) {
  PathBuffer resolved;
  if (!ResolvePath(path, resolved, for_creation))
    return false;
  if (resolved[0] == '/') {
    if (strlen(resolved) > capacity)
      return false;
    strcpy(full, resolved);
    return true;
  }
  if (getcwd(full, capacity + 1) == nullptr)
    return false;
  size_t used = strlen(full);
  // The root directory already ends with its slash.
  const char *slash = used > 0 && full[used - 1] == '/' ? "" : "/";
  if (used + strlen(slash) + strlen(resolved) > capacity)
    return false;
  strcat(full, slash);
  strcat(full, resolved);
  return true;
}

bool OsPrepareStandardOutput() { return isatty(STDOUT_FILENO) != 0; }

void OsLocalDate(int *year, int *month, int *day) {
  time_t now = time(nullptr);
  struct tm local;
  if (localtime_r(&now, &local) == nullptr) {
    *year = 1970;
    *month = *day = 1;
    return;
  }
  *year = local.tm_year + 1900;
  *month = local.tm_mon + 1;
  *day = local.tm_mday;
}
