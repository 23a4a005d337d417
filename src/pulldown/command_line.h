#pragma once

#include <string>
#include <vector>

#include "pulldown/pulldown_run.h"

namespace morvane::pulldown {

enum class Action { run, help, version, usage };

struct CommandLine {
    Action action = Action::usage;
    RunRequest request;
};

// INPUT OUTPUT [-prog_frames p] [-drop_frame true|false], as Morvane gives it.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();
std::string versionText();

// The whole program past its entry: arguments in, exit status out. Help and
// version go to `print` (standard output), everything else to the console.
int pulldownProgram(const std::vector<std::string>& arguments, StreamFiles& files, Console& console,
                    void (*print)(const std::string&));

}  // namespace morvane::pulldown
