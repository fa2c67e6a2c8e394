#include "toolkit/ListBox.h"

#include "toolkit/Keys.h"

#include <algorithm>
#include <cstddef>

namespace varnholt::toolkit {

ListBox::ListBox(Form& form, std::string name, Component* parent) : Component(form, std::move(name), parent) {
    StartAsTabStop();
    SetBackground(Colours::Window);
}

void ListBox::SetItems(std::vector<std::string> value) {
    items = std::move(value);
    itemIndex = -1;
    ++itemsRevision;
    Changed();
}

void ListBox::AddItem(std::string item) {
    items.push_back(std::move(item));
    ++itemsRevision;
    Changed();
}

void ListBox::Clear() {
    items.clear();
    itemIndex = -1;
    ++itemsRevision;
    Changed();
}

void ListBox::SetItemIndex(int value) {
    const int index = value >= 0 && value < Count() ? value : -1;
    if (index != itemIndex) {
        itemIndex = index;
        Changed();
    }
}

std::string ListBox::SelectedItem() const {
    return itemIndex >= 0 ? items[static_cast<std::size_t>(itemIndex)] : std::string();
}

void ListBox::SelectByUser(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    SetItemIndex(index);
    Raise(OnClick);
}

bool ListBox::KeyDownDefault(std::uint16_t key, ShiftState) {
    if (items.empty()) {
        return false;
    }
    const int last = Count() - 1;
    const int page = std::max(1, Height() / 16 - 1);
    int target = itemIndex;
    switch (key) {
    case Key::Up:
        target = itemIndex < 0 ? 0 : std::max(0, itemIndex - 1);
        break;
    case Key::Down:
        target = std::min(last, itemIndex + 1);
        break;
    case Key::Home:
        target = 0;
        break;
    case Key::End:
        target = last;
        break;
    case Key::PageUp:
        target = std::max(0, itemIndex - page);
        break;
    case Key::PageDown:
        target = std::min(last, std::max(0, itemIndex) + page);
        break;
    default:
        return false;
    }
    if (target != itemIndex) {
        SelectByUser(target);
    }
    return true;
}

} // namespace varnholt::toolkit