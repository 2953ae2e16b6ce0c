#include "ui/TComboBox.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace pellow {

TComboBox::TComboBox(QWidget* parent, const TDispatcher* dispatcher, TStyle style, bool sorted)
    : TControl(parent, dispatcher), sorted_(sorted) {
    setEditable(style == TStyle::DropDown);
    setInsertPolicy(QComboBox::NoInsert);
    const auto userChange = [this] {
        if (currentText() == shown_) {
            return;
        }
        shown_ = currentText();
        Fire(OnChange);
    };
    connect(this, &QComboBox::currentIndexChanged, this, userChange);
    connect(this, &QComboBox::editTextChanged, this, userChange);
}

std::vector<std::string> TComboBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < count(); ++i) {
        items.push_back(ToStdString(itemText(i)));
    }
    return items;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    ClearItems();
    for (const auto& item : items) {
        AddItem(item);
    }
}

void TComboBox::AddItem(const std::string& item) {
    const QString text = ToQString(item);
    int at = count();
    if (sorted_) {
        at = 0;
        while (at < count() && QString::compare(itemText(at), text, Qt::CaseInsensitive) <= 0) {
            ++at;
        }
    }
    const QString editText = currentText();
    {
        const QSignalBlocker blocker(this);
        insertItem(at, text);
        if (isEditable() && currentText() != editText) {
            setEditText(editText);
        }
    }
    AfterCodeChange();
}

void TComboBox::ClearItems() {
    // An editable box keeps showing its text when its list is emptied.
    const QString editText = currentText();
    {
        const QSignalBlocker blocker(this);
        clear();
        if (isEditable()) {
            setEditText(editText);
        }
    }
    AfterCodeChange();
}

void TComboBox::SetItemIndex(int v) {
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(v >= 0 && v < count() ? v : -1);
    }
    AfterCodeChange();
}

void TComboBox::SetText(const std::string& v) {
    const QString text = ToQString(v);
    {
        const QSignalBlocker blocker(this);
        const int match = findText(text, Qt::MatchExactly);
        setCurrentIndex(match);
        if (isEditable()) {
            setEditText(text);
        }
    }
    AfterCodeChange();
}

void TComboBox::showPopup() {
    Fire(OnDropDown);
    QComboBox::showPopup();
}

void TComboBox::AfterCodeChange() {
    if (currentText() == shown_) {
        return;
    }
    shown_ = currentText();
    if (OnChange) {
        auto handler = OnChange;
        handler();
    }
}

} // namespace pellow
