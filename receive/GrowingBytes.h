#pragma once
// The receive area's byte store. It grows with realloc rather than through a string's
// allocate-copy-free: the C library moves a large block by remapping its pages, so
// appending to an area that holds hundreds of megabytes never stalls the GUI thread for
// a copy of everything shown (a string's doubling did, for 100-400 ms at 50-100 MB).

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace pellow {

class GrowingBytes {
public:
    GrowingBytes() = default;
    ~GrowingBytes() { std::free(data_); }
    GrowingBytes(const GrowingBytes&) = delete;
    GrowingBytes& operator=(const GrowingBytes&) = delete;

    std::string_view View() const { return {data_ != nullptr ? data_ : "", size_}; }
    operator std::string_view() const { return View(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    char operator[](std::size_t i) const { return data_[i]; }

    void Append(std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        if (bytes.size() > capacity_ - size_) {
            Grow(size_ + bytes.size());
        }
        std::memcpy(data_ + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }

    // Replaces the content; an empty one gives the memory back.
    void Assign(std::string_view bytes) {
        if (bytes.empty()) {
            std::free(data_);
            data_ = nullptr;
            size_ = capacity_ = 0;
            return;
        }
        size_ = 0;
        Append(bytes);
    }

private:
    void Grow(std::size_t needed) {
        std::size_t capacity = capacity_ < MinimumCapacity ? MinimumCapacity : capacity_;
        while (capacity < needed) {
            capacity = capacity > SIZE_MAX / 2 ? needed : capacity * 2;
        }
        void* grown = std::realloc(data_, capacity);
        if (grown == nullptr) {
            throw std::bad_alloc();
        }
        data_ = static_cast<char*>(grown);
        capacity_ = capacity;
    }

    static constexpr std::size_t MinimumCapacity = 64 * 1024;

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace pellow
