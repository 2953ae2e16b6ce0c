#pragma once
// The toolkit the window is drawn with: it makes the controls' peers (ui/Peers.h) and
// offers the services the window needs. One implementation per toolkit, chosen by the
// build. A peer is made inside its parent's peer. GUI thread only.

#include "serial/NotifyWindow.h"
#include "ui/Peers.h"
#include "ui/TMessageBox.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pellow {

class TForm;

enum class TBevel { None, Raised, Lowered };

std::unique_ptr<TFormPeer> NewFormPeer();
std::unique_ptr<TCaptionPeer> NewLabelPeer(TControlPeer& parent);
std::unique_ptr<TCaptionPeer> NewPanelPeer(TControlPeer& parent, TBevel bevel);
std::unique_ptr<TCaptionPeer> NewGroupBoxPeer(TControlPeer& parent);
std::unique_ptr<TExtPanelPeer> NewExtPanelPeer(TControlPeer& parent);
std::unique_ptr<TScrollBoxPeer> NewScrollBoxPeer(TControlPeer& parent);
std::unique_ptr<TScrollBarPeer> NewScrollBarPeer(TControlPeer& parent);
std::unique_ptr<TButtonPeer> NewButtonPeer(TControlPeer& parent);
std::unique_ptr<TSpeedButtonPeer> NewSpeedButtonPeer(TControlPeer& parent);
std::unique_ptr<TCheckBoxPeer> NewCheckBoxPeer(TControlPeer& parent);
std::unique_ptr<TEditPeer> NewEditPeer(TControlPeer& parent);
std::unique_ptr<TComboBoxPeer> NewComboBoxPeer(TControlPeer& parent, bool editable);
std::unique_ptr<TMemoPeer> NewMemoPeer(TControlPeer& parent);
std::unique_ptr<TShapePeer> NewShapePeer(TControlPeer& parent, bool filled);
std::unique_ptr<TPopupMenuPeer> NewPopupMenuPeer(TControlPeer& owner);
std::unique_ptr<TTimerPeer> NewTimerPeer();

// Modal boxes with a single OK button, over `owner`.
std::shared_ptr<TMessageBox> NewMessageBox(TControlPeer& owner);

// The open-file dialog over `owner`: `filter` is "Description|pattern". Returns the chosen
// existing file's full path, or nothing when the user cancelled.
std::optional<std::string> RunOpenFileDialog(TControlPeer& owner, const std::string& title,
                                             const std::string& filter,
                                             const std::string& proposed);

// Notification windows whose messages are delivered on the GUI thread.
TNotifyWindowFactory NotifyWindowFactory();

// Starts the toolkit for the program named `title`, makes the main window, shows it and
// runs the event loop until the main window has closed; returns the exit code.
int RunApplication(int argc, char* argv[], const char* title,
                   const std::function<std::unique_ptr<TForm>()>& createMainForm);

} // namespace pellow
