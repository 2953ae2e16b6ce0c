// Line-break normalising of received text: blocks appended one after the other, each
// normalised with the text before it, give what normalising the whole gives, except that
// a CR ending one block and an LF starting the next are two breaks (the CR became CR LF
// before the LF arrived).

#include "FuzzCheck.h"
#include "receive/LineBreaks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using pellow::fuzz::Require;

namespace {

std::string WithoutBreaks(std::string_view text) {
    std::string rest;
    for (char c : text) {
        if (c != '\r' && c != '\n')
            rest += c;
    }
    return rest;
}

// A CR or LF of the input each make one break, except an LF right after a CR.
std::size_t BreaksOf(std::string_view text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')))
            ++breaks;
    }
    return breaks;
}

bool EveryBreakIsCrLf(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

std::size_t CountOf(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> blocks;
    while (input.remaining_bytes() > 0)
        blocks.push_back(input.ConsumeRandomLengthString(256));

    std::string whole;
    bool crLfSplit = false; // a CR ends one block and an LF starts a later one
    pellow::LoneBreakTracker tracker;
    std::string appended;
    for (const std::string& block : blocks) {
        if (!block.empty() && block.front() == '\n' && whole.ends_with('\r'))
            crLfSplit = true;
        whole += block;
        tracker.Feed(block);
        appended = pellow::NormaliseLineBreaks(appended + block);
    }
    const std::string normalised = pellow::NormaliseLineBreaks(whole);

    Require(EveryBreakIsCrLf(normalised), "every break comes out as CR LF");
    Require(WithoutBreaks(normalised) == WithoutBreaks(whole), "no other byte changes");
    Require(CountOf(normalised, "\r\n") == BreaksOf(whole), "each break of the input is one");
    Require(pellow::NormaliseLineBreaks(normalised) == normalised, "normalised text stays");
    Require(tracker.Any() == (normalised != whole), "the tracker sees what normalising changes");

    std::string blockByBlock;
    for (const std::string& block : blocks)
        blockByBlock += pellow::NormaliseLineBreaks(block);
    Require(appended == blockByBlock, "text without lone breaks takes each block normalised alone");
    if (!crLfSplit)
        Require(appended == normalised, "appending block by block equals normalising the whole");
    else
        Require(CountOf(appended, "\r\n") > CountOf(normalised, "\r\n"),
                "a CR LF split between blocks is two breaks");
    return 0;
}
