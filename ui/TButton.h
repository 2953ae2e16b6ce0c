#pragma once
// Push buttons and tool buttons with a Caption and an OnClick event.

#include "ui/Picture.h"
#include "ui/TControl.h"

#include <QPushButton>
#include <QToolButton>

namespace pellow {

class TButton : public TControl<QPushButton> {
public:
    TButton(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption);

    std::string Caption() const { return ToStdString(text()); }
    void SetCaption(const std::string& v) { setText(ToQString(v)); }

    std::function<void()> OnClick;
};

// A flat button showing a picture (and, for btnClose, a caption under it).
class TSpeedButton : public TControl<QToolButton> {
public:
    TSpeedButton(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption = {});

    std::string Caption() const { return ToStdString(text()); }
    void SetCaption(const std::string& v) { setText(ToQString(v)); }
    const TPicture& Glyph() const { return glyph_; }
    void SetGlyph(const TPicture& v);

    std::function<void()> OnClick;

private:
    TPicture glyph_;
};

} // namespace pellow
