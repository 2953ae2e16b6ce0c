#pragma once
// The name of a file the receive area is saved into. Pure functions; any thread.

#include <string>
#include <string_view>

namespace pellow {

// "Save" + date + " " + HH.MM.SS + ".txt". Characters that file names may not hold on
// any common file system ("/" of a short date such as 12/9/26, "\", ":" ...) become "-",
// so that saving never fails on the user's date format alone.
std::string SaveFileName(std::string_view shortDate, int hour, int minute, int second);

} // namespace pellow
