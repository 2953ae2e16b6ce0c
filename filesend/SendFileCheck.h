#pragma once
// Whether a file's content can be sent, and if not, what the user is told.

#include "filesend/ReadWholeFile.h"

#include <optional>
#include <string>

namespace pellow {

// Thrown when the file cannot be opened; the general error report shows its text.
std::string OpenFailedMessage(const std::string& path, const std::string& reason);

// nullopt when the content can be sent; otherwise the warning to show. An empty file
// or a failed read sends nothing: there is no plan for zero bytes, and a partial read
// would send a wrong file. An open failure is not a refusal: callers report it as an
// error before asking.
std::optional<std::string> SendFileRefusal(const TFileContent& content);

} // namespace pellow
