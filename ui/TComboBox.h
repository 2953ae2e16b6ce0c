#pragma once
// Combo boxes: either an editable text with a list (sorted without regard to case when
// asked) or a pick-from-list box. OnChange runs only when the shown text changes, by the
// user's choice or by code (SetItemIndex, SetText).

#include "ui/TControl.h"

#include <QComboBox>

#include <vector>

namespace pellow {

class TComboBox : public TControl<QComboBox> {
public:
    enum class TStyle { DropDown, DropDownList };

    TComboBox(QWidget* parent, const TDispatcher* dispatcher, TStyle style, bool sorted = false);

    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& item);
    void ClearItems();

    int ItemIndex() const { return currentIndex(); }
    // An index outside the list selects nothing (a pick-from-list box then shows no text).
    void SetItemIndex(int v);

    std::string Text() const { return ToStdString(currentText()); }
    // Editable boxes only: shows the text, selecting the item that matches it exactly.
    void SetText(const std::string& v);

    std::function<void()> OnChange;
    // Runs when the list is opened, before it is shown; it may replace the items.
    std::function<void()> OnDropDown;
    void showPopup() override;

private:
    void AfterCodeChange();

    bool sorted_;
    QString shown_;
};

} // namespace pellow
