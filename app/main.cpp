#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/TfrmMain.h"
#include "ui/Toolkit.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    // Answered before the toolkit starts: no display is needed and no port is opened.
    const pellow::CommandLineReply reply = pellow::ReadCommandLine({argv + 1, argv + argc});
    if (!reply.StartWindow) {
        std::fputs(reply.Out.c_str(), stdout);
        std::fputs(reply.Err.c_str(), stderr);
        return reply.ExitCode;
    }
    return pellow::RunApplication(argc, argv, pellow::ApplicationTitle,
                                  [] { return std::make_unique<pellow::TfrmMain>(); });
}
