#include "PlainArea.h"

#include "receive/DisplayRows.h"
#include "receive/HexDisplay.h"
#include "receive/LineBreaks.h"
#include "send/SendData.h"

#include <algorithm>

namespace pellow {

bool PlainArea::HasLone() const {
    return NormaliseLineBreaks(text) != text;
}

bool PlainArea::EndsWithLineBreak() const {
    return text.ends_with(LineBreak);
}

void PlainArea::AppendNormalised(std::string_view block) {
    text = NormaliseLineBreaks(text + std::string(block));
}

void PlainArea::AppendHex(std::string_view bytes) {
    AppendNormalised(BytesToHexText(bytes));
}

void PlainArea::AddLine(std::string_view line) {
    if (text.empty() || EndsWithLineBreak())
        text += std::string(line) + std::string(LineBreak);
    else
        text += std::string(LineBreak) + std::string(line);
}

void PlainArea::ToHex() {
    text = BytesToHexText(text);
}

void PlainArea::FromHex() {
    const std::string bytes = HexDisplayToBytes(text);
    text.clear();
    AddLine(TrimControlBytes(bytes));
}

void PlainArea::DropFront(std::size_t count) {
    text.erase(0, count);
}

void AddLine(ReceiveText& area, std::string_view line) {
    if (area.Empty() || area.EndsWithLineBreak())
        area.AppendRaw(std::string(line) + std::string(LineBreak));
    else
        area.AppendRaw(std::string(LineBreak) + std::string(line));
}

PlainRows::PlainRows(std::string_view text, int columns) : starts_{0}, size_(text.size()) {
    for (;;) {
        const RowEnd end = WrapRow(text, starts_.back(), columns, false);
        if (!end.complete)
            break;
        starts_.push_back(end.next);
    }
}

std::int64_t PlainRows::Count() const {
    const auto complete = static_cast<std::int64_t>(starts_.size()) - 1;
    return complete + (starts_.back() < size_ ? 1 : 0);
}

std::size_t PlainRows::Start(std::int64_t row) const {
    if (row <= 0)
        return 0;
    return static_cast<std::size_t>(row) < starts_.size() ? starts_[static_cast<std::size_t>(row)]
                                                          : size_;
}

std::int64_t PlainRows::RowOf(std::size_t offset) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    const std::int64_t row = (after - starts_.begin()) - 1;
    return std::max<std::int64_t>(0, std::min(row, Count() - 1));
}

} // namespace pellow
