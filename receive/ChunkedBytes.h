#pragma once
// The receive area's byte store: every byte once, in chunks (of 1 MiB), so that appending
// never copies what is held and the oldest bytes can be given back to the system while
// the rest stays. Positions are absolute: they count from the last Clear and do not move
// when the oldest chunks are dropped.
//
// It also counts lone line breaks (a CR not followed by LF, an LF not after CR, a final
// CR) per block (of 4 KiB), so that the breaks before any position are known without
// reading everything before it. Pure logic; any thread, one owner.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

namespace pellow {

class ChunkedBytes {
public:
    static constexpr std::size_t DefaultChunkSize = std::size_t(1) << 20;
    static constexpr std::size_t DefaultBlockSize = 4096;

    // Sizes are powers of two, the chunk at least a block; small ones bring the edges of
    // chunks and blocks within reach of tests. Throws std::invalid_argument otherwise.
    explicit ChunkedBytes(std::size_t chunkSize = DefaultChunkSize,
                          std::size_t blockSize = DefaultBlockSize);
    std::size_t ChunkSize() const { return std::size_t(1) << chunkShift_; }
    std::size_t BlockSize() const { return std::size_t(1) << blockShift_; }

    std::uint64_t Begin() const { return begin_; }
    std::uint64_t End() const { return end_; }
    std::uint64_t Size() const { return end_ - begin_; }
    // Bytes of memory the chunks take.
    std::uint64_t Footprint() const { return chunks_.size() * ChunkSize(); }

    // Throws std::bad_alloc, holding what it held, when no chunk can be had.
    void Append(std::string_view bytes);
    void Clear();
    // Forgets the bytes from `end` on.
    void Truncate(std::uint64_t end);
    // Forgets the bytes before `pos`, giving back the chunks that held only those.
    void DropBefore(std::uint64_t pos);

    char At(std::uint64_t pos) const;
    // The byte before `pos`, or 0 at the very start (also after a drop: the byte is kept).
    char Before(std::uint64_t pos) const;
    // The bytes from `pos` to the end of its chunk or of the store, whichever is first.
    std::string_view Piece(std::uint64_t pos) const;
    void Copy(std::uint64_t pos, std::size_t count, char* out) const;

    // Lone line breaks among the bytes before `pos` (from the last Clear), judging each
    // CR by the byte after it as the store holds them now.
    std::uint64_t LoneBefore(std::uint64_t pos) const;
    // The last position p in [from, to] with p - from + LoneBetween(from, p) <= offset,
    // found through the block counts.
    std::uint64_t PositionAfterExpansion(std::uint64_t from, std::uint64_t to,
                                         std::uint64_t offset) const;

private:
    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::uint64_t start = 0;      // absolute position of bytes[0]
        std::uint64_t loneBefore = 0; // lone breaks before `start`
        std::vector<std::uint32_t> blockLone;
    };

    // Inline: reading a byte through these costs what reading it from an array of fixed
    // chunks did.
    std::uint64_t ChunkStartOf(std::uint64_t pos) const {
        return pos & ~((std::uint64_t(1) << chunkShift_) - 1);
    }
    std::uint64_t BlockStartOf(std::uint64_t pos) const {
        return pos & ~((std::uint64_t(1) << blockShift_) - 1);
    }
    std::size_t ChunkIndexOf(std::uint64_t pos) const {
        return static_cast<std::size_t>((ChunkStartOf(pos) - chunks_.front().start) >> chunkShift_);
    }
    std::size_t BlocksPerChunk() const { return std::size_t(1) << (chunkShift_ - blockShift_); }
    const Chunk& ChunkOf(std::uint64_t pos) const { return chunks_[ChunkIndexOf(pos)]; }
    bool IsLone(std::uint64_t pos) const;
    std::uint32_t CountLone(std::uint64_t from, std::uint64_t to) const;
    void Recount(std::uint64_t from);

    int chunkShift_;
    int blockShift_;
    std::deque<Chunk> chunks_;
    std::uint64_t begin_ = 0;
    std::uint64_t end_ = 0;
    char beforeBegin_ = 0;
    // Lone breaks among the dropped bytes of the block that holds begin_: that block's
    // count holds them, so counting within it must add them too.
    std::uint32_t droppedLoneInBlock_ = 0;
};

} // namespace pellow
