#pragma once
// The receive area's text, holding each received byte once. The text is a sequence of
// runs over one byte store; a run shows its bytes either as they are or as hex pairs
// ("41 0D 0A "), possibly hex of hex after repeated switching, and possibly with its lone
// CR and LF shown as CR LF (once a block arrived while they stood in the area). The text
// of a run is produced where it is read; switching the display relabels runs.
//
// What it holds is, character for character, what a plain string would hold after the
// same operations: appending normalises line breaks of the whole text, hex switches
// convert the whole text, and a piece that is not hex leaves it as it was.
//
// Positions are absolute text positions: Begin() moves on when the oldest text is
// dropped. Pure logic, no toolkit; any thread, one owner.

#include "receive/ChunkedBytes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellow {

struct TextRun {
    std::uint64_t begin = 0;     // store position of its first byte
    std::uint64_t end = 0;       // store position past its last byte
    std::uint64_t textBegin = 0; // text position of its first character
    std::uint64_t textEnd = 0;
    std::uint8_t depth = 0;      // 0: the bytes as text; n: hex pairs of depth n - 1
    bool normalised = false;     // lone CR and LF of the bytes shown as CR LF
};

class ReceiveText {
public:
    // Hex of hex multiplies the text by three each time; deeper than this is refused.
    static constexpr int MaxDepth = 8;

    ReceiveText() = default;
    // A store of chunks and blocks of these sizes (see ChunkedBytes).
    ReceiveText(std::size_t chunkSize, std::size_t blockSize) : bytes_(chunkSize, blockSize) {}

    std::uint64_t Begin() const { return origin_; }
    std::uint64_t End() const { return runs_.empty() ? origin_ : runs_.back().textEnd; }
    std::uint64_t Size() const { return End() - Begin(); }
    bool Empty() const { return Size() == 0; }
    // Bytes of memory the store takes.
    std::uint64_t Footprint() const { return bytes_.Footprint(); }
    const std::vector<TextRun>& Runs() const { return runs_; }

    // The text as it stands, appended exactly (a line, a preview, a test's content).
    void AppendRaw(std::string_view text);
    // Received text: the whole text, old and new, comes out with CR LF line breaks.
    void AppendNormalised(std::string_view text);
    // Received bytes shown as hex pairs, continuing the text.
    void AppendHex(std::string_view bytes);
    void Clear();

    // "Display in HEX" on: the whole text becomes its hex pairs.
    void ToHex();
    // "Display in HEX" off: the pairs every three characters become bytes, trimmed of
    // control characters and blanks at both ends, and followed by CR LF. Throws
    // EConvertError at the first piece that is not hex, leaving the text as it was.
    void FromHex();

    // True when a CR or LF stands outside a CR LF pair (a final CR included).
    bool HasLoneLineBreak() const;
    bool EndsWithLineBreak() const;

    char At(std::uint64_t pos) const;
    // Characters [pos, pos + count), within the text.
    void Copy(std::uint64_t pos, std::size_t count, char* out) const;
    std::string Slice(std::uint64_t pos, std::uint64_t count) const;
    // Hands [from, to) over in pieces, in order.
    void ForEachPiece(std::uint64_t from, std::uint64_t to,
                      const std::function<void(std::string_view)>& piece) const;
    // The bytes of [pos, ...) when they stand in the store as they are shown (a run of
    // bytes shown as text without any change), up to the end of that run or store chunk;
    // empty elsewhere.
    std::string_view DirectPiece(std::uint64_t pos) const;

    // The run holding `pos` (the last one for End()); runs must not be empty.
    std::size_t RunAt(std::uint64_t pos) const;

    // Whether the text may be cut just before `pos`: it then starts with a whole byte.
    bool IsByteBoundary(std::uint64_t pos) const;
    // Drops the text before `pos` (a byte boundary), giving back what memory it can.
    void DropBefore(std::uint64_t pos);

private:
    std::uint64_t RunLone(const TextRun& run) const;
    std::uint64_t UnitsOf(const TextRun& run) const;
    std::uint64_t UnitPosition(const TextRun& run, std::uint64_t unit, int& sub) const;
    std::uint64_t UnitOfByte(const TextRun& run, std::uint64_t pos) const;
    bool IsRunLone(const TextRun& run, std::uint64_t pos) const;
    void CopyFromRun(const TextRun& run, std::uint64_t offset, std::size_t count, char* out) const;
    void Relayout(std::size_t from);
    void MergeNeighbours();
    // `breaksPaired`: the bytes hold no lone break and do not start with LF.
    void PushRun(std::uint8_t depth, bool normalised, std::string_view bytes, bool breaksPaired);
    void NormaliseAllText();
    void TrimEnds();
    std::string TextOfRun(const TextRun& run) const;
    void Rebuild(const std::vector<std::pair<TextRun, std::string>>& parts);

    ChunkedBytes bytes_;
    std::vector<TextRun> runs_;
    std::uint64_t origin_ = 0;
    mutable bool loneKnown_ = false;
    mutable bool lone_ = false;
};

} // namespace pellow
