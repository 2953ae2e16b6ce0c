#pragma once
// Texts of the file preview in the receive area. Pure functions; any thread.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pellow {

// How many bytes from the start of a file the preview shows.
inline constexpr std::size_t PreviewBytes = 4096;

inline constexpr std::string_view PreviewSuggestionLine =
    "Suggest you to preview the non-ASCII data in HEX mode.";

// "File size: 5000bytes, these are first 4k bytes in the file." (no blank before "bytes").
std::string PreviewSizeLine(std::uint64_t fileSize);

// The first line of the preview: the previewed bytes as they are, or as hex pairs, with
// control characters and blanks trimmed off both ends.
std::string PreviewDataLine(std::string_view preview, bool hex);

} // namespace pellow
