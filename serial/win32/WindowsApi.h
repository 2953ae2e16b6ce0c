#pragma once
// <windows.h> for the engine's Windows code; include it through this header only.
//
// windows.h makes macros of names that the engine's shared headers declare as constants
// of their own, with the same values (WM_USER, the CE_ error flags, the DTR_CONTROL_ and
// RTS_CONTROL_ values): the macros go, so both kinds of header can meet in one file in
// either order. The values are kept here before the macros go, and WindowsApi.cpp
// checks the engine's against them.

#include <windows.h>

namespace pellow::windows_api {
inline constexpr DWORD SystemWmUser = WM_USER;
inline constexpr DWORD SystemCeFlags[] = {CE_RXOVER, CE_OVERRUN, CE_RXPARITY, CE_FRAME, CE_BREAK};
inline constexpr DWORD SystemDtrControl[] = {DTR_CONTROL_DISABLE, DTR_CONTROL_ENABLE,
                                             DTR_CONTROL_HANDSHAKE};
inline constexpr DWORD SystemRtsControl[] = {RTS_CONTROL_DISABLE, RTS_CONTROL_ENABLE,
                                             RTS_CONTROL_HANDSHAKE, RTS_CONTROL_TOGGLE};
} // namespace pellow::windows_api

#undef WM_USER
#undef CE_RXOVER
#undef CE_OVERRUN
#undef CE_RXPARITY
#undef CE_FRAME
#undef CE_BREAK
#undef DTR_CONTROL_DISABLE
#undef DTR_CONTROL_ENABLE
#undef DTR_CONTROL_HANDSHAKE
#undef RTS_CONTROL_DISABLE
#undef RTS_CONTROL_ENABLE
#undef RTS_CONTROL_HANDSHAKE
#undef RTS_CONTROL_TOGGLE
