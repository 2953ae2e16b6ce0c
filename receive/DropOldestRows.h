#pragma once
// Dropping the receive area's oldest rows, to keep within a memory limit: the text goes
// up to the start of a row, so that the rows left wrap as they did. Pure logic; any
// thread, the owner of the text.

#include "receive/AreaRows.h"
#include "receive/ReceiveText.h"

#include <cstdint>
#include <optional>

namespace pellow {

struct DroppedRows {
    std::int64_t rows;  // how many rows went
    std::uint64_t text; // the text position the area now begins at
};

// Drops the text before the first row from the one holding `target` on (never before
// the second row) that starts with a whole byte, trying a few dozen rows. The rows must be
// counted to the end of the text. Nothing when no row fits.
std::optional<DroppedRows> DropRowsBefore(ReceiveText& text, AreaRows& rows,
                                          std::uint64_t target);

} // namespace pellow
