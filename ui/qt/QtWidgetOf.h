#pragma once
// The Qt widget that shows a control, for checks that act as the user does (clicking,
// typing) or look at what Qt shows (tool-tips, geometry). Takes the control or a pointer
// to it; null when the control is shown by another kind of widget.

#include <QWidget>

namespace pellow {

template <class Widget = QWidget, class Control> Widget* QtWidgetOf(const Control& control) {
    if constexpr (requires { control.Peer(); })
        return dynamic_cast<Widget*>(&control.Peer());
    else
        return QtWidgetOf<Widget>(*control);
}

} // namespace pellow
