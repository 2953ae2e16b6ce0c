#include "send/SendData.h"
#include "send/SendPieces.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pellow;
using namespace std::string_literals;

namespace {

struct SendCase {
    std::string text;
    bool hex;
    bool newline;
    std::optional<std::string> data;
};

class PrepareSendDataTest : public testing::TestWithParam<SendCase> {};

TEST_P(PrepareSendDataTest, TrimsConvertsAndAppendsNewline) {
    const SendCase& c = GetParam();
    EXPECT_EQ(PrepareSendData(c.text, c.hex, c.newline), c.data)
        << "text: \"" << c.text << "\" hex " << c.hex << " newline " << c.newline;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrepareSendDataTest,
    testing::Values(
        // Empty: nothing, or only the line end.
        SendCase{"", false, false, ""}, SendCase{"", false, true, "\r\n"},
        SendCase{"", true, true, "\r\n"},
        // Trimming happens in text mode too, at both ends only.
        SendCase{"hello\r\n", false, false, "hello"},
        SendCase{"hello\r\n", false, true, "hello\r\n"}, SendCase{"  AT  ", false, false, "AT"},
        SendCase{"a\r\nb", false, false, "a\r\nb"},
        SendCase{"\t\x01 x \x1f\x20", false, false, "x"},
        // Bytes of 0x80 and above are data, not control bytes.
        SendCase{"\xc3\xa9", false, false, "\xc3\xa9"}, SendCase{"\x80 ", false, false, "\x80"},
        SendCase{"\x7f", false, false, "\x7f"},
        // Hex: the line end is raw bytes after the conversion; a trailing break is trimmed.
        SendCase{"31 32", true, true, "12\r\n"}, SendCase{"31 32\r\n", true, false, "12"},
        SendCase{"0d0a", true, true, "\r\n\r\n"}, SendCase{"31\r\n32", true, false, std::nullopt},
        SendCase{"0x41", true, true, std::nullopt},
        // Hex text with its hex box unchecked is sent as its characters.
        SendCase{"31 32", false, false, "31 32"}));

TEST(TrimControlBytes, AllControlBytesGoNoneInside) {
    std::string text;
    for (int c = 0; c <= 0x20; ++c)
        text.push_back(static_cast<char>(c));
    const std::string core = "x\r\n\ty";
    EXPECT_EQ(TrimControlBytes(text + core + text), core);
    EXPECT_EQ(TrimControlBytes(text), "");
}

std::vector<std::string> Pieces(std::string_view data, std::size_t maxPiece = MaxSendPiece) {
    std::vector<std::string> pieces;
    EXPECT_TRUE(SendInPieces(
        data,
        [&](const char* p, std::uint16_t n) {
            pieces.emplace_back(p, n);
            return true;
        },
        maxPiece));
    return pieces;
}

TEST(SendInPieces, LongDataGoesInConsecutivePiecesOf65535) {
    std::string data(2 * 65535 + 7, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 31 + i / 251);
    const std::vector<std::string> pieces = Pieces(data);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), 65535u);
    EXPECT_EQ(pieces[1].size(), 65535u);
    EXPECT_EQ(pieces[2].size(), 7u);
    EXPECT_EQ(pieces[0] + pieces[1] + pieces[2], data);
}

TEST(SendInPieces, BoundarySizes) {
    EXPECT_TRUE(Pieces("").empty());
    EXPECT_EQ(Pieces(std::string(65535, 'a')).size(), 1u);
    EXPECT_EQ(Pieces(std::string(65536, 'a')).size(), 2u);
    EXPECT_EQ(Pieces("abcde", 2), (std::vector<std::string>{"ab", "cd", "e"}));
}

TEST(SendInPieces, StopsAtTheFirstRefusedPiece) {
    int calls = 0;
    const bool all = SendInPieces(
        std::string(5, 'x'), [&](const char*, std::uint16_t) { return ++calls < 2; }, 2);
    EXPECT_FALSE(all);
    EXPECT_EQ(calls, 2);
}

} // namespace
