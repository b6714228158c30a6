// Files written whole and named without replacing one, on POSIX.  Apart
// from the rest of the file layer: only the netmail message needs them.
//
// A name is given by a hard link, which fails when the name is taken, and
// the temporary name then removed.  A file system without hard links (FAT,
// some network shares) is asked for a rename that refuses to replace,
// where the kernel has one.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os.h"

#ifdef SYS_renameat2
#include <linux/fs.h>
#endif

namespace {

bool IsFolder(const char *path) {
  struct stat status;
  return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

// The folder as this platform finds it, whole.
bool FindFolder(const char *folder, char *full) {
  return OsFullPath(folder, false, full, kMaxPathLength) && IsFolder(full);
}

OsNamed RenameWithoutReplacing(const char *from, const char *to) {
#if defined(SYS_renameat2) && defined(RENAME_NOREPLACE)
  if (syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to,
              RENAME_NOREPLACE) == 0)
    return kOsNamed;
  return errno == EEXIST ? kOsNameInUse : kOsCannotName;
#else
  (void)from;
  (void)to;
  return kOsCannotName;
#endif
}

}  // namespace

bool OsNamesKeepCase() { return true; }

bool OsPathInFolder(const char *folder, const char *name, char *path,
                    size_t capacity) {
  char full[kMaxPathLength + 1];
  if (!FindFolder(folder, full))
    return false;
  size_t used = strlen(full);
  const char *slash = used > 0 && full[used - 1] == '/' ? "" : "/";
  int length = snprintf(path, capacity + 1, "%s%s%s", full, slash, name);
  return length > 0 && static_cast<size_t>(length) <= capacity;
}

bool OsListFolder(const char *folder, void (*see)(const char *, void *),
                  void *context) {
  char full[kMaxPathLength + 1];
  if (!FindFolder(folder, full))
    return false;
  DIR *directory = opendir(full);
  if (directory == nullptr)
    return false;
  while (struct dirent *entry = readdir(directory))
    see(entry->d_name, context);
  closedir(directory);
  return true;
}

OsCreated OsCreateNewFile(const char *path, OsFile *file) {
  int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return errno == EEXIST ? kOsNameTaken : kOsCannotCreate;
  file->handle = fd;
  return kOsCreated;
}

OsNamed OsNameWithoutReplacing(const char *from, const char *to) {
  if (link(from, to) == 0) {
    unlink(from);
    return kOsNamed;
  }
  if (errno == EEXIST)
    return kOsNameInUse;
  return RenameWithoutReplacing(from, to);
}

bool OsRemoveFile(const char *path) { return unlink(path) == 0; }
