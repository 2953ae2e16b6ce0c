#pragma once
// The order of a sorted list as a reader expects it: letters without regard to case, and
// a run of digits by the number it writes, so that COM2 comes before COM10 and ttyS9
// before ttyS10. Any thread.

#include <string_view>

namespace pellow {

bool ListOrderLess(std::string_view a, std::string_view b);

} // namespace pellow
