#include "serial/NotifyWindow.h"

#include "serial/CommTypes.h"
#include "serial/DataBlock.h"

namespace pellow {

void ReleaseUndeliveredMessage(std::uint32_t message, std::uintptr_t, std::intptr_t lParam) {
    if (message == PORTMSG_DATA) {
        DataBlockFree(DataBlockFromParam(lParam));
    }
}

} // namespace pellow
