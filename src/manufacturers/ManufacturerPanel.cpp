#include "manufacturers/ManufacturerPanel.h"

#include "manufacturers/CodePage1252.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerMessages.h"
#include "manufacturers/ManufacturerName.h"
#include "manufacturers/RecordValidity.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ConversionError.h"
#include "toolkit/Edit.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/Keys.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

#include <string>

namespace varnholt::manufacturers {

namespace {

constexpr int ButtonRowTop = 460;
constexpr int LabelColumnLeft = 24;
constexpr int LabelColumnWidth = 290;
constexpr int FieldColumnLeft = 324;
constexpr int FirstRowTop = 72;
constexpr int RowHeight = 36;
constexpr int FieldHeight = 26;
constexpr int CoreLabelLeft = 420;
constexpr int CoreFieldLeft = 596;
constexpr int ChamberBoxWidth = 22;

int RowTop(int row) {
    return FirstRowTop + row * RowHeight;
}

// Bytes that stand for no printable character in the code page (its C1 range and DEL).
bool IsControlCharacter(char32_t character) {
    return character < U' ' || (character >= 0x7F && character <= 0x9F);
}

} // namespace

ManufacturerPanel::ManufacturerPanel(toolkit::Form& mainWindow, ManufacturerFile& manufacturerFile)
    : Panel2(mainWindow.Add<toolkit::Panel>("Panel2")),
      Label19(mainWindow.Add<toolkit::Label>("Label19", Panel2)),
      MfgsName(mainWindow.Add<toolkit::Edit>("MfgsName", Panel2)),
      MinimumChambers(mainWindow.Add<toolkit::Edit>("MinimumChambers", Panel2)),
      MaximumChambers(mainWindow.Add<toolkit::Edit>("MaximumChambers", Panel2)),
      Shallow(mainWindow.Add<toolkit::Edit>("Shallow", Panel2)),
      Deep(mainWindow.Add<toolkit::Edit>("Deep", Panel2)),
      MaxAdjacent(mainWindow.Add<toolkit::Edit>("MaxAdjacent", Panel2)),
      Step(mainWindow.Add<toolkit::Edit>("Step", Panel2)),
      IsICore(mainWindow.Add<toolkit::CheckBox>("IsICore", Panel2)),
      ControlFactor(mainWindow.Add<toolkit::Edit>("ControlFactor", Panel2)),
      StackTotal(mainWindow.Add<toolkit::Edit>("StackTotal", Panel2)),
      Button6(mainWindow.Add<toolkit::Button>("Button6", Panel2)),
      Button7(mainWindow.Add<toolkit::Button>("Button7", Panel2)),
      Button8(mainWindow.Add<toolkit::Button>("Button8", Panel2)), form(mainWindow), file(manufacturerFile) {
    for (std::size_t index = 0; index < controlChambers.size(); ++index) {
        controlChambers[index] = &form.Add<toolkit::CheckBox>("CheckBox" + std::to_string(index + 1), Panel2);
    }
    labels[0] = &Label19;
    for (std::size_t index = 1; index < labels.size(); ++index) {
        labels[index] = &form.Add<toolkit::Label>("Label" + std::to_string(19 + index), Panel2);
    }
    BuildLayout();
    WireReactions();
    HidePanelLabels();
    HidePanelFields();
    Panel2.Hide();
}

void ManufacturerPanel::BuildLayout() {
    Panel2.SetBounds(0, 0, form.ClientWidth(), form.ClientHeight());
    Panel2.SetBorder(toolkit::Bevel::None);

    Label19.SetCaption("Manufacturer's Data");
    Label19.SetAlignment(toolkit::Alignment::Centre);
    Label19.SetTextFont(toolkit::BoldSerifFont(29));
    Label19.SetBounds((form.ClientWidth() - 360) / 2, 16, 360, 40);

    struct Row {
        toolkit::Label* label;
        const char* caption;
        toolkit::Component* field;
        int width;
        int maxLength;
    };
    const Row rows[] = {
        {labels[1], "Manufacturer's Name:", &MfgsName, 420, 40},
        {labels[2], "Minimum Chambers for this Mfg.:", &MinimumChambers, 36, 1},
        {labels[4], "Maximum Chambers for the Mfg.:", &MaximumChambers, 36, 1},
        {labels[5], "Shallowest Cut:", &Shallow, 36, 1},
        {labels[6], "Deepest Cut:", &Deep, 36, 2},
        {labels[7], "Maximum Adjacent Cut:", &MaxAdjacent, 36, 1},
        {labels[8], "Step Increment:", &Step, 36, 0},
        {labels[9], "Interchangeable Core:", &IsICore, 24, 0},
    };
    int row = 0;
    int tabOrder = 0;
    for (const auto& each : rows) {
        each.label->SetCaption(each.caption);
        each.label->SetAlignment(toolkit::Alignment::Right);
        each.label->SetBounds(LabelColumnLeft, RowTop(row) + 3, LabelColumnWidth, FieldHeight);
        each.field->SetBounds(FieldColumnLeft, RowTop(row), each.width, FieldHeight);
        each.field->SetTabOrder(tabOrder++);
        if (auto* edit = dynamic_cast<toolkit::Edit*>(each.field)) {
            edit->SetMaxLength(each.maxLength);
        }
        ++row;
    }

    // The interchangeable-core block sits to the right of the short fields.
    labels[3]->SetCaption("Control Factor:"); // Label22
    labels[3]->SetAlignment(toolkit::Alignment::Right);
    labels[3]->SetBounds(CoreLabelLeft, RowTop(2) + 3, 166, FieldHeight);
    ControlFactor.SetBounds(CoreFieldLeft, RowTop(2), 44, FieldHeight);
    ControlFactor.SetMaxLength(2);
    ControlFactor.SetTabOrder(tabOrder++);
    labels[10]->SetCaption("Stack Total:"); // Label29
    labels[10]->SetAlignment(toolkit::Alignment::Right);
    labels[10]->SetBounds(CoreLabelLeft, RowTop(3) + 3, 166, FieldHeight);
    StackTotal.SetBounds(CoreFieldLeft, RowTop(3), 44, FieldHeight);
    StackTotal.SetMaxLength(2);
    StackTotal.SetTabOrder(tabOrder++);
    labels[11]->SetCaption("Control Chambers:"); // Label30
    labels[11]->SetAlignment(toolkit::Alignment::Right);
    labels[11]->SetBounds(CoreLabelLeft - 40, RowTop(5) + 3, 166, FieldHeight);
    for (std::size_t index = 0; index < controlChambers.size(); ++index) {
        const int left = CoreFieldLeft - 40 + static_cast<int>(index) * (ChamberBoxWidth + 4);
        auto* number = labels[13 + index]; // Label32..Label38
        number->SetCaption(std::to_string(index + 1));
        number->SetAlignment(toolkit::Alignment::Centre);
        number->SetBounds(left, RowTop(4) + 12, ChamberBoxWidth, 22);
        controlChambers[index]->SetBounds(left + 3, RowTop(5) + 4, ChamberBoxWidth - 4, 18);
        controlChambers[index]->SetTabOrder(tabOrder++);
    }
    labels[12]->SetCaption("Chambers"); // Label31
    labels[12]->SetAlignment(toolkit::Alignment::Centre);
    labels[12]->SetBounds(CoreFieldLeft - 40, RowTop(6) - 6, 7 * (ChamberBoxWidth + 4), 22);

    Button6.SetCaption("OK");
    Button7.SetCaption("Clear All");
    Button8.SetCaption("Cancel");
    int buttonLeft = 178;
    for (auto* button : {&Button6, &Button7, &Button8}) {
        button->SetBounds(buttonLeft, ButtonRowTop, 120, 36);
        button->SetTabOrder(tabOrder++);
        buttonLeft += 150;
    }
}

void ManufacturerPanel::WireReactions() {
    MfgsName.OnKeyPress = [this](char32_t& key) { MfgsNameKeyPress(key); };
    MinimumChambers.OnKeyPress = [this](char32_t& key) { MinimumChambersKeyPress(key); };
    MaximumChambers.OnKeyPress = [this](char32_t& key) { MaximumChambersKeyPress(key); };
    Shallow.OnKeyPress = [this](char32_t& key) { ShallowKeyPress(key); };
    Deep.OnKeyPress = [this](char32_t& key) { DeepKeyPress(key); };
    MaxAdjacent.OnKeyPress = [this](char32_t& key) { MaxAdjacentKeyPress(key); };
    Step.OnKeyPress = [this](char32_t& key) { StepKeyPress(key); };
    ControlFactor.OnKeyPress = [this](char32_t& key) { ControlFactorKeyPress(key); };

    MinimumChambers.OnChange = [this] { MinimumChambersChange(); };
    MaximumChambers.OnChange = [this] { MaximumChambersChange(); };
    Shallow.OnChange = [this] { ShallowChange(); };
    Deep.OnChange = [this] { DeepChange(); };
    MaxAdjacent.OnChange = [this] { MaxAdjacentChange(); };
    Step.OnChange = [this] { StepChange(); };
    ControlFactor.OnChange = [this] { ControlFactorChange(); };
    StackTotal.OnChange = [this] { StackTotalChange(); };

    MinimumChambers.OnEnter = [this] { MinimumChambersEnter(); };
    MaximumChambers.OnEnter = [this] { MaximumChambersEnter(); };
    Shallow.OnEnter = [this] { ShallowEnter(); };
    Deep.OnEnter = [this] { DeepEnter(); };
    MaxAdjacent.OnEnter = [this] { MaxAdjacentEnter(); };
    Step.OnEnter = [this] { StepEnter(); };
    ControlFactor.OnEnter = [this] { ControlFactorEnter(); };
    StackTotal.OnEnter = [this] { StackTotalEnter(); };
    Button6.OnEnter = [this] { Button6Enter(); };
    MfgsName.OnExit = [this] { MfgsNameExit(); };

    IsICore.OnClick = [this] { IsICoreClick(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button8.OnClick = [this] { Button8Click(); };
}

// ---- Opening ----------------------------------------------------------------------------

void ManufacturerPanel::Button2Click() {
    NewManufacturerMode = true;
    Panel2.SetBounds(0, 0, form.ClientWidth(), form.ClientHeight());
    Panel2.Show();
    HidePanelLabels();
    ShowPanelLabels();
    HidePanelFields();
    ShowPanelFields();
    PlaceButtonRow();
    Button7.SetCaption("Refresh");
    MfgsName.SetFocus();
}

void ManufacturerPanel::ReturnToNewManufacturer() {
    PlaceButtonRow();
    form.Show();
    Button7.SetCaption("Refresh");
}

void ManufacturerPanel::OpenSelectedRecordForChange() {
    Panel2.SetBounds(0, 0, form.ClientWidth(), form.ClientHeight());
    Panel2.Show();
    PlaceButtonRow();
    Button7.SetCaption("Restore");
    file.LoadManufacturer();
    file.DisplayedManufacturer = file.CurrentManufacturer;
    HidePanelLabels();
    ShowPanelLabels();
    HidePanelFields();
    ShowPanelFields();
    LoadManufacturerPanel();
    // The menu button lies under the panel; entering it hands the focus to the panel's first field.
    if (toolkit::Component* menuButton = form.Find("Button1")) {
        form.SetFocus(*menuButton);
    }
}

void ManufacturerPanel::PlaceButtonRow() {
    for (auto* button : {&Button6, &Button7, &Button8}) {
        button->SetTop(ButtonRowTop);
    }
}

// ---- Panel operations -------------------------------------------------------------------

void ManufacturerPanel::ClearManufacturerPanel() {
    for (auto* field : {&MfgsName, &MinimumChambers, &MaximumChambers, &Shallow, &Deep, &MaxAdjacent, &Step,
                        &ControlFactor, &StackTotal}) {
        field->SetText("");
    }
    IsICore.SetChecked(false);
    for (auto* box : controlChambers) {
        box->SetChecked(false);
    }
}

void ManufacturerPanel::ShowPanelLabels() {
    Label19.SetLeft((form.ClientWidth() - Label19.Width()) / 2);
    Label19.Show();
    for (std::size_t index : {1u, 2u, 4u, 5u, 6u, 7u, 8u, 9u}) { // Label20, Label21, Label23..Label28
        labels[index]->Show();
    }
    SetCoreLabelsVisible(IsICore.Checked());
}

void ManufacturerPanel::HidePanelLabels() {
    for (auto* label : labels) {
        label->Hide();
    }
}

void ManufacturerPanel::HidePanelFields() {
    for (toolkit::Component* field : std::initializer_list<toolkit::Component*>{
             &MfgsName, &MinimumChambers, &MaximumChambers, &Shallow, &Deep, &MaxAdjacent, &Step, &IsICore}) {
        field->Hide();
    }
    SetCoreFieldsVisible(false);
}

void ManufacturerPanel::ShowPanelFields() {
    for (toolkit::Component* field : std::initializer_list<toolkit::Component*>{
             &MfgsName, &MinimumChambers, &MaximumChambers, &Shallow, &Deep, &MaxAdjacent, &Step, &IsICore}) {
        field->Show();
    }
    SetCoreFieldsVisible(IsICore.Checked());
}

void ManufacturerPanel::LoadManufacturerPanel() {
    if (NewManufacturerMode) {
        ClearManufacturerPanel();
        return;
    }
    const ManufacturerRecord& record = file.DisplayedManufacturer;
    MfgsName.SetText(record.Name);
    MinimumChambers.SetText(std::to_string(record.MinChambers));
    MaximumChambers.SetText(std::to_string(std::int64_t{record.MinChambers} + record.ChamberChoices - 1));
    Shallow.SetText(std::to_string(record.ShallowestCut));
    Deep.SetText(std::to_string(record.DeepestCut));
    MaxAdjacent.SetText(std::to_string(record.MaxAdjacentCut));
    Step.SetText(std::to_string(record.StepIncrement));
    file.IsICore = record.IsICore;
    IsICore.SetChecked(record.IsICore);
    if (record.IsICore) {
        ControlFactor.SetText(std::to_string(record.ControlFactor));
        StackTotal.SetText(std::to_string(record.StackTotal));
        for (std::size_t index = 0; index < controlChambers.size(); ++index) {
            controlChambers[index]->SetChecked(index < record.ControlChambers.size() &&
                                               record.ControlChambers[index] == 'Y');
        }
    }
}

void ManufacturerPanel::SetCoreFieldsVisible(bool visible) {
    ControlFactor.SetVisible(visible);
    StackTotal.SetVisible(visible);
    for (auto* box : controlChambers) {
        box->SetVisible(visible);
    }
}

void ManufacturerPanel::SetCoreLabelsVisible(bool visible) {
    labels[3]->SetVisible(visible);                                // Label22
    for (std::size_t index = 10; index < labels.size(); ++index) { // Label29..Label38
        labels[index]->SetVisible(visible);
    }
}

// ---- Keys ---------------------------------------------------------------------------------

void ManufacturerPanel::MoveOnWithEnter(char32_t& key, toolkit::Edit& field, toolkit::Component& next) {
    if (key != toolkit::Key::Return) {
        return;
    }
    key = 0;
    if (field.Length() > 0) {
        next.SetFocus();
    }
}

void ManufacturerPanel::MfgsNameKeyPress(char32_t& key) {
    // The file holds names in code page 1252: a character it cannot hold is refused as typed,
    // rather than lost or changed at the save.
    if (key != toolkit::Key::Return && key != toolkit::Key::Back && key != toolkit::Key::Escape &&
        key != toolkit::Key::Tab && (IsControlCharacter(key) || !ToCodePage1252(key))) {
        key = 0;
        form.App().Beep();
        return;
    }
    MoveOnWithEnter(key, MfgsName, MinimumChambers);
}

void ManufacturerPanel::MinimumChambersKeyPress(char32_t& key) {
    MoveOnWithEnter(key, MinimumChambers, MaximumChambers);
}
void ManufacturerPanel::MaximumChambersKeyPress(char32_t& key) {
    MoveOnWithEnter(key, MaximumChambers, Shallow);
}
void ManufacturerPanel::ShallowKeyPress(char32_t& key) {
    MoveOnWithEnter(key, Shallow, Deep);
}
void ManufacturerPanel::DeepKeyPress(char32_t& key) {
    MoveOnWithEnter(key, Deep, MaxAdjacent);
}
void ManufacturerPanel::MaxAdjacentKeyPress(char32_t& key) {
    MoveOnWithEnter(key, MaxAdjacent, Step);
}
void ManufacturerPanel::StepKeyPress(char32_t& key) {
    MoveOnWithEnter(key, Step, Button6);
}
void ManufacturerPanel::ControlFactorKeyPress(char32_t& key) {
    MoveOnWithEnter(key, ControlFactor, StackTotal);
}

// ---- Moving on while typing ---------------------------------------------------------------

void ManufacturerPanel::MinimumChambersChange() {
    if (MinimumChambers.Length() >= 1) {
        MaximumChambers.SetFocus();
    }
}

void ManufacturerPanel::MaximumChambersChange() {
    if (MaximumChambers.Length() == 0) {
        return;
    }
    const auto minimum = toolkit::StrToInt(MinimumChambers.Text());
    const auto maximum = toolkit::StrToInt(MaximumChambers.Text());
    if (minimum > maximum) {
        form.App().Beep();
        form.App().ShowMessage(toolkit::BoxKind::Error, messages::MaximumBelowMinimum);
        // Whichever of the two is the likelier typing slip is taken back.
        auto& wrong = maximum <= 6 ? MaximumChambers : MinimumChambers;
        wrong.SetText("");
        wrong.SetFocus();
        return;
    }
    Shallow.SetFocus();
}

void ManufacturerPanel::ShallowChange() {
    if (Shallow.Length() >= 1) {
        Deep.SetFocus();
    }
}

void ManufacturerPanel::DeepChange() {
    if (Deep.Length() >= 2) {
        MaxAdjacent.SetFocus();
    }
}

void ManufacturerPanel::MaxAdjacentChange() {
    if (MaxAdjacent.Length() >= 1) {
        Step.SetFocus();
    }
}

void ManufacturerPanel::StepChange() {
    if (Step.Length() >= 1) {
        if (IsICore.Checked()) {
            ControlFactor.SetFocus();
        } else {
            Button6.SetFocus();
        }
    }
}

void ManufacturerPanel::ControlFactorChange() {
    if (ControlFactor.Length() == 2) {
        StackTotal.SetFocus();
    }
}

void ManufacturerPanel::StackTotalChange() {
    if (StackTotal.Length() == 2) {
        Button6.SetFocus();
    }
}

// ---- Checks on entering a field -----------------------------------------------------------

bool ManufacturerPanel::SendBackIfEmpty(toolkit::Edit& field) {
    if (field.Length() > 0) {
        return false;
    }
    form.App().Beep();
    field.SetFocus();
    return true;
}

void ManufacturerPanel::Reject(toolkit::Edit& field, const char* message) {
    form.App().Beep();
    form.App().ShowMessage(toolkit::BoxKind::Warning, message);
    field.SetText("");
    field.SetFocus();
}

void ManufacturerPanel::RejectOutside(toolkit::Edit& field, const ValueRange& range) {
    if (!range.Contains(toolkit::StrToInt(field.Text()))) {
        Reject(field, range.message);
    }
}

void ManufacturerPanel::MinimumChambersEnter() {
    if (MfgsName.Length() == 0) {
        form.App().Beep();
        MfgsName.SetFocus();
    }
    file.FindManufacturerName();
    if (file.NameInDatabase && !file.OverwriteRecord) {
        // Focus first: entering the field selects its text, and the caret is to follow the name.
        MfgsName.SetFocus();
        MfgsName.MoveCaretToEnd();
    }
}

void ManufacturerPanel::MaximumChambersEnter() {
    if (SendBackIfEmpty(MinimumChambers)) {
        return;
    }
    RejectOutside(MinimumChambers, MinimumChambersRange);
}

void ManufacturerPanel::ShallowEnter() {
    if (SendBackIfEmpty(MaximumChambers)) {
        return;
    }
    // Judged by its first character: the field holds one.
    const char first = MaximumChambers.Text().front();
    if (!MaximumChambersRange.Contains(first - '0')) {
        Reject(MaximumChambers, MaximumChambersRange.message);
    }
}

void ManufacturerPanel::DeepEnter() {
    if (SendBackIfEmpty(Shallow)) {
        return;
    }
    RejectOutside(Shallow, ShallowestCutRange);
}

void ManufacturerPanel::MaxAdjacentEnter() {
    if (SendBackIfEmpty(Deep)) {
        return;
    }
    RejectOutside(Deep, DeepestCutRange);
}

void ManufacturerPanel::StepEnter() {
    if (SendBackIfEmpty(MaxAdjacent)) {
        return;
    }
    if (!MaxAdjacentCutAllowed(toolkit::StrToInt(MaxAdjacent.Text()))) {
        Reject(MaxAdjacent, MaxAdjacentCutRange.message);
    }
}

void ManufacturerPanel::ControlFactorEnter() {
    // With an interchangeable core the field after the step is this one, so the step is checked
    // here; an empty step is left to OK, so that ticking the box early does not send the user
    // back through every empty field.
    if (Step.Length() > 0) {
        RejectOutside(Step, StepIncrementRange);
    }
}

void ManufacturerPanel::StackTotalEnter() {
    if (SendBackIfEmpty(ControlFactor)) {
        return;
    }
    RejectOutside(ControlFactor, ControlFactorRange);
}

void ManufacturerPanel::Button6Enter() {
    if (ChangingManufacturer) {
        return;
    }
    if (IsICore.Checked()) {
        if (SendBackIfEmpty(StackTotal)) {
            return;
        }
        RejectOutside(StackTotal, StackTotalRange);
        return;
    }
    if (Step.Length() > 0) {
        RejectOutside(Step, StepIncrementRange);
    }
}

void ManufacturerPanel::MfgsNameExit() {
    file.MfgName = CutToNameLength(MfgsName.Text());
}

// ---- Interchangeable core ------------------------------------------------------------------

void ManufacturerPanel::IsICoreClick() {
    const bool ticked = IsICore.Checked();
    ControlFactor.SetText("");
    StackTotal.SetText("");
    for (auto* box : controlChambers) {
        box->SetChecked(false);
    }
    SetCoreFieldsVisible(ticked);
    SetCoreLabelsVisible(ticked);
    if (ticked) {
        ControlFactor.SetFocus();
    } else {
        Button6.SetFocus();
    }
}

// ---- OK, Clear All / Refresh / Restore, Cancel ---------------------------------------------

toolkit::Component& ManufacturerPanel::FieldFor(RecordField field) {
    switch (field) {
    case RecordField::MinChambers:
        return MinimumChambers;
    case RecordField::MaxChambers:
        return MaximumChambers;
    case RecordField::ShallowestCut:
        return Shallow;
    case RecordField::DeepestCut:
        return Deep;
    case RecordField::MaxAdjacentCut:
        return MaxAdjacent;
    case RecordField::StepIncrement:
        return Step;
    case RecordField::ControlFactor:
        return ControlFactor;
    case RecordField::StackTotal:
        return StackTotal;
    case RecordField::ControlChambers:
        return *controlChambers[0];
    }
    return MfgsName;
}

void ManufacturerPanel::Button6Click() {
    if (IsICore.Checked()) {
        if (SendBackIfEmpty(ControlFactor) || SendBackIfEmpty(StackTotal)) {
            return;
        }
        bool anyTicked = false;
        for (auto* box : controlChambers) {
            anyTicked = anyTicked || box->Checked();
        }
        if (!anyTicked) {
            form.App().Beep();
            form.App().ShowMessage(toolkit::BoxKind::Warning, messages::NoControlChamber);
            return;
        }
    }
    // The record is built apart and only becomes the current one once it is whole: a value that
    // is no number stops OK here and leaves the record last read (which Restore shows) untouched.
    ManufacturerRecord record = file.CurrentManufacturer;
    record.Name = CutToNameLength(MfgsName.Text());
    if (!IsMarkedForDeletion(record.Name)) {
        const auto minimum = toolkit::StrToInt(MinimumChambers.Text());
        const auto maximum = toolkit::StrToInt(MaximumChambers.Text());
        record.ChamberChoices = maximum - minimum + 1;
        record.MinChambers = minimum;
        record.ShallowestCut = toolkit::StrToInt(Shallow.Text());
        record.DeepestCut = toolkit::StrToInt(Deep.Text());
        record.MaxAdjacentCut = toolkit::StrToInt(MaxAdjacent.Text());
        record.StepIncrement = toolkit::StrToInt(Step.Text());
        if (IsICore.Checked()) {
            record.ControlFactor = toolkit::StrToInt(ControlFactor.Text());
            record.StackTotal = toolkit::StrToInt(StackTotal.Text());
            record.ControlChambers = "NNNNNNN";
            for (std::size_t index = 0; index < controlChambers.size(); ++index) {
                if (controlChambers[index]->Checked()) {
                    record.ControlChambers[index] = 'Y';
                }
            }
        } else {
            record.ControlFactor = 0;
            record.StackTotal = 0;
            record.ControlChambers.clear();
        }
    }
    record.IsICore = IsICore.Checked();

    // The field checks can be off (while a listed record is changed) or skipped (a click on OK);
    // a record the generation cannot use is refused here, at the field that holds the value.
    const bool markedInPlace = file.OverwriteRecord && IsMarkedForDeletion(record.Name);
    if (auto impossible = FindImpossibleField(record); impossible && !markedInPlace) {
        form.App().Beep();
        form.App().ShowMessage(toolkit::BoxKind::Warning, impossible->message);
        FieldFor(impossible->field).SetFocus();
        return;
    }

    const ManufacturerRecord lastRead = file.CurrentManufacturer;
    file.CurrentManufacturer = record;
    file.DisplayedManufacturer = record;
    try {
        if (!file.SaveManufacturer()) {
            file.CurrentManufacturer = lastRead;
            if (file.RecordMoved) {
                ChooseAgainAfterMove();
            }
            return;
        }
    } catch (...) {
        // Nothing was written: Restore must still show the record as it is in the file.
        file.CurrentManufacturer = lastRead;
        throw;
    }
    if (ChangingManufacturer) {
        file.OfferDeletion();
    }
    form.App().ShowMessage(toolkit::BoxKind::Information, messages::FileUpdated);
    Button8Click();
}

void ManufacturerPanel::ChooseAgainAfterMove() {
    if (!NewManufacturerMode && OnRecordMoved) {
        Button8Click();
        OnRecordMoved();
        return;
    }
    // Leaving the name field looks the name up again, where it now is.
    MfgsName.SetFocus();
}

void ManufacturerPanel::Button7Click() {
    if (NewManufacturerMode) {
        ClearManufacturerPanel();
        MfgsName.SetFocus();
        return;
    }
    file.DisplayedManufacturer = file.CurrentManufacturer;
    LoadManufacturerPanel();
    MfgsName.SetFocus();
}

void ManufacturerPanel::Button8Click() {
    ClearManufacturerPanel();
    HidePanelLabels();
    NewManufacturerMode = false;
    Panel2.Hide();
    if (OnClosed) {
        OnClosed();
    }
}

} // namespace varnholt::manufacturers