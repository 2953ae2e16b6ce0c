// Combo boxes on Qt.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalBlocker>

namespace pellow {

namespace {

class QtComboBoxPeer final : public QtControlPeer<QComboBox, TComboBoxPeer> {
public:
    QtComboBoxPeer(QWidget* parent, bool editable) : QtControlPeer(parent) {
        setEditable(editable);
        setInsertPolicy(QComboBox::NoInsert);
        setMaxVisibleItems(12);
        connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (ItemChosen)
                ItemChosen(index);
        });
        connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) {
            if (TextEdited)
                TextEdited(ToStdString(text));
        });
    }
    void SetItems(const std::vector<std::string>& items) override {
        const QSignalBlocker blocker(this);
        clear();
        for (const std::string& item : items)
            addItem(ToQString(item));
        // The open list is as wide as its longest item, whatever the box's width.
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + 8);
    }
    void SetItemIndex(int index) override {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    void SetText(const std::string& text) override {
        const QSignalBlocker blocker(this);
        setEditText(ToQString(text));
    }
    void showPopup() override {
        if (DroppingDown)
            DroppingDown();
        QComboBox::showPopup();
    }
};

} // namespace

std::unique_ptr<TComboBoxPeer> NewComboBoxPeer(TControlPeer& parent, bool editable) {
    return std::make_unique<QtComboBoxPeer>(QtChildHost(parent), editable);
}

} // namespace pellow
