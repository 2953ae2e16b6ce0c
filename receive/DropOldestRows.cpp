#include "receive/DropOldestRows.h"

#include <algorithm>

namespace pellow {

namespace {

// A row may start inside a byte's hex pairs; the next rows soon start on a whole one.
constexpr int RowsTried = 64;

} // namespace

std::optional<DroppedRows> DropRowsBefore(ReceiveText& text, AreaRows& rows,
                                          std::uint64_t target) {
    std::int64_t row = std::max<std::int64_t>(1, rows.RowOf(text, target));
    for (int tries = 0; tries < RowsTried && row < rows.RowCount(); ++tries, ++row) {
        const std::uint64_t start = rows.RowStart(text, row);
        if (start >= text.End() || !text.IsByteBoundary(start))
            continue;
        text.DropBefore(start);
        rows.DropBefore(row, start);
        return DroppedRows{row, start};
    }
    return std::nullopt;
}

} // namespace pellow
