#include "test_files.h"

#include <ftw.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *) {
  chmod(path, 0700);
  return remove(path);
}

}  // namespace

TempDir::TempDir() {
  const char *base = getenv("TMPDIR");
  std::string pattern = std::string(base ? base : "/tmp") + "/ringcheck-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary directory");
  path = pattern;
}

TempDir::~TempDir() {
  nftw(path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::operator/(const std::string &name) const {
  return path + "/" + name;
}

void WriteFileBytes(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

std::string ReadFileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool FileExists(const std::string &path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

std::string Cp866ToUtf8(const std::string &cp866) {
  iconv_t converter = iconv_open("UTF-8", "CP866");
  if (converter == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error("no CP866 in iconv");
  std::string in = cp866;
  std::string out(in.size() * 4 + 1, '\0');
  char *in_next = in.data();
  size_t in_left = in.size();
  char *out_next = out.data();
  size_t out_left = out.size();
  iconv(converter, &in_next, &in_left, &out_next, &out_left);
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}
