#include "WindowTestSupport.h"

#include <QCoreApplication>
#include <QThread>

#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace pellow::test {

namespace fs = std::filesystem;

void ScratchFolder::WriteIni(const std::string& text) const {
    std::ofstream(Ini(), std::ios::binary) << text;
}

std::string ScratchFolder::ReadIni() const {
    return FileContents(Ini());
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

std::string MissingDevice() {
    return (fs::temp_directory_path() / ("pellow-no-such-device-" + std::to_string(::getpid())))
        .string();
}

TestWindow::TestWindow(std::vector<std::string> ports, fs::path settingsFolder)
    : ports(std::make_shared<std::vector<std::string>>(std::move(ports))),
      messages(std::make_shared<TRecordingMessageBox>()) {
    TfrmMainServices services;
    services.ListPorts = [list = this->ports] { return *list; };
    services.SettingsFolder = std::move(settingsFolder);
    services.Messages = messages;
    form = std::make_unique<TfrmMain>(std::move(services));
}

TestWindow::~TestWindow() = default;

} // namespace pellow::test
