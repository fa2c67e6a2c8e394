#include "toolkit/Edit.h"

#include "toolkit/Keys.h"
#include "toolkit/Utf8.h"

#include <algorithm>
#include <cstddef>

namespace varnholt::toolkit {

Edit::Edit(Form& form, std::string name, Component* parent) : Component(form, std::move(name), parent) {
    StartAsTabStop();
    SetBackground(Colours::Window);
}

void Edit::SetText(std::string value) {
    if (value == text) {
        return;
    }
    text = std::move(value);
    selStart = 0;
    selLength = 0;
    Changed();
    Raise(OnChange);
}

int Edit::Length() const {
    return CharacterCount(text);
}

void Edit::SetMaxLength(int value) {
    maxLength = std::max(0, value);
    Changed();
}

void Edit::SetSelStart(int value) {
    selStart = std::clamp(value, 0, Length());
    selLength = 0;
    Changed();
}

void Edit::SetSelLength(int value) {
    selLength = std::clamp(value, 0, Length() - selStart);
    Changed();
}

void Edit::SelectAll() {
    selStart = 0;
    selLength = Length();
    Changed();
}

std::string Edit::SelectedText() const {
    const std::u32string characters = DecodeUtf8(text);
    const auto start = std::min(static_cast<std::size_t>(std::max(selStart, 0)), characters.size());
    return EncodeUtf8(characters.substr(start, static_cast<std::size_t>(std::max(selLength, 0))));
}

void Edit::SetReadOnly(bool value) {
    if (readOnly != value) {
        readOnly = value;
        Changed();
    }
}

void Edit::ChangeText(std::string value, int caret) {
    if (value == text) {
        SetSelStart(caret);
        return;
    }
    text = std::move(value);
    selStart = caret;
    selLength = 0;
    Changed();
    Raise(OnChange);
}

void Edit::ReplaceSelection(std::u32string_view inserted) {
    std::u32string characters = DecodeUtf8(text);
    const auto start = static_cast<std::size_t>(std::clamp(selStart, 0, static_cast<int>(characters.size())));
    const auto removed =
        std::min(static_cast<std::size_t>(std::max(selLength, 0)), characters.size() - start);
    characters.erase(start, removed);
    std::size_t room = inserted.size();
    if (maxLength > 0) {
        const auto limit = static_cast<std::size_t>(maxLength);
        room = characters.size() >= limit ? 0 : std::min(room, limit - characters.size());
    }
    if (room == 0 && !inserted.empty()) {
        return; // the field is full: the keystroke is dropped and the text stays as it was
    }
    characters.insert(start, inserted.substr(0, room));
    ChangeText(EncodeUtf8(characters), static_cast<int>(start + room));
}

bool Edit::KeyDownDefault(std::uint16_t key, ShiftState) {
    const int length = Length();
    switch (key) {
    case Key::Left:
        SetSelStart(selLength > 0 ? selStart : selStart - 1);
        return true;
    case Key::Right:
        SetSelStart(selLength > 0 ? selStart + selLength : selStart + 1);
        return true;
    case Key::Home:
        SetSelStart(0);
        return true;
    case Key::End:
        SetSelStart(length);
        return true;
    case Key::Delete:
        if (readOnly) {
            return true;
        }
        if (selLength == 0 && selStart < length) {
            selLength = 1;
        }
        ReplaceSelection({});
        return true;
    default:
        return false;
    }
}

bool Edit::KeyPressDefault(char32_t character) {
    if (character == Key::Return || character == Key::Escape || character == Key::Tab) {
        return false; // left to the form: default button, cancel button, focus order
    }
    if (readOnly) {
        return true;
    }
    if (character == Key::Back) {
        if (selLength == 0) {
            if (selStart == 0) {
                return true;
            }
            selStart -= 1;
            selLength = 1;
        }
        ReplaceSelection({});
        return true;
    }
    if (character < U' ' || character == U'\x7F') {
        return true; // other control characters edit nothing
    }
    const char32_t typed[] = {character};
    ReplaceSelection(std::u32string_view(typed, 1));
    return true;
}

} // namespace varnholt::toolkit