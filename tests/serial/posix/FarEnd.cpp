#include "tests/serial/FarEnd.h"

#include "tests/serial/PtyPair.h"

namespace pellow::test {

class FarEnd::Line : public PtyPair {};

FarEnd::FarEnd() : line_(std::make_unique<Line>()) {}
FarEnd::~FarEnd() = default;

const std::string& FarEnd::PortName() const {
    return line_->SlavePath();
}

void FarEnd::Write(const std::string& bytes) const {
    line_->Write(bytes);
}

std::size_t FarEnd::WriteSome(const char* data, std::size_t size,
                              std::chrono::milliseconds wait) const {
    return line_->WriteSome(data, size, wait);
}

std::string FarEnd::Read(std::size_t count, std::chrono::milliseconds deadline) const {
    return line_->Read(count, deadline);
}

std::string FarEnd::ReadUntilQuiet(std::chrono::milliseconds quiet) const {
    return line_->ReadUntilQuiet(quiet);
}

void FarEnd::MakeRaw() const {
    line_->Stty("raw -echo");
}

bool FarEnd::HangUp() {
    line_->CloseMaster();
    return true;
}

} // namespace pellow::test
