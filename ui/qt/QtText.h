#pragma once
// The user's bytes as Qt strings and back, losslessly (see ui/TextBytes.h).

#include "ui/TextBytes.h"

#include <QString>

namespace pellow {

inline QString ToQString(std::string_view bytes) {
    const std::u16string text = BytesToText(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    return TextToBytes(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

} // namespace pellow
