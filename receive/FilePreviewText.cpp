#include "receive/FilePreviewText.h"

#include "receive/HexDisplay.h"
#include "send/SendData.h"

namespace pellow {

std::string PreviewSizeLine(std::uint64_t fileSize) {
    return "File size: " + std::to_string(fileSize) +
           "bytes, these are first 4k bytes in the file.";
}

std::string PreviewDataLine(std::string_view preview, bool hex) {
    if (hex)
        return std::string(TrimControlBytes(BytesToHexText(preview)));
    return std::string(TrimControlBytes(preview));
}

} // namespace pellow
