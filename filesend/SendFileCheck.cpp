#include "filesend/SendFileCheck.h"

#include "filesend/SendFileTexts.h"

namespace pellow {

std::string OpenFailedMessage(const std::string& path, const std::string& reason) {
    return "Cannot open file \"" + path + "\". " + reason;
}

std::optional<std::string> SendFileRefusal(const TFileContent& content) {
    switch (content.status) {
    case TFileContent::TStatus::TooLarge:
        return std::string(FileTooLargeWarning);
    case TFileContent::TStatus::ReadFailed:
        return std::string(ReadFailedWarning) + content.error;
    case TFileContent::TStatus::OpenFailed:
    case TFileContent::TStatus::Ok:
        break;
    }
    if (content.status == TFileContent::TStatus::Ok && content.bytes.empty()) {
        return std::string(EmptyFileWarning);
    }
    return std::nullopt;
}

} // namespace pellow
