#pragma once
// The window's message boxes as Qt's modal message boxes. GUI thread only.

#include "ui/TMessageBox.h"

class QWidget;

namespace pellow {

class TQtMessageBox final : public TMessageBox {
public:
    explicit TQtMessageBox(QWidget* parent) : parent_(parent) {}
    void Show(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    QWidget* parent_;
};

} // namespace pellow
