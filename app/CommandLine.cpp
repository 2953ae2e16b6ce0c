#include "app/CommandLine.h"

#include "app/AppInfo.h"

namespace pellow {

namespace {

constexpr const char* Usage = "Usage: pellow [--help | --version]\n"
                              "A serial-port terminal; it opens its window when started with no "
                              "arguments.\n"
                              "\n"
                              "  --help     show this help and exit\n"
                              "  --version  show the version and exit\n";

} // namespace

CommandLineReply ReadCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        return {};
    }
    if (args.size() == 1 && args[0] == "--version") {
        return {false, 0, std::string(ApplicationTitle) + " " + ApplicationVersion + "\n", {}};
    }
    if (args.size() == 1 && args[0] == "--help") {
        return {false, 0, Usage, {}};
    }
    // Exit status 2 is what command-line tools use for a usage error.
    const std::string problem =
        args.size() == 1 ? "unknown option '" + args[0] + "'" : "takes at most one option";
    return {false, 2, {}, "pellow: " + problem + "\n" + Usage};
}

} // namespace pellow
