#pragma once
// The receive area: a read-only, word-wrapping view over a byte buffer. Appending costs
// time proportional to the new bytes; only the rows on screen are laid out and painted.
// Bytes are shown decoded in the locale's codec; bytes that do not decode are shown
// visibly and kept exactly.

#include <QAbstractScrollArea>

#include <functional>
#include <string>
#include <string_view>

namespace pellow {

class ReceiveView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReceiveView(QWidget* parent = nullptr);
    ~ReceiveView() override;

    // The bytes the area holds, exactly.
    const std::string& Bytes() const;
    void SetBytes(std::string bytes);
    void AppendBytes(std::string_view bytes);
    void Clear();

    // Display rows at the current width with word wrap, as a memo counts its lines.
    int RowCount() const;

    // A typed character while the area has the focus, as its bytes in the locale's
    // codec (one byte for ASCII, several for other characters; Enter gives "\r").
    std::function<void(std::string& key)> OnKeyPress;

private:
    std::string bytes_;
};

} // namespace pellow
