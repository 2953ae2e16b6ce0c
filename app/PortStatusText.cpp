#include "app/PortStatusText.h"

namespace pellow {

std::string PortStatusText(const PortBoxTexts& boxes, const char* stateWord) {
    return "Status:" + boxes.port + stateWord + " " + boxes.bps + "bps, " + boxes.byteSize + ", " +
           boxes.stopBits + ", " + boxes.parity;
}

} // namespace pellow
