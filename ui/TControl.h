#pragma once
// The common properties of every control of the window: its name, its place in its
// parent (at 96 dpi) with docking and anchors, and Enabled, Visible and Hint as plain
// properties that handlers read back exactly as they were set (a control keeps its own
// Enabled and Visible even while a parent is hidden). Events raised by the user go through
// the window's dispatcher (the general error report). The toolkit shows the control
// through its peer.
//
// GUI thread only.

#include "ui/Geometry.h"
#include "ui/Peers.h"
#include "ui/TDispatcher.h"

#include <functional>
#include <memory>
#include <string>

namespace pellow {

class TForm;
class TWinControl;

class TControl {
public:
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TControlPeer& Peer() const { return *peer_; }
    TWinControl* Parent() const { return parent_; }
    // The window the control stands in.
    TForm* Form();
    const TDispatcher* Dispatcher() const { return dispatcher_; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v);

    // The place within the parent. A docked control keeps the size it is given along its
    // edge; an anchored one the distances to its parent's edges it has when given it.
    const TRect& Bounds() const { return bounds_; }
    void SetBounds(const TRect& v);
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width; }
    int Height() const { return bounds_.Height; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors v);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& v);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);

    void SetFocus() { peer_->SetFocus(); }

protected:
    // A form passes no parent and its own dispatcher; other controls take the parent's.
    TControl(TWinControl* parent, std::unique_ptr<TControlPeer> peer,
             const TDispatcher* dispatcher = nullptr);

    template <class Peer> Peer& PeerAs() const { return static_cast<Peer&>(*peer_); }
    // Runs a handler for an event that came from the user or the system.
    void Fire(const std::function<void()>& handler) const { RunEvent(dispatcher_, handler); }
    // The size changed.
    virtual void Resized() {}

private:
    friend class TWinControl;
    // Where the layout puts it.
    void Place(const TRect& v);
    void UpdateToolTip();

    TWinControl* parent_;
    std::unique_ptr<TControlPeer> peer_;
    const TDispatcher* dispatcher_;
    std::string name_;
    TRect bounds_;
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_;
    // Distances to the parent's right and bottom edges, for right and bottom anchors.
    int rightGap_ = 0;
    int bottomGap_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    bool showHint_ = false;
};

} // namespace pellow
