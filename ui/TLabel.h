#pragma once
// Labels, panels (with an optional caption, as the status text panel has) and group boxes.

#include "ui/TControl.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

namespace pellow {

class TLabel : public TControl<QLabel> {
public:
    TLabel(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption)
        : TControl(parent, dispatcher) {
        SetCaption(caption);
    }
    std::string Caption() const { return ToStdString(text()); }
    void SetCaption(const std::string& v) { setText(ToQString(v)); }
};

class TPanel : public TControl<QFrame> {
public:
    enum class TBevel { None, Raised, Lowered };

    TPanel(QWidget* parent, const TDispatcher* dispatcher, TBevel bevel = TBevel::None);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string caption_;
};

class TGroupBox : public TControl<QGroupBox> {
public:
    TGroupBox(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption)
        : TControl(parent, dispatcher) {
        SetCaption(caption);
    }
    std::string Caption() const { return ToStdString(title()); }
    void SetCaption(const std::string& v) { setTitle(ToQString(v)); }
};

class TScrollBar : public TControl<QScrollBar> {
public:
    TScrollBar(QWidget* parent, const TDispatcher* dispatcher) : TControl(parent, dispatcher) {
        setOrientation(Qt::Vertical);
    }
};

} // namespace pellow
