#pragma once
// A folder that refuses every write for as long as this object lives, also to root (the
// suite runs as root, whom permissions do not stop): a read-only bind mount over it, made
// in a mount namespace of the calling thread's own so that nothing outside the test sees
// it. Other users get the folder's permissions taken away instead.

#include <filesystem>

namespace pellow::test {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False when the system would not make the folder read-only; the test then skips.
    bool Refuses() const { return refuses_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    bool refuses_ = false;
};

} // namespace pellow::test
