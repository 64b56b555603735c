#pragma once
// The saver's own process, with the meaning of the forms runtime's process services it stands
// for: the argument text, starting another program without waiting, ending at once.
#include <string>

namespace platform {

// The argument text as Windows hands it to a program: everything after the program path, here
// the arguments joined by single blanks ("" when there are none).
std::string commandText();

// Starts the program with no arguments and returns at once with its process id, or 0 when it
// could not be started. Children that have finished are reaped, so none lingers as a zombie.
// It never outlives this process, by whatever death this one ends: here it is asked to end
// (SIGTERM); on Windows it runs in a job that ends it (where the system allows a job: before
// Windows 8 a process already in one can't start another into its own, and then it runs on).
int startProgram(const std::string& path);

// Whether any program startProgram started is still running.
bool startedProgramRunning();

// Waits at most the given time for the programs startProgram started to end, so that when this
// process ends they are gone too, not left for the system to reap. True when all have ended.
bool waitForStartedPrograms(int milliseconds);

// Ends the process at once with the code: no destructor, handler or pending work runs.
[[noreturn]] void endProcess(int exitCode);

}  // namespace platform
