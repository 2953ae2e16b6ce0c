// What one keystroke in a send-list entry costs: the window's whole path (the edit, its
// change handler, the settings file written), against the two separate replacements of
// the file that saving an entry used to make. Entry 2 holds 20 characters, or 100,000.

#include "app/TfrmMain.h"
#include "ui/qt/QtWidgetOf.h"

#include <QTest>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace pellow {
namespace {

namespace fs = std::filesystem;

// A window whose settings file holds twenty entries, entry 2 of the given length. The
// file lies beside the benchmark, on the disk the program would use.
class ListWindow {
public:
    explicit ListWindow(std::size_t entryTwoSize)
        : folder_(fs::current_path() / ("settings-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        form_.SettingsFile = std::make_unique<TIniFile>(folder_ / "Tarvik.ini");
        for (int n = 1; n <= TfrmMain::SendListSize; ++n) {
            form_.edtEntry[n]->SetText(std::string(n == 2 ? entryTwoSize : 20, 'a'));
        }
    }
    ~ListWindow() {
        form_.SettingsFile.reset();
        fs::remove_all(folder_);
    }
    TfrmMain& Form() { return form_; }

private:
    fs::path folder_;
    TfrmMain form_;
};

void BM_KeystrokeInEntry(benchmark::State& state) {
    ListWindow window(static_cast<std::size_t>(state.range(0)));
    bool type = true;
    for (auto _ : state) {
        // Typing and deleting in turn keeps the entry's length.
        QTest::keyClick(QtWidgetOf(window.Form().edtEntry[2]), type ? Qt::Key_X : Qt::Key_Backspace);
        type = !type;
    }
}
BENCHMARK(BM_KeystrokeInEntry)
    ->Arg(20)
    ->Arg(100000)
    ->ArgName("chars")
    ->Unit(benchmark::kMicrosecond);

// What saving an entry did before: its flag and its text, each in a replacement of its own.
void BM_TwoSeparateReplacements(benchmark::State& state) {
    ListWindow window(static_cast<std::size_t>(state.range(0)));
    TIniFile& file = *window.Form().SettingsFile;
    std::string text = window.Form().edtEntry[2]->Text();
    for (auto _ : state) {
        text.back() = text.back() == 'a' ? 'x' : 'a';
        file.WriteString("SendList", "2", "0");
        file.WriteString("SendList", "data2", text);
    }
}
BENCHMARK(BM_TwoSeparateReplacements)
    ->Arg(20)
    ->Arg(100000)
    ->ArgName("chars")
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace pellow
