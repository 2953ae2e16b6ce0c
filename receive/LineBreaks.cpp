#include "receive/LineBreaks.h"

namespace pellow {

std::string NormaliseLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result += LineBreak;
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            result += LineBreak;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

void LoneBreakTracker::Reset() {
    loneCount_ = 0;
    pendingCr_ = false;
}

void LoneBreakTracker::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == '\n')
                continue;
            ++loneCount_;
        }
        if (c == '\r')
            pendingCr_ = true;
        else if (c == '\n')
            ++loneCount_;
    }
}

} // namespace pellow
