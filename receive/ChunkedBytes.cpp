#include "receive/ChunkedBytes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace pellow {

ChunkedBytes::ChunkedBytes(std::size_t chunkSize, std::size_t blockSize)
    : chunkShift_(std::countr_zero(chunkSize)), blockShift_(std::countr_zero(blockSize)) {
    if (!std::has_single_bit(chunkSize) || !std::has_single_bit(blockSize) || blockSize > chunkSize)
        throw std::invalid_argument("chunk and block sizes must be powers of two, blocks no larger");
}

char ChunkedBytes::At(std::uint64_t pos) const {
    const Chunk& chunk = ChunkOf(pos);
    return chunk.bytes[pos - chunk.start];
}

char ChunkedBytes::Before(std::uint64_t pos) const {
    if (pos == begin_)
        return beforeBegin_;
    return At(pos - 1);
}

std::string_view ChunkedBytes::Piece(std::uint64_t pos) const {
    if (pos >= end_)
        return {};
    const Chunk& chunk = ChunkOf(pos);
    const std::uint64_t stop = std::min<std::uint64_t>(end_, chunk.start + ChunkSize());
    return {chunk.bytes.get() + (pos - chunk.start), static_cast<std::size_t>(stop - pos)};
}

void ChunkedBytes::Copy(std::uint64_t pos, std::size_t count, char* out) const {
    while (count > 0) {
        const std::string_view piece = Piece(pos);
        const std::size_t take = std::min(count, piece.size());
        std::memcpy(out, piece.data(), take);
        out += take;
        pos += take;
        count -= take;
    }
}

bool ChunkedBytes::IsLone(std::uint64_t pos) const {
    const char c = At(pos);
    if (c == '\n')
        return Before(pos) != '\r';
    if (c == '\r')
        return pos + 1 == end_ || At(pos + 1) != '\n';
    return false;
}

std::uint32_t ChunkedBytes::CountLone(std::uint64_t from, std::uint64_t to) const {
    std::uint32_t count = 0;
    while (from < to) {
        const std::string_view piece = Piece(from);
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), to - from));
        for (std::size_t i = 0; i < length; ++i) {
            const char c = piece[i];
            if ((c == '\r' || c == '\n') && IsLone(from + i))
                ++count;
        }
        from += length;
    }
    return count;
}

// Counts the blocks from the one holding `from` to the end afresh, and the totals of the
// chunks after it.
void ChunkedBytes::Recount(std::uint64_t from) {
    if (chunks_.empty())
        return;
    from = std::max(from, begin_);
    std::size_t index = ChunkIndexOf(from);
    if (index >= chunks_.size())
        index = chunks_.size() - 1;
    for (std::size_t i = index; i < chunks_.size(); ++i) {
        Chunk& chunk = chunks_[i];
        if (i > 0) {
            const Chunk& previous = chunks_[i - 1];
            std::uint64_t total = previous.loneBefore;
            for (std::uint32_t n : previous.blockLone)
                total += n;
            chunk.loneBefore = total;
        }
        const std::size_t firstBlock =
            i == index && from > chunk.start ? static_cast<std::size_t>((from - chunk.start) >> blockShift_) : 0;
        for (std::size_t b = firstBlock; b < BlocksPerChunk(); ++b) {
            const std::uint64_t blockStart = chunk.start + b * BlockSize();
            const std::uint64_t blockEnd = std::min<std::uint64_t>(blockStart + BlockSize(), end_);
            const std::uint64_t start = std::max(blockStart, begin_);
            chunk.blockLone[b] = (start < blockEnd ? CountLone(start, blockEnd) : 0) +
                                 (blockStart < begin_ ? droppedLoneInBlock_ : 0);
        }
    }
}

