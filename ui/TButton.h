#pragma once
// Push buttons and flat picture buttons with a Caption and an OnClick event.
//
// GUI thread only.

#include "ui/Picture.h"
#include "ui/TControl.h"

namespace pellow {

class TButton : public TControl {
public:
    TButton(TWinControl& parent, const std::string& caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    // The window's default button: Enter presses it where no control takes Enter.
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // Presses the button as the user does.
    void Click() const { Fire(OnClick); }

    std::function<void()> OnClick;

private:
    TButtonPeer& ButtonPeer() const { return PeerAs<TButtonPeer>(); }

    std::string caption_;
    bool default_ = false;
};

// A flat button showing a picture (and, for btnClose, a caption under it).
class TSpeedButton : public TControl {
public:
    TSpeedButton(TWinControl& parent, const std::string& caption = {});

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    const TPicture& Glyph() const { return glyph_; }
    void SetGlyph(const TPicture& v);

    std::function<void()> OnClick;

private:
    TSpeedButtonPeer& ButtonPeer() const { return PeerAs<TSpeedButtonPeer>(); }

    std::string caption_;
    TPicture glyph_;
};

} // namespace pellow
