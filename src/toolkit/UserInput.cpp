#include "toolkit/UserInput.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"
#include "toolkit/Utf8.h"

#include <array>
#include <utility>

namespace varnholt::toolkit {

namespace {

void ClickIfUsable(Button* button) {
    if (button != nullptr && button->Showing() && button->EnabledInTree()) {
        button->Click();
    }
}

void HandleKey(Form& form, KeyStroke stroke);

enum class EditCommand { None, SelectAll, Copy, Cut, Paste, Undo };

EditCommand EditCommandOf(KeyStroke stroke) {
    const bool control = stroke.shift == ShiftState(Modifier::Ctrl);
    const bool shifted = stroke.shift == ShiftState(Modifier::Shift);
    if (control) {
        switch (stroke.key) {
        case 'A':
            return EditCommand::SelectAll;
        case 'C':
        case Key::Insert:
            return EditCommand::Copy;
        case 'X':
            return EditCommand::Cut;
        case 'V':
            return EditCommand::Paste;
        case 'Z':
        case 'Y':
            return EditCommand::Undo;
        default:
            return EditCommand::None;
        }
    }
    if (shifted && stroke.key == Key::Insert) {
        return EditCommand::Paste;
    }
    if (shifted && stroke.key == Key::Delete) {
        return EditCommand::Cut;
    }
    return EditCommand::None;
}

// Pasted text goes in as if typed, one character at a time, so that the field's rules check
// each of them. The paste ends at a line break, at the first character the field does not take
// (its rules refused it, or it is full) and when the rules move the focus on.
void Paste(Form& form, Edit& edit) {
    const std::string clipboard = form.App().ClipboardText();
    std::u32string characters = DecodeUtf8(clipboard);
    const auto first = characters.find_first_not_of(U" \t\r\n");
    characters.erase(0, first == std::u32string::npos ? characters.size() : first);
    for (const char32_t character : characters) {
        if (character < U' ' || character == U'\x7F' || form.Focused() != &edit || !edit.CanFocus()) {
            return;
        }
        const std::string before = edit.Text();
        HandleKey(form, StrokeForCharacter(character));
        if (edit.Text() == before) {
            return;
        }
    }
}

// Select all, copy, cut and paste work in every edit field, whatever its rules for typed
// characters; undo is not offered, because the fields' rules move the focus and change other
// fields as the text changes.
bool RunEditCommand(Form& form, Edit& edit, EditCommand command) {
    switch (command) {
    case EditCommand::None:
        return false;
    case EditCommand::SelectAll:
        edit.SelectAll();
        return true;
    case EditCommand::Copy:
        if (edit.SelLength() > 0) {
            form.App().SetClipboardText(edit.SelectedText());
        }
        return true;
    case EditCommand::Cut:
        if (edit.SelLength() > 0) {
            form.App().SetClipboardText(edit.SelectedText());
            if (!edit.ReadOnly()) {
                edit.KeyDownDefault(Key::Delete, {});
            }
        }
        return true;
    case EditCommand::Paste:
        if (!edit.ReadOnly()) {
            Paste(form, edit);
        }
        return true;
    case EditCommand::Undo:
        return true;
    }
    return false;
}

void HandleKey(Form& form, KeyStroke stroke) {
    Component* target = form.Focused();
    if (target != nullptr && !target->CanFocus()) {
        target = nullptr; // a hidden or disabled component receives no keys
    }
    // The form hears keys first with key preview on, and always when nothing else has the focus.
    const bool formHears = form.KeyPreview() || target == nullptr;
    std::uint16_t key = stroke.key;
    if (formHears && form.OnKeyDown) {
        form.Raise([&] { form.OnKeyDown(key, stroke.shift); });
        if (key == Key::None) {
            return;
        }
    }
    if (target != nullptr && target->OnKeyDown) {
        form.Raise([&] { target->OnKeyDown(key, stroke.shift); });
        if (key == Key::None) {
            return;
        }
    }
    if (auto* edit = dynamic_cast<Edit*>(target);
        edit != nullptr && RunEditCommand(form, *edit, EditCommandOf({key, stroke.shift, 0}))) {
        return;
    }
    if (target != nullptr && target->KeyDownDefault(key, stroke.shift)) {
        return;
    }
    if (key == Key::Tab) {
        form.SelectNext(!stroke.shift.Has(Modifier::Shift));
        return;
    }
    char32_t character = stroke.character;
    if (character == 0) {
        return;
    }
    if (formHears && form.OnKeyPress) {
        form.Raise([&] { form.OnKeyPress(character); });
        if (character == 0) {
            return;
        }
    }
    if (target != nullptr && target->OnKeyPress) {
        form.Raise([&] { target->OnKeyPress(character); });
        if (character == 0) {
            return;
        }
    }
    if (target != nullptr && target->KeyPressDefault(character)) {
        return;
    }
    if (character == Key::Return) {
        ClickIfUsable(form.DefaultButton());
    } else if (character == Key::Escape) {
        ClickIfUsable(form.CancelButton());
    }
}

// Punctuation on a US keyboard: the character, its key, whether Shift is held.
struct PunctuationKey {
    char32_t character;
    std::uint16_t key;
    bool shifted;
};

constexpr std::array<PunctuationKey, 32> Punctuation{{
    {U';', 186, false},  {U':', 186, true},   {U'=', 187, false}, {U'+', 187, true},  {U',', 188, false},
    {U'<', 188, true},   {U'-', 189, false},  {U'_', 189, true},  {U'.', 190, false}, {U'>', 190, true},
    {U'/', 191, false},  {U'?', 191, true},   {U'`', 192, false}, {U'~', 192, true},  {U'[', 219, false},
    {U'{', 219, true},   {U'\\', 220, false}, {U'|', 220, true},  {U']', 221, false}, {U'}', 221, true},
    {U'\'', 222, false}, {U'"', 222, true},   {U'!', '1', true},  {U'@', '2', true},  {U'#', '3', true},
    {U'$', '4', true},   {U'%', '5', true},   {U'^', '6', true},  {U'&', '7', true},  {U'*', '8', true},
    {U'(', '9', true},   {U')', '0', true},
}};

} // namespace

void PressKey(Form& form, KeyStroke stroke) {
    form.App().Dispatch([&] { HandleKey(form, stroke); });
}

KeyStroke StrokeForCharacter(char32_t character) {
    if (character >= U'a' && character <= U'z') {
        return {static_cast<std::uint16_t>(character - U'a' + U'A'), {}, character};
    }
    if (character >= U'A' && character <= U'Z') {
        return {static_cast<std::uint16_t>(character), Modifier::Shift, character};
    }
    if (character >= U'0' && character <= U'9') {
        return {static_cast<std::uint16_t>(character), {}, character};
    }
    switch (character) {
    case U' ':
        return {Key::Space, {}, character};
    case U'\n':
    case U'\r':
        return {Key::Return, {}, Key::Return};
    case U'\t':
        return {Key::Tab, {}, Key::Tab};
    case U'\b':
        return {Key::Back, {}, Key::Back};
    case U'\x1B':
        return {Key::Escape, {}, Key::Escape};
    default:
        break;
    }
    for (const PunctuationKey& entry : Punctuation) {
        if (entry.character == character) {
            return {entry.key, entry.shifted ? ShiftState(Modifier::Shift) : ShiftState(), character};
        }
    }
    return {Key::Packet, {}, character};
}

KeyStroke StrokeForKey(std::uint16_t key, ShiftState shift) {
    KeyStroke stroke{key, shift, 0};
    const bool control = shift.Has(Modifier::Ctrl);
    const bool alt = shift.Has(Modifier::Alt);
    if (key >= 'A' && key <= 'Z' && !alt) {
        if (control) {
            stroke.character = static_cast<char32_t>(key - 'A' + 1);
        } else {
            stroke.character = shift.Has(Modifier::Shift) ? key : static_cast<char32_t>(key - 'A' + 'a');
        }
    } else if (key >= '0' && key <= '9' && !control && !alt && !shift.Has(Modifier::Shift)) {
        stroke.character = key;
    } else if (key == Key::Space || key == Key::Return || key == Key::Back || key == Key::Escape) {
        stroke.character = key;
    }
    return stroke;
}

void FocusByMouse(Component& component) {
    Form& form = component.OwnerForm();
    form.App().Dispatch([&] {
        const bool hadFocus = component.Focused();
        form.SetFocusByMouse(component);
        auto* edit = dynamic_cast<Edit*>(&component);
        if (edit != nullptr && !hadFocus && edit->Focused()) {
            edit->MoveCaretToEnd();
        }
    });
}

void ClickOn(Component& component) {
    Form& form = component.OwnerForm();
    form.App().Dispatch([&] {
        if (!component.Showing() || !component.EnabledInTree()) {
            return;
        }
        if (component.Focusable()) {
            FocusByMouse(component);
            // A reaction to the focus change that sends the focus elsewhere swallows the click.
            if (!component.Focused()) {
                return;
            }
        }
        component.Click();
    });
}

void DoubleClickOn(Component& component) {
    Form& form = component.OwnerForm();
    form.App().Dispatch([&] {
        ClickOn(component);
        if (component.Showing() && component.EnabledInTree() &&
            (!component.Focusable() || component.Focused())) {
            form.Raise(component.OnDblClick);
        }
    });
}

void ClickItem(ListBox& list, int index) {
    Form& form = list.OwnerForm();
    form.App().Dispatch([&] {
        if (!list.Showing() || !list.EnabledInTree()) {
            return;
        }
        FocusByMouse(list);
        if (list.Focused()) {
            list.SelectByUser(index);
        }
    });
}

void CloseWindow(Form& form) {
    form.App().Dispatch([&] { form.Close(); });
}

} // namespace varnholt::toolkit