void ChunkedBytes::Append(std::string_view bytes) {
    if (bytes.empty())
        return;
    // Every chunk needed is had first, so a failure leaves the store as it was.
    std::uint64_t have = chunks_.empty() ? ChunkStartOf(end_) : chunks_.back().start + ChunkSize();
    if (have < end_ + bytes.size()) {
        std::vector<Chunk> added;
        while (have < end_ + bytes.size()) {
            Chunk chunk;
            chunk.bytes.reset(new char[ChunkSize()]);
            chunk.start = have;
            chunk.blockLone.assign(BlocksPerChunk(), 0);
            added.push_back(std::move(chunk));
            have += ChunkSize();
        }
        for (Chunk& chunk : added)
            chunks_.push_back(std::move(chunk));
    }
    const std::uint64_t oldEnd = end_;
    const bool pendingCr = oldEnd > begin_ && At(oldEnd - 1) == '\r';
    std::uint64_t pos = end_;
    while (!bytes.empty()) {
        Chunk& chunk = chunks_[ChunkIndexOf(pos)];
        const std::size_t offset = static_cast<std::size_t>(pos - chunk.start);
        const std::size_t take = std::min(bytes.size(), ChunkSize() - offset);
        std::memcpy(chunk.bytes.get() + offset, bytes.data(), take);
        bytes.remove_prefix(take);
        pos += take;
    }
    end_ = pos;
    // Only the new bytes are counted, and the CR that ended the store if it found its LF.
    if (pendingCr && At(oldEnd) == '\n') {
        const Chunk& chunk = ChunkOf(oldEnd - 1);
        const_cast<Chunk&>(chunk).blockLone[(oldEnd - 1 - chunk.start) >> blockShift_]--;
    }
    for (std::uint64_t from = oldEnd; from < end_;) {
        Chunk& chunk = const_cast<Chunk&>(ChunkOf(from));
        const std::size_t block = static_cast<std::size_t>((from - chunk.start) >> blockShift_);
        const std::uint64_t to = std::min<std::uint64_t>(end_, chunk.start + (block + 1) * BlockSize());
        chunk.blockLone[block] += CountLone(from, to);
        from = to;
    }
    // Totals change for the chunks after the one holding the last old byte.
    const std::uint64_t lastOld = oldEnd > chunks_.front().start ? oldEnd - 1 : chunks_.front().start;
    const std::size_t touched = ChunkIndexOf(lastOld);
    for (std::size_t i = touched + 1; i < chunks_.size(); ++i) {
        std::uint64_t total = chunks_[i - 1].loneBefore;
        for (std::uint32_t n : chunks_[i - 1].blockLone)
            total += n;
        chunks_[i].loneBefore = total;
    }
}

void ChunkedBytes::Clear() {
    chunks_.clear();
    begin_ = end_ = 0;
    beforeBegin_ = 0;
    droppedLoneInBlock_ = 0;
}

void ChunkedBytes::Truncate(std::uint64_t end) {
    if (end >= end_)
        return;
    end = std::max(end, begin_);
    end_ = end;
    while (!chunks_.empty() && chunks_.back().start >= end && chunks_.back().start > ChunkStartOf(begin_))
        chunks_.pop_back();
    Recount(end > begin_ ? end - 1 : end);
}

void ChunkedBytes::DropBefore(std::uint64_t pos) {
    pos = std::min(pos, end_);
    if (pos <= begin_)
        return;
    const std::uint64_t blockStart = BlockStartOf(pos);
    const std::uint64_t stillCounted = blockStart == BlockStartOf(begin_) ? droppedLoneInBlock_ : 0;
    droppedLoneInBlock_ = stillCounted + CountLone(std::max(blockStart, begin_), pos);
    beforeBegin_ = At(pos - 1);
    begin_ = pos;
    while (chunks_.size() > 1 && chunks_.front().start + ChunkSize() <= pos)
        chunks_.pop_front();
}

std::uint64_t ChunkedBytes::LoneBefore(std::uint64_t pos) const {
    if (chunks_.empty())
        return 0;
    pos = std::clamp(pos, begin_, end_);
    const Chunk* chunk = &chunks_.back();
    if (ChunkStartOf(pos) <= chunks_.back().start)
        chunk = &ChunkOf(pos);
    std::uint64_t total = chunk->loneBefore;
    const std::size_t block = static_cast<std::size_t>(
        std::min<std::uint64_t>((pos - chunk->start) >> blockShift_, BlocksPerChunk()));
    for (std::size_t b = 0; b < block; ++b)
        total += chunk->blockLone[b];
    const std::uint64_t blockStart = chunk->start + block * BlockSize();
    if (blockStart < begin_)
        total += droppedLoneInBlock_;
    const std::uint64_t from = std::max(blockStart, begin_);
    if (from < pos)
        total += CountLone(from, pos);
    return total;
}

std::uint64_t ChunkedBytes::PositionAfterExpansion(std::uint64_t from, std::uint64_t to,
                                                   std::uint64_t offset) const {
    const std::uint64_t base = LoneBefore(from);
    std::uint64_t low = from;
    std::uint64_t high = to;
    while (low < high) {
        const std::uint64_t mid = low + (high - low + 1) / 2;
        if (mid - from + (LoneBefore(mid) - base) <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace pellow
