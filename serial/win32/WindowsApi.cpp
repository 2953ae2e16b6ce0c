// The engine's own copies of the system's constants hold the system's values.
#include "serial/win32/WindowsApi.h"

#include "serial/CommFlags.h"
#include "serial/CommTypes.h"

namespace pellow::windows_api {

static_assert(SystemWmUser == WM_USER);
static_assert(SystemCeFlags[0] == CE_RXOVER && SystemCeFlags[1] == CE_OVERRUN &&
              SystemCeFlags[2] == CE_RXPARITY && SystemCeFlags[3] == CE_FRAME &&
              SystemCeFlags[4] == CE_BREAK);
static_assert(SystemDtrControl[0] == DTR_CONTROL_DISABLE &&
              SystemDtrControl[1] == DTR_CONTROL_ENABLE &&
              SystemDtrControl[2] == DTR_CONTROL_HANDSHAKE);
static_assert(SystemRtsControl[0] == RTS_CONTROL_DISABLE &&
              SystemRtsControl[1] == RTS_CONTROL_ENABLE &&
              SystemRtsControl[2] == RTS_CONTROL_HANDSHAKE &&
              SystemRtsControl[3] == RTS_CONTROL_TOGGLE);
static_assert(MODEM_EVENT_RING == 4 && MODEM_EVENT_CARRIER == 8);

} // namespace pellow::windows_api
