#pragma once
// The processes a test started, however far down and wherever they were reparented: every
// process whose environment holds the test's own marker, which children inherit.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

// Live processes (zombies aside) whose environment holds the entry, "NAME=value".
std::vector<pid_t> processesWithEnvironment(const std::string& entry);

// Live processes whose command line holds the text (a Windows program's path under Wine).
std::vector<pid_t> processesWithCommandLine(const std::string& part);

}  // namespace testing_support
