#pragma once
// The window on the Windows API, and the keys it handles for its controls (Tab moves the
// focus, Enter where no control takes it). GUI thread only.

#include "ui/win32/Win32Window.h"

namespace pellow {

class Win32FormPeer;

// The form `window` belongs to, if one of ours.
Win32FormPeer* FormOf(HWND window);

// Handles a key message the way the window does for its controls; returns true when it
// took the message, which then goes no further.
bool HandleFormKeys(const MSG& message);

// Sets the application's title, shown on the window's message boxes.
void SetApplicationTitle(HWND form, const char* title);
// The application's title for a box over `owner`.
std::wstring ApplicationTitleOf(HWND owner);

} // namespace pellow
