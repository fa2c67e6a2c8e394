#pragma once

#include "toolkit/Keys.h"

namespace varnholt::toolkit {

class Component;
class Form;
class ListBox;

// What the user does with keyboard and mouse, turned into the model's events in the order the
// rules rely on. Used by the scripted test driver and by the on-screen backend alike; each
// call is one dispatched event.
//
// A key: the form's OnKeyDown (with key preview), the focused component's OnKeyDown, the
// component's own key-down action (caret, list movement), Tab / Shift+Tab; then, for a key
// with a character, the form's OnKeyPress (with key preview), the component's OnKeyPress,
// the component's own action (an edit inserts or deletes, a button clicks on Enter or Space,
// a check box toggles on Space); then Enter clicks the default button and Escape the cancel
// button. A handler stops the chain by setting the key to 0.
void PressKey(Form& form, KeyStroke stroke);
// The key stroke a keyboard gives for one typed character (letters, digits, blank, Enter,
// Tab, Backspace, Escape; other characters as Key::Packet).
KeyStroke StrokeForCharacter(char32_t character);
// The key stroke of a key pressed with shift held (the character for letters and digits,
// Enter, Backspace, Escape and Space follows the platform).
KeyStroke StrokeForKey(std::uint16_t key, ShiftState shift);

// A mouse click: a focusable component first takes the focus (and is clicked only if it keeps
// it through the exit and enter reactions), then its click reaction runs.
void ClickOn(Component& component);
// Click, then the double-click reaction.
void DoubleClickOn(Component& component);
// A click on one item of a list box.
void ClickItem(ListBox& list, int index);
// The user puts the focus there with the mouse (an edit's caret goes after its text).
void FocusByMouse(Component& component);
// The window's close box.
void CloseWindow(Form& form);

} // namespace varnholt::toolkit