#include "receive/FilePreviewText.h"

#include <gtest/gtest.h>

namespace pellow {
namespace {

TEST(FilePreviewTextTest, SizeLineHasNoBlankBeforeBytes) {
    EXPECT_EQ(PreviewSizeLine(5000), "File size: 5000bytes, these are first 4k bytes in the file.");
    EXPECT_EQ(PreviewSizeLine(0), "File size: 0bytes, these are first 4k bytes in the file.");
    EXPECT_EQ(PreviewSizeLine(5000000000ULL),
              "File size: 5000000000bytes, these are first 4k bytes in the file.");
}

TEST(FilePreviewTextTest, DataLineIsTrimmedInBothModes) {
    using namespace std::string_view_literals;
    // A zero byte counts among the control characters trimmed, and only at the ends.
    EXPECT_EQ(PreviewDataLine("\r\n\0 ab\0\ncd \t\0"sv, false), "ab\0\ncd"sv);
    EXPECT_EQ(PreviewDataLine("AB", true), "41 42");
    EXPECT_EQ(PreviewDataLine("", true), "");
    // High bytes are data, not blanks.
    EXPECT_EQ(PreviewDataLine("\xff ", false), "\xff");
}

} // namespace
} // namespace pellow
