// Files and directories for tests: a temporary directory that removes
// itself, and whole-file reads and writes; and code page 866 text as the
// UTF-8 a test compares with.
#ifndef RINGCHECK_TESTS_TEST_FILES_H
#define RINGCHECK_TESTS_TEST_FILES_H

#include <string>

struct TempDir {
  std::string path;
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  // The path of a name inside the directory.
  std::string operator/(const std::string &name) const;
};

void WriteFileBytes(const std::string &path, const std::string &bytes);
std::string ReadFileBytes(const std::string &path);
bool FileExists(const std::string &path);
std::string Cp866ToUtf8(const std::string &cp866);

#endif
