#include "ui/TComboBox.h"

#include "ui/ListOrder.h"
#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

#include <algorithm>

namespace pellow {

TComboBox::TComboBox(TWinControl& parent, TStyle style, bool sorted)
    : TControl(&parent, NewComboBoxPeer(parent.Peer(), style == TStyle::DropDown)),
      style_(style), sorted_(sorted) {
    TComboBoxPeer& peer = BoxPeer();
    peer.ItemChosen = [this](int index) {
        if (index < 0 || index >= ItemCount())
            return;
        itemIndex_ = index;
        editText_ = items_[std::size_t(index)];
        Changed(true);
    };
    peer.TextEdited = [this](const std::string& text) {
        if (!Editable())
            return;
        editText_ = text;
        itemIndex_ = IndexOf(text);
        Changed(true);
    };
    peer.DroppingDown = [this] { Fire(OnDropDown); };
}

std::string TComboBox::Text() const {
    if (Editable())
        return editText_;
    return itemIndex_ >= 0 ? items_[std::size_t(itemIndex_)] : std::string();
}

int TComboBox::IndexOf(const std::string& text) const {
    const auto it = std::find(items_.begin(), items_.end(), text);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TComboBox::Insert(const std::string& item) {
    auto at = items_.end();
    if (sorted_)
        at = std::upper_bound(items_.begin(), items_.end(), item, ListOrderLess);
    const int index = static_cast<int>(at - items_.begin());
    items_.insert(at, item);
    if (itemIndex_ >= index)
        ++itemIndex_;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    items_.clear();
    itemIndex_ = -1;
    for (const std::string& item : items)
        Insert(item);
    BoxPeer().SetItems(items_);
    ShowSelection();
    Changed(false);
}

void TComboBox::AddItem(const std::string& item) {
    Insert(item);
    BoxPeer().SetItems(items_);
    ShowSelection();
    Changed(false);
}

void TComboBox::ClearItems() {
    SetItems({});
}

void TComboBox::SetItemIndex(int v) {
    itemIndex_ = v >= 0 && v < ItemCount() ? v : -1;
    if (Editable())
        editText_ = itemIndex_ >= 0 ? items_[std::size_t(itemIndex_)] : std::string();
    ShowSelection();
    Changed(false);
}

void TComboBox::SetText(const std::string& v) {
    itemIndex_ = IndexOf(v);
    if (Editable())
        editText_ = v;
    ShowSelection();
    Changed(false);
}

// An editable box keeps showing its text whatever its list does.
void TComboBox::ShowSelection() {
    BoxPeer().SetItemIndex(itemIndex_);
    if (Editable())
        BoxPeer().SetText(editText_);
}

void TComboBox::Changed(bool byUser) {
    const std::string now = Text();
    if (now == shown_)
        return;
    shown_ = now;
    if (byUser) {
        Fire(OnChange);
    } else if (OnChange) {
        auto handler = OnChange;
        handler();
    }
}

} // namespace pellow
