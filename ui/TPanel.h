#pragma once
// Containers: a panel (with an optional bevel and a caption drawn in it, as the status
// text panel has), a group box with a caption on its frame, and a panel whose children
// scroll within it.
//
// GUI thread only.

#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl& parent, TBevel bevel = TBevel::None);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);

private:
    std::string caption_;
};

class TGroupBox : public TWinControl {
public:
    TGroupBox(TWinControl& parent, const std::string& caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);

private:
    std::string caption_;
};

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TWinControl& parent);

    // The area the children stand in, which scrolls when larger than the box.
    void SetContentSize(int width, int height);
};

} // namespace pellow
