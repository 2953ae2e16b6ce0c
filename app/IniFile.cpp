#include "app/IniFile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/FileReplacement.h"
#include "platform/PathText.h"
#include "platform/Process.h"

namespace pellow {

namespace ini {

namespace {

constexpr char Dle = 0x10;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool Enclosed(std::string_view s) {
    return s.size() >= 2 && IsQuote(s.front()) && s.front() == s.back();
}

// The first line of `text` without its end, and the text after it; CR LF and LF both end
// a line. Reading walks the lines this way, so that it allocates nothing.
std::string_view NextLine(std::string_view& text) {
    const auto lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        lines.push_back(NextLine(text));
    }
    return lines;
}

// The name of a section header line, or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    return Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
}

// The key of an entry line (key=value), or nothing.
std::optional<std::string_view> EntryKey(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(0, eq));
}

} // namespace

std::string EncodeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        if (value[i] == Dle) {
            std::size_t run = 0;
            while (i + run < value.size() && value[i + run] == Dle) {
                ++run;
            }
            const std::size_t next = i + run;
            const bool beforeEscape =
                next < value.size() && (value[next] == 'r' || value[next] == 'n' ||
                                        value[next] == '\r' || value[next] == '\n');
            out.append(beforeEscape ? 2 * run : run, Dle);
            i = next;
            continue;
        }
        if (value[i] == '\r' || value[i] == '\n') {
            out += Dle;
            out += value[i] == '\r' ? 'r' : 'n';
        } else {
            out += value[i];
        }
        ++i;
    }
    const bool needsQuotes =
        !out.empty() && (IsBlank(out.front()) || IsBlank(out.back()) || Enclosed(out));
    return needsQuotes ? '"' + out + '"' : out;
}

std::string DecodeValue(std::string_view stored) {
    stored = Trim(stored);
    if (Enclosed(stored)) {
        stored = stored.substr(1, stored.size() - 2);
    }
    std::string out;
    out.reserve(stored.size());
    std::size_t i = 0;
    while (i < stored.size()) {
        if (stored[i] != Dle) {
            out += stored[i++];
            continue;
        }
        std::size_t run = 0;
        while (i + run < stored.size() && stored[i + run] == Dle) {
            ++run;
        }
        const std::size_t next = i + run;
        if (next < stored.size() && (stored[next] == 'r' || stored[next] == 'n')) {
            out.append(run / 2, Dle);
            if (run % 2 == 1) {
                out += stored[next] == 'r' ? '\r' : '\n';
            } else {
                out += stored[next];
            }
            i = next + 1;
        } else {
            out.append(run, Dle);
            i = next;
        }
    }
    return out;
}

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    bool inSection = false;
    while (!text.empty()) {
        const std::string_view line = NextLine(text);
        if (const auto name = SectionName(line)) {
            if (inSection) {
                break; // only the first section of that name counts, as when writing
            }
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto k = EntryKey(line); k && SameName(*k, key)) {
            return DecodeValue(line.substr(line.find('=') + 1));
        }
    }
    return std::nullopt;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
    std::vector<std::string> lines;
    for (const auto line : SplitLines(text)) {
        lines.emplace_back(line);
    }
    const std::string entry = std::string(key) + '=' + EncodeValue(value);

    std::optional<std::size_t> sectionAt;
    std::size_t lastInSection = 0;
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (sectionAt) {
                break; // only the first section of that name counts
            }
            if (SameName(*name, section)) {
                sectionAt = i;
                lastInSection = i;
            }
            continue;
        }
        if (!sectionAt) {
            continue;
        }
        if (!Trim(lines[i]).empty()) {
            lastInSection = i;
        }
        if (const auto k = EntryKey(lines[i]); k && SameName(*k, key)) {
            lines[i] = entry;
            done = true;
        }
    }
    if (!done) {
        if (sectionAt) {
            lines.insert(lines.begin() + std::ptrdiff_t(lastInSection + 1), entry);
        } else {
            lines.push_back('[' + std::string(section) + ']');
            lines.push_back(entry);
        }
    }
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace ini

