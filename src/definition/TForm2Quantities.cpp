#include "definition/TForm2.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"
#include "definition/DialogKeys.h"
#include "definition/RandomMaster.h"
#include "definition/RandomSource.h"
#include "engine/GenerationState.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ConversionError.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"

namespace varnholt::definition {

// The quantity fields and the "Total Available" boxes beside them.

void TForm2::ShowMastersAvailable() {
    Label12.SetCaption(std::to_string(MastersAvailable(state.ProgressionSteps, Chambers())));
}

void TForm2::ShowSubMastersAvailable() {
    const std::int64_t masters = NumberIn(Edit3.Text());
    Label13.SetCaption(std::to_string(SubMastersAvailable(masters, state.ProgressionSteps, Chambers())));
}

bool TForm2::CheckCapacity() {
    const CapacityResult capacity = varnholt::definition::CheckCapacity(
        NumberIn(Edit3.Text()), NumberIn(Edit4.Text()), state.ProgressionSteps, Chambers());
    if (capacity.verdict == CapacityVerdict::TooManyMasters) {
        App().ShowMessage(toolkit::BoxKind::Error, TooManyMastersMessage);
        // Emptied without its change rule, which would fill it with "0" again.
        SetTextQuietly(Edit3, "");
        Edit3.SetFocus();
        return false;
    }
    if (capacity.verdict == CapacityVerdict::TooManySubMasters) {
        App().ShowMessage(toolkit::BoxKind::Error, TooManySubMastersMessage);
        SetTextQuietly(Edit4, "");
        Edit4.SetFocus();
        return false;
    }
    Label11.SetCaption(std::to_string(capacity.keysAvailable));
    if (!Edit6.Text().empty()) {
        // A new capacity replaces an earlier answer with the new maximum.
        Edit6.SetText(Label11.Caption());
    }
    return true;
}

void TForm2::QuantityKeyPress(char32_t& key, toolkit::Edit& field, const toolkit::Label& available,
                              toolkit::Component& next) {
    if (key != BackspaceKey && !IsDigitKey(key) && !IsAllKey(key)) {
        key = 0;
        RefuseKeystroke(NotANumberMessage(state.ShallowestCut, state.DeepestCut));
        return;
    }
    if (IsAllKey(key)) {
        key = 0;
        field.SetText(available.Caption());
        next.SetFocus();
        return;
    }
    if (key == BackspaceKey) {
        BackspaceInQuantity = true;
    }
}

void TForm2::Edit3KeyPress(char32_t& key) {
    if (key == EnterKey || key == U'0') {
        key = 0;
        if (!Edit3.Text().empty()) {
            Edit4.SetFocus();
            return;
        }
        // No masters at all: nothing for sub-masters either; on to the keys.
        SetTextQuietly(Edit3, "0");
        SetTextQuietly(Edit4, "0");
        Label13.SetCaption("0");
        CheckCapacity();
        Edit6.SetFocus();
        return;
    }
    QuantityKeyPress(key, Edit3, Label12, Edit4);
}

void TForm2::Edit3Change() {
    if (IgnoreNextChange) {
        IgnoreNextChange = false;
        return;
    }
    if (Edit1.Length() < Chambers()) {
        FocusAtEnd(Edit1);
        return;
    }
    if (Edit3.Text().empty()) {
        if (!BackspaceInQuantity) {
            Edit6.SetFocus();
        }
        Edit3.SetFocus();
        return;
    }
    const std::int64_t masters = NumberIn(Edit3.Text());
    if (masters == 0) {
        Edit3.SetText("");
        Edit4.SetText("");
        Edit6.SetFocus();
        return;
    }
    if (Label12.Caption().empty()) {
        ShowMastersAvailable();
    }
    if (masters > NumberIn(Label12.Caption())) {
        App().ShowMessage(toolkit::BoxKind::Error, AboveAvailableMessage);
        // Emptied without its change rule, which would send the focus on and fill in "0".
        SetTextQuietly(Edit3, "");
        Label13.SetCaption("");
        Label11.SetCaption("");
        Edit3.SetFocus();
    }
}

void TForm2::Edit3Enter() {
    if (Edit1.Length() < Chambers()) {
        Edit1.SetFocus();
        return;
    }
    Edit3.MoveCaretToEnd();
    if (state.IsICore && Edit2.Length() < Chambers()) {
        Edit2.SetFocus();
    }
}

void TForm2::Edit4KeyPress(char32_t& key) {
    BackspaceInQuantity = false;
    if (key == EnterKey || key == U'0') {
        key = 0;
        Edit6.SetFocus();
        return;
    }
    QuantityKeyPress(key, Edit4, Label13, Edit6);
}

void TForm2::Edit4Change() {
    if (IgnoreNextChange) {
        IgnoreNextChange = false;
        return;
    }
    CheckCapacity();
    if (Edit1.Length() >= Chambers()) {
        if (Edit4.Text().empty()) {
            Edit4.SetFocus();
        }
    } else {
        FocusAtEnd(Edit1);
    }
}

void TForm2::Edit4Enter() {
    Label13.SetCaption("");
    state.MasterCount = 0;
    Edit4.MoveCaretToEnd();
    if (!Edit3.Text().empty()) {
        state.MasterCount = toolkit::StrToInt(Edit3.Text());
        Edit3.MoveCaretToEnd();
    }
    if (Label12.Caption() != "0") {
        ShowSubMastersAvailable();
    }
    if (Label13.Caption() == "0") {
        SetTextQuietly(Edit4, "0");
        // A refusal has sent the user back to the masters; moving on would fill them with "0".
        if (CheckCapacity()) {
            Edit6.SetFocus();
        }
        return;
    }
    if (state.MasterCount == 0) {
        App().ShowMessage(toolkit::BoxKind::Information, NoMastersMessage);
        Edit6.SetFocus();
        return;
    }
    if (Edit1.Length() < Chambers()) {
        Edit1.SetFocus();
        return;
    }
    const std::int64_t available = NumberIn(Label13.Caption());
    if (available != 0 && NumberIn(Edit4.Text()) > available) {
        // Lowered to what the masters leave, without a message.
        SetTextQuietly(Edit4, Label13.Caption());
    }
    Edit4.MoveCaretToEnd();
    if (state.IsICore && Edit2.Length() < Chambers()) {
        Edit2.SetFocus();
    }
}

void TForm2::Edit6KeyPress(char32_t& key) {
    if (key == EnterKey) {
        // Consumed either way, so that the Enter does not also press OK once the focus is there.
        key = 0;
        if (Edit6.Text().empty()) {
            Edit6.SetText(Label11.Caption());
        }
        Button3.SetFocus();
        return;
    }
    if (key == BackspaceKey) {
        key = 0;
        if (!Edit6.Text().empty()) {
            Edit6.SetText(WithoutLastCharacter(Edit6.Text()));
            FocusAtEnd(Edit6);
        }
        return;
    }
    QuantityKeyPress(key, Edit6, Label11, Button3);
}

void TForm2::Edit6Change() {
    if (Edit6.Text().empty()) {
        return;
    }
    const std::int64_t keys = NumberIn(Edit6.Text());
    const std::int64_t available = NumberIn(Label11.Caption());
    if (keys > available) {
        App().ShowMessage(toolkit::BoxKind::Information, TooManyKeysMessage);
        Edit6.SetText("");
        Edit6.SetFocus();
    } else if (keys == available) {
        Button3.SetFocus();
    }
}

void TForm2::Edit6Enter() {
    if (Edit3.Text().empty()) {
        SetTextQuietly(Edit3, "0");
        SetTextQuietly(Edit4, "0");
    }
    if (Edit4.Text().empty()) {
        SetTextQuietly(Edit4, "0");
    }
    if (Edit4.Text() != "0") {
        ShowSubMastersAvailable();
    }
    Edit4.MoveCaretToEnd();
    state.SubMasterCount = 0;
    if (!CheckCapacity()) {
        return;
    }
    if (Edit4.Text() != "0") {
        const std::int64_t available = NumberIn(Label13.Caption());
        std::int64_t subMasters = NumberIn(Edit4.Text());
        if (subMasters > available) {
            subMasters = available;
            SetTextQuietly(Edit4, std::to_string(subMasters));
        }
        state.SubMasterCount = static_cast<int>(subMasters);
    }
}

} // namespace varnholt::definition
