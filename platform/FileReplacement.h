#pragma once
// Replacing a file so that a reader always sees either the old file whole or the new one
// whole: the new content goes into a file of its own beside the target, is flushed to the
// disk, and is then moved over the target in one step. A replacement that fails or is
// dropped leaves the target as it was and removes its own file. Any thread; one object
// is used by one thread.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace pellow {

class TFileReplacement {
public:
    // Creates the new file in the target's folder under the first name (UTF-8) that
    // tempName(0), tempName(1) … gives that does not exist yet (a hundred tries).
    TFileReplacement(std::filesystem::path target,
                     const std::function<std::string(int attempt)>& tempName);
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // False when the new file could not be created; Error() says why.
    bool Created() const { return handle_ != NoHandle; }
    // Appends bytes. False on failure (and every call after one fails).
    bool Write(std::string_view bytes);
    // Flushes the new file and moves it over the target, which keeps its permissions (a
    // new target gets the usual ones). False on failure; the new file is then gone.
    bool Commit();

    // The system's reason for the first failure.
    const std::string& Error() const { return error_; }

private:
    static constexpr std::intptr_t NoHandle = -1;
    void Fail();
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::intptr_t handle_ = NoHandle; // the platform's descriptor or handle
    bool failed_ = false;
    std::string error_;
};

} // namespace pellow
