#pragma once
// A label: a caption standing on its own.
//
// GUI thread only.

#include "ui/TControl.h"

namespace pellow {

class TLabel : public TControl {
public:
    TLabel(TWinControl& parent, const std::string& caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);

private:
    std::string caption_;
};

} // namespace pellow
