#include "definition/TForm2.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"
#include "definition/DialogKeys.h"
#include "definition/RandomMaster.h"
#include "definition/RandomSource.h"
#include "engine/GenerationState.h"
#include "toolkit/Application.h"
#include "toolkit/ConversionError.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"

namespace varnholt::definition {

// The grand master and control key fields, and the random master that fills the first.

void TForm2::Edit1KeyPress(char32_t& key) {
    RandomMasterPending = false;
    const CutRules rules = CutRulesFor(state);
    if (key == EnterKey) {
        if (Edit1.Length() >= Chambers()) {
            key = 0;
            if (state.IsICore) {
                Edit2.SetFocus();
            } else {
                Edit3.SetFocus();
            }
        }
        return;
    }
    if (key == BackspaceKey) {
        return;
    }
    const char typed = key < 128 ? static_cast<char>(key) : '?';
    if (auto refusal = CheckTypedCut(typed, rules)) {
        key = 0;
        RefuseKeystroke(*refusal);
    }
}

bool TForm2::UndoBrokenAdjacentCut(toolkit::Edit& field) {
    const std::string text = field.Text();
    if (text.size() > 1 && !AdjacentCutsFit(text[text.size() - 2], text.back(), CutRulesFor(state))) {
        RefuseKeystroke(AdjacentCutsMessage);
        // Removing the cut runs the change rule again on the shorter text.
        field.SetText(WithoutLastCharacter(text));
        field.MoveCaretToEnd();
        return true;
    }
    return false;
}

void TForm2::Edit1Change() {
    if (IgnoreNextChange) {
        IgnoreNextChange = false;
        return;
    }
    if (UndoBrokenAdjacentCut(Edit1)) {
        return;
    }
    const int chambers = Chambers();
    if (Edit1.Length() > chambers) {
        // The cut runs this rule again on the finished key.
        Edit1.SetText(Edit1.Text().substr(0, static_cast<std::size_t>(chambers)));
        return;
    }
    if (Edit1.Length() < chambers) {
        Edit1.SetFocus();
        return;
    }
    state.TopMasterKey = KeyText(Edit1.Text());
    if (auto refusal = ControlKeyRefusal()) {
        RefuseKeystroke(*refusal);
        Edit2.SetText(WithoutLastCharacter(Edit2.Text()));
        FocusAtEnd(Edit2);
        return;
    }
    if (state.IsICore) {
        Edit2.SetFocus();
    } else {
        Edit3.SetFocus();
    }
}

void TForm2::Edit1Enter() {
    ShowMastersAvailable();
    Label13.SetCaption("");
    Label11.SetCaption("");
    SetTextQuietly(Edit3, "");
    SetTextQuietly(Edit4, "");
    SetTextQuietly(Edit6, "");
    IgnoreNextChange = false;
    const int chambers = Chambers();
    if (Edit1.Length() > chambers) {
        Edit1.SetText(Edit1.Text().substr(0, static_cast<std::size_t>(chambers)));
    }
    if (Edit1.Length() < chambers) {
        if (RandomMasterPending) {
            CompleteRandomMaster();
        } else {
            Edit1.MoveCaretToEnd();
        }
    }
}

void TForm2::Edit2KeyPress(char32_t& key) {
    RandomMasterPending = false;
    if (key == EnterKey) {
        if (Edit2.Length() >= Chambers()) {
            key = 0;
            Edit3.SetFocus();
        }
        return;
    }
    if (key == BackspaceKey) {
        return;
    }
    const char typed = key < 128 ? static_cast<char>(key) : '?';
    if (auto refusal = CheckTypedCut(typed, CutRulesFor(state))) {
        key = 0;
        RefuseKeystroke(*refusal);
        return;
    }
    const auto position = static_cast<std::size_t>(Edit2.Length());
    const std::string& topMaster = Edit1.Text();
    if (position < topMaster.size() && ControlCutIncompatible(typed, topMaster[position])) {
        key = 0;
        RefuseKeystroke(CompatibilityMessage);
    }
}

void TForm2::Edit2Change() {
    if (UndoBrokenAdjacentCut(Edit2)) {
        return;
    }
    const int chambers = Chambers();
    if (Edit2.Length() > chambers) {
        Edit2.SetText(Edit2.Text().substr(0, static_cast<std::size_t>(chambers)));
        return;
    }
    if (Edit2.Length() < chambers) {
        Edit2.SetFocus();
        return;
    }
    state.ControlKey = KeyText(Edit2.Text());
    if (auto refusal = ControlKeyRefusal()) {
        RefuseKeystroke(*refusal);
        Edit2.SetText(WithoutLastCharacter(Edit2.Text()));
        FocusAtEnd(Edit2);
        return;
    }
    Edit3.SetFocus();
}

std::optional<std::string> TForm2::ControlKeyRefusal() const {
    if (!state.IsICore || Edit2.Length() != Chambers()) {
        return std::nullopt;
    }
    if (Edit1.Text() == Edit2.Text()) {
        return std::string(SameKeyMessage);
    }
    // A control key with the top master's cuts in every control chamber would leave no key of the
    // system usable; only a complete top master key can be compared with.
    if (Edit1.Length() == Chambers() &&
        MatchesTopMasterInEveryControlChamber(Edit2.Text(), Edit1.Text(), state.ControlChambers)) {
        return std::string(ControlChamberMessage);
    }
    if (Edit1.Length() == Chambers()) {
        return CheckTopMasterPinnable(state, Edit1.Text(), Edit2.Text());
    }
    return std::nullopt;
}

void TForm2::Edit2Enter() {
    if (DefiningSystem) {
        return;
    }
    const int chambers = Chambers();
    if (Edit2.Length() > chambers) {
        Edit2.SetText(Edit2.Text().substr(0, static_cast<std::size_t>(chambers)));
    }
    Edit2.MoveCaretToEnd();
}

void TForm2::RandomMasterClick() {
    DefiningSystem = false;
    std::string key;
    RandomMasterPending = true;
    CompleteRandomKey(key, Chambers(), random, CutRulesFor(state));
    state.TopMasterKey = KeyText(key);
    Edit1.SetText(key);
    if (state.IsICore) {
        Edit2.SetFocus();
    } else {
        Edit3.SetFocus();
    }
    ShowMastersAvailable();
}

void TForm2::CompleteRandomMaster() {
    const auto chambers = static_cast<std::size_t>(Chambers() < 0 ? 0 : Chambers());
    // One cut at a time, as if typed, so that the field's change rule sees each of them and
    // takes the key as finished with the last.
    while (Edit1.Text().size() < chambers) {
        std::string key = Edit1.Text();
        if (!CompleteRandomKey(key, static_cast<int>(key.size()) + 1, random, CutRulesFor(state))) {
            return;
        }
        Edit1.SetText(key);
        if (Edit1.Text() != key) {
            return;
        }
    }
}

} // namespace varnholt::definition
