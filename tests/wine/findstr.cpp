// A stand-in for Windows' findstr, for the script tests under Wine, whose
// own findstr has no /n.  It does the one thing ringcall.bat asks of it,
// findstr /n "^" FILE: every line of FILE, each after its number and a
// colon, with the line end it had; a last line without one gets CR LF, as
// Windows' findstr gives it.  Placed in the test's working directory,
// where cmd looks before its PATH.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
  if (argc != 4 || std::string(argv[1]) != "/n" ||
      std::string(argv[2]) != "^") {
    std::fprintf(stderr, "findstr stand-in: only /n \"^\" FILE\n");
    return 2;
  }
  std::FILE *file = std::fopen(argv[3], "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "FINDSTR: Cannot open %s\n", argv[3]);
    return 1;
  }
  std::string bytes;
  char block[4096];
  for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
    bytes.append(block, got);
  std::fclose(file);

  _setmode(_fileno(stdout), _O_BINARY);
  std::string out;
  int number = 0;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    out += std::to_string(++number) + ":";
    if (end == std::string::npos) {
      out += bytes.substr(at) + "\r\n";
      break;
    }
    out += bytes.substr(at, end + 1 - at);
    at = end + 1;
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return number > 0 ? 0 : 1;
}
