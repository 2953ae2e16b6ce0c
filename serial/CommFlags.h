#pragma once
// The 32-bit flags word of the device control block, rebuilt from zero for every
// application of the line settings.

#include "serial/LineSettings.h"

#include <cstdint>

namespace pellow {

std::uint32_t DcbFlags(const LineSettings& settings);

// Device values of the two control-line enumerations. Their first members are the
// enable values, so these are tables, never the ordinal.
std::uint32_t DtrControlValue(TDtrControl v);
std::uint32_t RtsControlValue(TRtsControl v);

} // namespace pellow
