// How a run ends: the run statuses, FinishRun and the buffers the run
// driver owns.
#ifndef RINGCHECK_RUN_RUN_STATUS_H
#define RINGCHECK_RUN_RUN_STATUS_H

#include <cstddef>

// Run statuses.  Each one below 10 ends the run and becomes the exit code
// (the BBS script's errorlevel) and the status digit of the result file.
constexpr int kStatusNormal = 0;
constexpr int kStatusNoMailerLog = 1;
constexpr int kStatusNoUserBase = 2;
constexpr int kStatusBannedNumber = 3;
constexpr int kStatusExemptName = 4;
constexpr int kStatusNoConfigFile = 5;
constexpr int kStatusNoResultFile = 7;
// A bad configuration line: a warning, the run goes on.
constexpr int kStatusBadConfigLine = 10;

constexpr size_t kMessageFileNameCapacity = 12;
constexpr size_t kLoginNameCapacity = 255;

// The base name of the file that the next status message names.
extern char MessageFileName[kMessageFileNameCapacity + 1];
// The name the caller logged in with, from the command line.
extern char LoginName[kLoginNameCapacity + 1];

// Shows the status; for a status below 10 also writes the result file
// (except for status 5), draws the banner and ends the run: it does not
// return then, but unwinds to RunRingcheck, which returns the exit code.
// Files held in ScopedFile are closed on the way.
void FinishRun(int status);

// Whether the arguments after the configuration file give a login name:
// one argument, an empty one too, or two whose quotes reached the program
// literally.
bool CommandLineGivesLoginName(int argc, const char *const *argv);

// Keeps the part of path after its last backslash, cut to 12 characters.
void RememberFileName(const char *path);

// The whole program: takes the command line, runs the stages and returns
// the exit code.  It can run many times in one process.
int RunRingcheck(int argc, const char *const *argv);
// Runs other stages over the command line as a run of ringcheck runs its
// own: from the buffers' defaults, and ended by FinishRun, whose status it
// returns, or by their return (status 0).
int RunStagesOf(void (*stages)(int argc, const char *const *argv), int argc,
                const char *const *argv);

#endif
