#include "ui/ReceiveView.h"

namespace pellow {

ReceiveView::ReceiveView(QWidget* parent) : QAbstractScrollArea(parent) {}

ReceiveView::~ReceiveView() = default;

const std::string& ReceiveView::Bytes() const {
    return bytes_;
}

void ReceiveView::SetBytes(std::string bytes) {
    bytes_ = std::move(bytes);
    viewport()->update();
}

void ReceiveView::AppendBytes(std::string_view bytes) {
    bytes_.append(bytes);
    viewport()->update();
}

void ReceiveView::Clear() {
    SetBytes({});
}

int ReceiveView::RowCount() const {
    int rows = 0;
    for (std::size_t i = 0; i + 1 < bytes_.size(); ++i) {
        if (bytes_[i] == '\r' && bytes_[i + 1] == '\n')
            ++rows;
    }
    if (!bytes_.empty() && !bytes_.ends_with("\r\n"))
        ++rows;
    return rows;
}

} // namespace pellow
