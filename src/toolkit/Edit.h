#pragma once

#include "toolkit/Component.h"

#include <string>
#include <string_view>

namespace varnholt::toolkit {

// A single-line edit field. The text is UTF-8; lengths, the caret (SelStart) and the
// selection count characters, not bytes.
//
// As on the platform the rules were written for: setting the text by program puts the caret
// at the start and fires OnChange when the text really changes; entering the field by
// keyboard or program selects the whole text (AutoSelect), so typing then replaces it;
// clicking into the field does not select.
class Edit : public Component {
public:
    Edit(Form& form, std::string name, Component* parent);

    const std::string& Text() const { return text; }
    void SetText(std::string value);
    // Number of characters in the text.
    int Length() const;

    // Most characters the user can type; 0 means no limit. Program texts are not cut.
    int MaxLength() const { return maxLength; }
    void SetMaxLength(int value);

    // Caret position: characters before the caret. Setting it clears the selection.
    int SelStart() const { return selStart; }
    void SetSelStart(int value);
    int SelLength() const { return selLength; }
    void SetSelLength(int value);
    void SelectAll();
    // The selected characters.
    std::string SelectedText() const;
    // Puts the caret after the last character.
    void MoveCaretToEnd() { SetSelStart(Length()); }

    bool AutoSelect() const { return autoSelect; }
    void SetAutoSelect(bool value) { autoSelect = value; }
    bool ReadOnly() const { return readOnly; }
    void SetReadOnly(bool value);

    bool Focusable() const override { return true; }
    bool KeyDownDefault(std::uint16_t key, ShiftState shift) override;
    bool KeyPressDefault(char32_t character) override;

    std::function<void()> OnChange;

private:
    // Replaces the selection by inserted (a UTF-32 text), within MaxLength, as the user does.
    void ReplaceSelection(std::u32string_view inserted);
    void ChangeText(std::string value, int caret);

    std::string text;
    int maxLength = 0;
    int selStart = 0;
    int selLength = 0;
    bool autoSelect = true;
    bool readOnly = false;
};

} // namespace varnholt::toolkit