namespace {

std::optional<std::string> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes text to a new file beside path and moves it over path, so that a reader never
// sees half a file and a failed write leaves the old file whole. The new file is named
// after this process ("<file>.<pid>.<six digits>"), so that one left behind by a writer
// that was killed can be told from one still being written; the digits count on from
// write to write, so that no two writes of a run share a name.
bool ReplaceFile(const std::filesystem::path& path, const std::string& text) {
    static std::atomic<unsigned> serial{0};
    const std::string prefix =
        PathText(path.filename()) + "." + std::to_string(CurrentProcessId()) + ".";
    TFileReplacement file(path, [&prefix](int) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%06u", serial++ % 1000000u);
        return prefix + digits;
    });
    return file.Created() && file.Write(text) && file.Commit();
}

// The process that made a temporary copy of ours ("<file>.<pid>.XXXXXX"), or 0 when the
// name is not of that form.
std::uint32_t TemporaryWriter(std::string_view name, std::string_view fileName) {
    if (!name.starts_with(fileName) || name.size() < fileName.size() + 1 ||
        name[fileName.size()] != '.') {
        return 0;
    }
    name.remove_prefix(fileName.size() + 1);
    const auto dot = name.find('.');
    if (dot == std::string_view::npos || name.size() - dot - 1 != 6) {
        return 0;
    }
    const auto isAlnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    const std::string_view suffix = name.substr(dot + 1);
    if (!std::all_of(suffix.begin(), suffix.end(), isAlnum)) {
        return 0;
    }
    std::uint32_t pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + dot, pid);
    return ec == std::errc() && end == name.data() + dot && pid > 0 ? pid : 0;
}

} // namespace

bool TIniFile::Exists() const {
    if (batchDepth_ > 0) {
        return batchText_.has_value();
    }
    std::error_code ec;
    return std::filesystem::is_regular_file(fileName_, ec);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& def) const {
    const auto text = batchDepth_ > 0 ? batchText_ : ReadAll(fileName_);
    if (!text) {
        return def;
    }
    return ini::FindValue(*text, section, key).value_or(def);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (batchDepth_ > 0) {
        batchText_ = ini::SetValue(batchText_.value_or(std::string()), section, key, value);
        return;
    }
    const std::string current = ReadAll(fileName_).value_or(std::string());
    if (!ReplaceFile(fileName_, ini::SetValue(current, section, key, value))) {
        throw EIniFileException("Unable to write to " + PathText(fileName_));
    }
}

void TIniFile::BeginBatch() {
    if (batchDepth_++ == 0) {
        batchText_ = ReadAll(fileName_);
        batchStart_ = batchText_;
    }
}

void TIniFile::EndBatch(bool commit) {
    if (--batchDepth_ > 0) {
        return;
    }
    const std::optional<std::string> text = std::exchange(batchText_, std::nullopt);
    const std::optional<std::string> start = std::exchange(batchStart_, std::nullopt);
    if (commit && text != start && !ReplaceFile(fileName_, *text)) {
        throw EIniFileException("Unable to write to " + PathText(fileName_));
    }
}

void TIniFile::RemoveAbandonedTemporaries() const {
    namespace fs = std::filesystem;
    const std::string fileName = PathText(fileName_.filename());
    std::error_code ec;
    for (fs::directory_iterator it(fileName_.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        // Writes run on one thread, so none of this process is under way now.
        const std::uint32_t writer = TemporaryWriter(PathText(it->path().filename()), fileName);
        std::error_code statusError;
        if (writer != 0 && (writer == CurrentProcessId() || !ProcessRuns(writer)) &&
            it->symlink_status(statusError).type() == fs::file_type::regular) {
            fs::remove(it->path(), statusError);
        }
    }
}

} // namespace pellow
