#pragma once
// The name of a file the receive area is saved into. Pure functions; any thread.

#include <string>
#include <string_view>

namespace pellow {

// "Save" + date + " " + HH.MM.SS + ".txt". Characters that file names may not hold on
// any common file system ("/" of a short date such as 12/9/26, "\", ":" ...) become "-",
// so that saving never fails on the user's date format alone.
std::string SaveFileName(std::string_view shortDate, int hour, int minute, int second);

// Whether a date format (in the toolkit's letters: d, M, y, text in single quotes) writes
// the date in numbers only. Where the user's short format names the day or the month
// ("d MMM yyyy" of the C locale), the save name takes a numeric date instead.
bool IsNumericDateFormat(std::string_view format);

} // namespace pellow
