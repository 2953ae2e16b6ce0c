#pragma once
// A window: the root of its controls, which it owns and destroys, newest first. Its
// Bounds are its client area. OnShow runs each time it comes onto the screen (after the
// events of showing it); OnClose when it is asked to close, which a caNone action refuses.
// Enter pressed where no control takes it presses the default button.
//
// GUI thread only.

#include "ui/TWinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace pellow {

class TButton;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public TWinControl {
public:
    // `dispatcher` runs every event of the window; it may be made after the form.
    explicit TForm(const TDispatcher* dispatcher);
    ~TForm() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);

    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientSize(int width, int height) { SetBounds({0, 0, width, height}); }
    // The smallest client size the user may make it.
    void SetMinClientSize(int width, int height);

    void Show() { SetVisible(true); }
    // Asks the window to close, as its close button does.
    void Close();

    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool v);

    TButton* DefaultButton() const { return defaultButton_; }
    void SetDefaultButton(TButton* button) { defaultButton_ = button; }

    // The control of that name among all the window's controls; null for none.
    TControl* FindControl(const std::string& name) const;

    // Makes a control in `parent` (this window or one of its controls) that the window
    // owns.
    template <class Control, class... Args> Control* Make(TWinControl& parent, Args&&... args) {
        auto control = std::make_unique<Control>(parent, std::forward<Args>(args)...);
        Control* made = control.get();
        owned_.push_back(std::move(control));
        return made;
    }

    std::function<void()> OnShow;
    std::function<void(TCloseAction& Action)> OnClose;

private:
    TFormPeer& FormPeer() const { return PeerAs<TFormPeer>(); }
    void PeerResized(int width, int height);
    void PressDefaultButton();

    std::string caption_;
    bool stayOnTop_ = false;
    TButton* defaultButton_ = nullptr;
    std::vector<std::unique_ptr<TControl>> owned_;
};

} // namespace pellow
