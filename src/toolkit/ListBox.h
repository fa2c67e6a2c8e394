#pragma once

#include "toolkit/Component.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnholt::toolkit {

// A list of text items with at most one selected. The user's selection (click, arrow keys)
// fires OnClick; setting ItemIndex by program does not.
class ListBox : public Component {
public:
    ListBox(Form& form, std::string name, Component* parent);

    const std::vector<std::string>& Items() const { return items; }
    void SetItems(std::vector<std::string> value);
    void AddItem(std::string item);
    void Clear();
    int Count() const { return static_cast<int>(items.size()); }
    // Grows whenever the items change, so that a view can tell whether it must fill itself again
    // without comparing every item.
    std::uint64_t ItemsRevision() const { return itemsRevision; }

    // Index of the selected item, -1 for none.
    int ItemIndex() const { return itemIndex; }
    void SetItemIndex(int value);
    // The selected item's text, or "" when none is selected.
    std::string SelectedItem() const;

    // The user clicks an item: it is selected and OnClick runs.
    void SelectByUser(int index);

    bool Focusable() const override { return true; }
    bool KeyDownDefault(std::uint16_t key, ShiftState shift) override;

private:
    std::vector<std::string> items;
    int itemIndex = -1;
    std::uint64_t itemsRevision = 0;
};

} // namespace varnholt::toolkit