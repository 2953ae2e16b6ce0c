#pragma once
// Shared pieces of the window tests: a pseudo-terminal that plays the serial device, a
// scratch settings folder, waiting on the event loop, and a window built with them.

#include "app/TfrmMain.h"
#include "tests/serial/PtyPair.h"
#include "tests/serial/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellow::test {

// The master side stays with the test; the window opens SlavePath(). Closing the master
// makes the window's device hang up.
using Pty = PtyPair;

class ScratchFolder {
public:
    const std::filesystem::path& Path() const { return folder_.Path(); }
    std::filesystem::path Ini() const { return Path() / "Tarvik.ini"; }
    void WriteIni(const std::string& text) const;
    std::string ReadIni() const;

private:
    TempFolder folder_{"pellow-window"};
};

// Runs the event loop until the condition holds or the deadline passes.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(10));

// A path that names no device.
std::string MissingDevice();

struct TestWindow {
    explicit TestWindow(std::vector<std::string> ports, std::filesystem::path settingsFolder);
    ~TestWindow();
    TfrmMain& operator*() const { return *form; }
    TfrmMain* operator->() const { return form.get(); }
    std::vector<std::string> Messages() const { return messages->Texts(); }

    // The system's port list as the window reads it; a test may change it.
    std::shared_ptr<std::vector<std::string>> ports;
    std::shared_ptr<TRecordingMessageBox> messages;
    std::unique_ptr<TfrmMain> form;
};

} // namespace pellow::test
