#pragma once
// The program's own options. They are answered before any window, display or port is
// touched, so they work on a machine without a desktop.

#include <string>
#include <vector>

namespace pellow {

struct CommandLineReply {
    // False: the program ends at once with ExitCode after printing Out and Err.
    bool StartWindow = true;
    int ExitCode = 0;
    std::string Out;
    std::string Err;
};

// Arguments without the program name.
CommandLineReply ReadCommandLine(const std::vector<std::string>& args);

} // namespace pellow
