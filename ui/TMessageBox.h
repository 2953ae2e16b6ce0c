#pragma once
// The window's message boxes: its own warnings (msgAlert) and the general error report.
// Each is modal with a single OK button; each toolkit shows its own. Tests swap in
// TRecordingMessageBox.

#include <functional>
#include <string>
#include <vector>

namespace pellow {

class TMessageBox {
public:
    virtual ~TMessageBox() = default;
    // A warning the window shows itself, with a fixed text.
    virtual void Show(const std::string& text) = 0;
    // The general error report: the text of an exception no handler caught.
    virtual void ShowError(const std::string& text) = 0;
};

class TRecordingMessageBox final : public TMessageBox {
public:
    enum class Kind { Warning, Error };
    struct Entry {
        Kind kind;
        std::string text;
    };

    void Show(const std::string& text) override {
        Entries.push_back({Kind::Warning, text});
        if (WhileShown) {
            WhileShown();
        }
    }
    void ShowError(const std::string& text) override { Entries.push_back({Kind::Error, text}); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& e : Entries) {
            texts.push_back(e.text);
        }
        return texts;
    }

    std::vector<Entry> Entries;
    // Runs while a warning "is open": a modal box keeps the event loop, and so the
    // timers, going.
    std::function<void()> WhileShown;
};

} // namespace pellow
