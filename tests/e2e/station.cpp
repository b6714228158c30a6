#include "station.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <stdexcept>

Station::Station() {
  if (mkdir((dir / "BBS").c_str(), 0700) != 0)
    throw std::runtime_error("cannot make BBS/");
  Configure("");
}

void Station::Configure(const std::string &lines) {
  Write("ringcheck.cfg", "TORNADOPATH BBS\\\r\n" + lines);
}

void Station::Write(const std::string &name, const std::string &bytes) {
  WriteFileBytes(dir / name, bytes);
}

void Station::WriteUsers(const std::vector<UserEntry> &users) {
  WriteUserBase(dir / "BBS/users.tor", users);
}

ProgramRun Station::Run(const std::vector<std::string> &name_arguments) {
  std::vector<std::string> arguments = {"ringcheck.cfg"};
  arguments.insert(arguments.end(), name_arguments.begin(),
                   name_arguments.end());
  return RunProgramIn(dir.path, arguments);
}

ProgramRun Station::Explain(const std::vector<std::string> &name_arguments,
                            const std::vector<std::string> &environment) {
  std::vector<std::string> arguments = {"ringcheck.cfg"};
  arguments.insert(arguments.end(), name_arguments.begin(),
                   name_arguments.end());
  return RunExplainerIn(dir.path, arguments, environment);
}

std::string Station::Result() const { return ResultFileIn(dir / "BBS"); }

std::string ResultFileIn(const std::string &bbs) {
  // A configured OUTFILE reaches the file system upper-cased.
  std::string found;
  DIR *directory = opendir(bbs.c_str());
  if (directory == nullptr)
    return "(none)";
  while (struct dirent *entry = readdir(directory)) {
    if (strcasecmp(entry->d_name, "aon.tmp") == 0)
      found = entry->d_name;
  }
  closedir(directory);
  return found.empty() ? "(none)" : ReadFileBytes(bbs + "/" + found);
}

std::string CrLfLines(const std::vector<std::string> &lines) {
  std::string bytes;
  for (const std::string &line : lines)
    bytes += line + "\r\n";
  return bytes;
}
