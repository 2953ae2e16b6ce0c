#pragma once
// Combo boxes: either an editable text with a list (sorted as ListOrderLess orders
// names, when asked) or a pick-from-list box. OnChange runs only when the shown text changes, by the
// user's choice or by code (SetItemIndex, SetText, changes of the list).
//
// GUI thread only.

#include "ui/TControl.h"

#include <vector>

namespace pellow {

class TComboBox : public TControl {
public:
    enum class TStyle { DropDown, DropDownList };

    TComboBox(TWinControl& parent, TStyle style, bool sorted = false);

    const std::vector<std::string>& Items() const { return items_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& item);
    void ClearItems();

    int ItemIndex() const { return itemIndex_; }
    // An index outside the list selects nothing (a pick-from-list box then shows no text).
    void SetItemIndex(int v);

    // The text shown: an editable box's own text, else the selected item's.
    std::string Text() const;
    // Shows the text, selecting the item that matches it exactly; a pick-from-list box
    // shows nothing when none does.
    void SetText(const std::string& v);

    std::function<void()> OnChange;
    // Runs when the list is opened, before it is shown; it may replace the items.
    std::function<void()> OnDropDown;

private:
    TComboBoxPeer& BoxPeer() const { return PeerAs<TComboBoxPeer>(); }
    bool Editable() const { return style_ == TStyle::DropDown; }
    int IndexOf(const std::string& text) const;
    void Insert(const std::string& item);
    void ShowSelection();
    // Runs OnChange (from code: directly; from the user: through the dispatcher) when the
    // shown text changed.
    void Changed(bool byUser);

    TStyle style_;
    bool sorted_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    std::string editText_;
    std::string shown_;
};

} // namespace pellow
