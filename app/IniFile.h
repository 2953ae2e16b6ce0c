#pragma once
// INI settings files as the Windows profile functions read and write them: sections in
// square brackets, key=value lines, CR LF line ends (LF alone is read too), section and
// key names compared without regard to ASCII case, blanks around names and values
// ignored, and a value enclosed in a pair of double or single quotes read without them.
//
// TIniFile keeps no copy: every read reads the file, every write rewrites it at once,
// replacing it atomically (a temporary file beside it, named after the writing process,
// renamed over it). Only a batch (TIniBatch) holds the text for a while: its writes reach
// the file together, in one replacement, when it is committed.
//
// Values are written so that reading gives them back unchanged:
//  - A value that begins or ends with a blank or tab, or is enclosed in a pair of quotes,
//    is written inside double quotes (reading strips exactly one pair).
//  - Line breaks would end the value and plant their remainder as keys of their own. CR
//    and LF are therefore written as the escape byte DLE (0x10) followed by 'r' or 'n'. A
//    run of k DLE bytes that stands before 'r', 'n', CR or LF in the value is written
//    doubled (2k DLE), so a value that holds DLE r itself reads back unchanged. Reading
//    undoes this: m DLE before 'r'/'n' give m/2 DLE, and one more CR/LF when m is odd.
//    DLE cannot be typed into an edit box, so every value without it - every value any
//    earlier file holds - is written and read byte for byte as it stands.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace pellow {

// A write that the system refused. The message is "Unable to write to <path>".
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string& message) : std::runtime_error(message) {}
};

namespace ini {

// The value of key in section of the INI text, decoded; nothing when absent.
std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// The INI text with key in section set to value: the first line of the key is replaced,
// a missing key is added after the section's last entry, a missing section is added at
// the end. All other lines stay; every line of the result ends in CR LF.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);

// The stored form of a value, and back.
std::string EncodeValue(std::string_view value);
std::string DecodeValue(std::string_view stored);

} // namespace ini

class TIniFile {
public:
    explicit TIniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

    const std::filesystem::path& FileName() const { return fileName_; }
    bool Exists() const;

    // A missing file or key gives def.
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& def) const;
    // Creates the file (and the section) when missing. Raises EIniFileException.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Removes the temporary copies that writes killed midway left beside the file; a copy
    // whose writing process still runs is left alone.
    void RemoveAbandonedTemporaries() const;

private:
    friend class TIniBatch;
    void BeginBatch();
    void EndBatch(bool commit);

    std::filesystem::path fileName_;
    int batchDepth_ = 0;
    // While a batch is open: the text as written so far, and as the file held it at the
    // start (nothing: there was no file).
    std::optional<std::string> batchText_;
    std::optional<std::string> batchStart_;
};

// Collects the writes to a settings file from its creation to Commit: reads see them, and
// Commit writes the file once, only when its text changed. Batches nest; the outermost one
// writes. A batch dropped without Commit (an exception) writes nothing.
class TIniBatch {
public:
    explicit TIniBatch(TIniFile& file) : file_(&file) { file_->BeginBatch(); }
    ~TIniBatch() {
        if (file_) {
            file_->EndBatch(false);
        }
    }
    TIniBatch(const TIniBatch&) = delete;
    TIniBatch& operator=(const TIniBatch&) = delete;

    // Raises EIniFileException when the file cannot be written; it then keeps its old text.
    void Commit() {
        TIniFile* const file = std::exchange(file_, nullptr);
        file->EndBatch(true);
    }

private:
    TIniFile* file_;
};

} // namespace pellow
