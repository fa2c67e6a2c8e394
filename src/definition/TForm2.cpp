#include "definition/TForm2.h"

#include "engine/KeyCounts.h"

#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"
#include "definition/DialogKeys.h"
#include "definition/RandomSource.h"
#include "definition/ReportStarter.h"
#include "definition/RequestBuilder.h"
#include "engine/GenerationState.h"
#include "engine/KeyCounts.h"
#include "engine/Progression.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerMessages.h"
#include "manufacturers/ManufacturerPanel.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ConversionError.h"
#include "toolkit/Edit.h"
#include "toolkit/Font.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"

namespace varnholt::definition {

namespace {

constexpr int WindowWidth = 822;
constexpr int WindowHeight = 616;
// The choice list's layout each time it opens.
constexpr int ListTop = 74;
constexpr int ListWidth = 537;
constexpr int ListHeight = 80;
constexpr int ListButtonsTop = 270;
// The system colour of inactive captions, which marks the control key field as not in use.
constexpr toolkit::Colour InactiveCaption{191, 205, 219};

} // namespace

TForm2::TForm2(toolkit::Application& application, GenerationState& generationState,
               manufacturers::ManufacturerFile& manufacturerFile, manufacturers::ManufacturerPanel& panel,
               toolkit::Form& mainForm, ReportStarter& starter, RandomSource& randomSource)
    : toolkit::Form(application, "Form2"), Label1(Add<toolkit::Label>("Label1")),
      StaticText1(Add<toolkit::Label>("StaticText1")), LB1(Add<toolkit::ListBox>("LB1")),
      Button1(Add<toolkit::Button>("Button1")), Button2(Add<toolkit::Button>("Button2")),
      Panel1(Add<toolkit::Panel>("Panel1")), Label2(Add<toolkit::Label>("Label2", Panel1)),
      Label3(Add<toolkit::Label>("Label3", Panel1)), ListBox1(Add<toolkit::ListBox>("ListBox1", Panel1)),
      Label4(Add<toolkit::Label>("Label4", Panel1)), Edit1(Add<toolkit::Edit>("Edit1", Panel1)),
      Label5(Add<toolkit::Label>("Label5", Panel1)), Edit2(Add<toolkit::Edit>("Edit2", Panel1)),
      Label7(Add<toolkit::Label>("Label7", Panel1)), Edit3(Add<toolkit::Edit>("Edit3", Panel1)),
      Label8(Add<toolkit::Label>("Label8", Panel1)), Edit4(Add<toolkit::Edit>("Edit4", Panel1)),
      Label9(Add<toolkit::Label>("Label9", Panel1)), Edit6(Add<toolkit::Edit>("Edit6", Panel1)),
      Label6(Add<toolkit::Label>("Label6", Panel1)), Label12(Add<toolkit::Label>("Label12", Panel1)),
      Label13(Add<toolkit::Label>("Label13", Panel1)), Label11(Add<toolkit::Label>("Label11", Panel1)),
      RandomMaster(Add<toolkit::Button>("RandomMaster", Panel1)),
      Label10(Add<toolkit::Label>("Label10", Panel1)), KeysInAll(Add<toolkit::Label>("KeysInAll", Panel1)),
      Button3(Add<toolkit::Button>("Button3", Panel1)),
      Button4(Add<toolkit::Button>("Button4", Panel1)), state(generationState), file(manufacturerFile),
      manufacturerPanel(panel), mainWindow(mainForm), reportStarter(starter), random(randomSource) {
    BuildLayout();
    WireReactions();
}

void TForm2::BuildLayout() {
    SetCaption("Data Input");
    SetClientSize(WindowWidth, WindowHeight);
    SetResizable(false);
    SetBackground(toolkit::Colours::Aqua);
    SetTextFont(toolkit::BoldSerifFont(16));
    SetCentredOnScreen(true);
    BuildListLayout();
    BuildPanelLayout();
}

void TForm2::BuildListLayout() {
    // The list opens each time with its title, list and buttons placed again (OpenList).
    Label1.SetBounds(211, 24, 400, 32);
    StaticText1.SetCaption(
        "To view the entire list, click on the down arrow. To choose an item, click on it.  Then click OK.");
    StaticText1.SetBounds(61, 180, 700, 48);
    StaticText1.SetWordWrap(true);
    LB1.SetBounds(142, 74, 537, 80);
    LB1.SetTabOrder(0);
    Button1.SetCaption("OK");
    Button1.SetBounds(258, 270, 100, 36);
    Button1.SetTabOrder(1);
    Button2.SetCaption("Cancel");
    Button2.SetBounds(448, 270, 100, 36);
    Button2.SetTabOrder(2);
}

void TForm2::BuildPanelLayout() {
    Panel1.SetBounds(0, 0, WindowWidth, WindowHeight);
    Panel1.Hide();
    Label2.SetCaption("Master Key System ");
    Label2.SetBounds(0, 16, WindowWidth, 36);
    Label2.SetAlignment(toolkit::Alignment::Centre);
    Label2.SetTextFont(toolkit::BoldSerifFont(29));

    const auto placeQuestion = [](toolkit::Label& label, const char* caption, int top) {
        label.SetCaption(caption);
        label.SetBounds(40, top, 420, 24);
    };
    placeQuestion(Label3, "How Many Chambers?", 84);
    ListBox1.SetItems({"4", "5", "6", "7"});
    ListBox1.SetBounds(360, 76, 60, 90);
    placeQuestion(Label4, "What is the Grand Master Key?", 190);
    Edit1.SetBounds(360, 186, 140, 28);
    RandomMaster.SetCaption("*");
    RandomMaster.SetBounds(520, 182, 40, 36);
    RandomMaster.SetTextFont(toolkit::BoldSerifFont(32));
    RandomMaster.SetTabStop(false);
    Label10.SetCaption("<--Create a Random Master");
    Label10.SetBounds(570, 190, 240, 24);
    placeQuestion(Label5, "What is the Control Key?", 234);
    Edit2.SetBounds(360, 230, 140, 28);

    Label6.SetCaption("Total Available");
    Label6.SetBounds(630, 276, 150, 24);
    placeQuestion(Label7, "How Many Masters Under the Grand?", 314);
    Edit3.SetBounds(500, 310, 100, 28);
    placeQuestion(Label8, "How Many Sub-Masters Under Each Master?", 358);
    Edit4.SetBounds(500, 354, 100, 28);
    placeQuestion(Label9, "How Many Keys Required", 402);
    Edit6.SetBounds(500, 398, 100, 28);
    KeysInAll.SetBounds(500, 432, 260, 24);
    int boxTop = 310;
    for (toolkit::Label* box : {&Label12, &Label13, &Label11}) {
        box->SetBounds(640, boxTop, 120, 28);
        box->SetBackground(toolkit::Colours::White);
        box->SetAlignment(toolkit::Alignment::Centre);
        boxTop += 44;
    }

    Button3.SetCaption("OK");
    Button3.SetBounds(258, 520, 100, 36);
    Button4.SetCaption("Cancel");
    Button4.SetBounds(448, 520, 100, 36);

    int tabOrder = 0;
    for (toolkit::Component* field : std::initializer_list<toolkit::Component*>{
             &ListBox1, &Edit1, &Edit2, &Edit3, &Edit4, &Edit6, &Button3, &Button4}) {
        field->SetTabOrder(tabOrder++);
    }
}

void TForm2::WireReactions() {
    Button1.OnClick = [this] { Button1Click(); };
    LB1.OnDblClick = [this] { LB1DblClick(); };
    LB1.OnKeyDown = [this](std::uint16_t& key, toolkit::ShiftState) { LB1KeyDown(key); };
    Button2.OnClick = [this] { Button2Click(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { ListBox1Click(); };
    ListBox1.OnExit = [this] { ListBox1Exit(); };
    ListBox1.OnKeyDown = [this](std::uint16_t& key, toolkit::ShiftState) { ListBox1KeyDown(key); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Edit1.OnKeyPress = [this](char32_t& key) { Edit1KeyPress(key); };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit1.OnEnter = [this] { Edit1Enter(); };
    Edit2.OnKeyPress = [this](char32_t& key) { Edit2KeyPress(key); };
    Edit2.OnChange = [this] { Edit2Change(); };
    Edit2.OnEnter = [this] { Edit2Enter(); };
    Edit3.OnKeyPress = [this](char32_t& key) { Edit3KeyPress(key); };
    Edit3.OnChange = [this] {
        Edit3Change();
        ShowKeysInAll();
    };
    Edit3.OnEnter = [this] { Edit3Enter(); };
    Edit4.OnKeyPress = [this](char32_t& key) { Edit4KeyPress(key); };
    Edit4.OnChange = [this] {
        Edit4Change();
        ShowKeysInAll();
    };
    Edit4.OnEnter = [this] { Edit4Enter(); };
    Edit6.OnKeyPress = [this](char32_t& key) { Edit6KeyPress(key); };
    Edit6.OnChange = [this] {
        Edit6Change();
        ShowKeysInAll();
    };
    Edit6.OnEnter = [this] { Edit6Enter(); };
    RandomMaster.OnClick = [this] { RandomMasterClick(); };
    // The window's close box is a Cancel of whichever stage is showing; a mere hide would leave
    // the definition pending and the panel over the list the next time it opens.
    OnClose = [this] {
        if (Panel1.Visible()) {
            Button4Click();
        } else {
            Button2Click();
        }
    };
}

// ---- Helpers ---------------------------------------------------------------------------------

int TForm2::Chambers() const {
    return state.Chambers;
}

void TForm2::SetTextQuietly(toolkit::Edit& field, const std::string& text) {
    IgnoreNextChange = true;
    field.SetText(text);
    // A text that did not change fires no change rule; the flag must not then swallow the
    // user's next edit.
    IgnoreNextChange = false;
}

void TForm2::FocusAtEnd(toolkit::Edit& field) {
    // Entering a field selects its text; the caret goes after it only once the focus is there,
    // so that the next digit is added instead of replacing the key.
    field.SetFocus();
    field.MoveCaretToEnd();
}

void TForm2::RefuseKeystroke(const std::string& message) {
    App().Beep();
    App().ShowMessage(toolkit::BoxKind::Information, message);
}

void TForm2::ShowKeysInAll() {
    const auto digitsOnly = [](const std::string& text) {
        return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digitsOnly(Edit6.Text())) {
        KeysInAll.SetCaption("");
        return;
    }
    const auto count = [&digitsOnly](const std::string& text) { return digitsOnly(text) ? std::stoll(text) : 0; };
    KeysInAll.SetCaption(
        std::to_string(ChangeKeysInAll(count(Edit3.Text()), count(Edit4.Text()), count(Edit6.Text()))) +
        " in all");
}

std::int64_t TForm2::NumberIn(const std::string& text) const {
    return text.empty() ? 0 : toolkit::StrToInt(text);
}

// ---- The manufacturer list -------------------------------------------------------------------

void TForm2::Button1Click() {
    if (DefiningSystem) {
        OpenSystemPanel();
    } else {
        OpenManufacturerForChange();
    }
}

void TForm2::OpenSystemPanel() {
    if (LB1.Count() == 0) {
        return;
    }
    file.SelectedRecord = static_cast<std::size_t>(LB1.ItemIndex() < 0 ? 0 : LB1.ItemIndex());
    LB1.SetItemIndex(0);
    if (!file.LoadManufacturer()) {
        // The load has told the user what is wrong; a system cannot be built on that record.
        LB1.SetFocus();
        return;
    }
    Panel1.SetBounds(0, 0, ClientWidth(), ClientHeight());
    Panel1.Show();
    LB1.Hide();
    // The list's buttons lie under the panel; they must not be reached by Tab from it.
    Button1.Hide();
    Button2.Hide();

    const manufacturers::ManufacturerRecord& record = file.CurrentManufacturer;
    ListBox1.Clear();
    for (int choice = 0; choice < record.ChamberChoices; ++choice) {
        ListBox1.AddItem(std::to_string(record.MinChambers + choice));
    }
    Edit2.SetEnabled(file.IsICore);
    Edit2.SetBackground(file.IsICore ? toolkit::Colours::Window : InactiveCaption);
    CopyManufacturerIntoRequest();
    ListBox1.SetItemIndex(0);
    Edit1.SetFocus();
}

void TForm2::CopyManufacturerIntoRequest() {
    // A choice starts the request afresh: answers left over from an earlier system (a control
    // key above all, which would mark the keys of this one that share its bitting) must not
    // reach this one.
    chosenManufacturer = file.CurrentManufacturer;
    static_cast<KeySystemRequest&>(state) = RequestForManufacturer(chosenManufacturer);
    state.ProgressionSteps = DialogProgressionSteps(
        chosenManufacturer.ShallowestCut, chosenManufacturer.DeepestCut, chosenManufacturer.StepIncrement);
}

void TForm2::OpenManufacturerForChange() {
    Hide();
    if (manufacturerPanel.NewManufacturerMode) {
        manufacturerPanel.ReturnToNewManufacturer();
        LB1.Hide();
        return;
    }
    if (LB1.Count() == 0) {
        return;
    }
    file.SelectedRecord = static_cast<std::size_t>(LB1.ItemIndex() < 0 ? 0 : LB1.ItemIndex());
    LB1.SetItemIndex(0);
    LB1.Hide();
    manufacturerPanel.OpenSelectedRecordForChange();
}

void TForm2::OpenListToDefineSystem() {
    DefiningSystem = true;
    RandomMasterPending = false;
    ListBox1.Clear();
    OpenList();
}

void TForm2::OpenListToChangeManufacturer() {
    DefiningSystem = false;
    OpenList();
}

void TForm2::OpenList() {
    LB1.Clear();
    const bool opened = file.ListManufacturers(LB1);
    if (!opened || !file.ListHasRecords) {
        App().ShowMessage(toolkit::BoxKind::Information, manufacturers::messages::FileNotLocated);
        Hide();
        // As good as a Cancel of the list: a later "List / Change Data" must not open it for
        // a new system.
        DefiningSystem = false;
        return;
    }
    // The dialog keeps its own size, which is larger than the main window, and lies centred
    // over it, so that it covers the main window whole and none of its own fields is cut.
    SetCentredOnScreen(false);
    SetPosition(mainWindow.Left() + (mainWindow.ClientWidth() - ClientWidth()) / 2,
                mainWindow.Top() + (mainWindow.ClientHeight() - ClientHeight()) / 2);
    Label1.SetCaption("Manufacturer's Listing");
    Label1.SetAlignment(toolkit::Alignment::Centre);
    Label1.SetLeft((ClientWidth() - Label1.Width()) / 2);
    StaticText1.SetAlignment(toolkit::Alignment::Centre);
    Show();

    LB1.SetBounds((ClientWidth() - ListWidth) / 2, ListTop, ListWidth, ListHeight);
    LB1.Show();
    Button1.SetTop(ListButtonsTop);
    Button2.SetTop(ListButtonsTop);
    Button1.Show();
    Button2.Show();
    LB1.SetItemIndex(0);
    LB1.SetFocus();
}

void TForm2::LB1DblClick() {
    Button1Click();
}

namespace {

// Up and Down move the selection one item and stop at the ends of the list.
bool MoveSelection(toolkit::ListBox& list, std::uint16_t key) {
    if (key == toolkit::Key::Up) {
        if (list.ItemIndex() > 0) {
            list.SetItemIndex(list.ItemIndex() - 1);
        }
        return true;
    }
    if (key == toolkit::Key::Down) {
        if (list.ItemIndex() < list.Count() - 1) {
            list.SetItemIndex(list.ItemIndex() + 1);
        }
        return true;
    }
    return false;
}

} // namespace

void TForm2::LB1KeyDown(std::uint16_t& key) {
    if (MoveSelection(LB1, key)) {
        key = toolkit::Key::None;
    } else if (key == toolkit::Key::Return) {
        key = toolkit::Key::None;
        Button1Click();
    }
}

void TForm2::Button2Click() {
    ListBox1.SetEnabled(true);
    Edit1.SetEnabled(true);
    Edit2.SetEnabled(true);
    Panel1.Hide();
    DefiningSystem = false;
    Hide();
}

// ---- The chamber choice ----------------------------------------------------------------------

void TForm2::ListBox1Click() {
    ListBox1Exit();
    Edit1.SetFocus();
}

void TForm2::ListBox1Exit() {
    if (ListBox1.ItemIndex() >= 0) {
        state.Chambers = toolkit::StrToInt(ListBox1.SelectedItem());
    }
}

void TForm2::ListBox1KeyDown(std::uint16_t& key) {
    if (MoveSelection(ListBox1, key)) {
        key = toolkit::Key::None;
    } else if (key == toolkit::Key::Return) {
        key = toolkit::Key::None;
        Edit1.SetFocus();
    }
}

// ---- OK and Cancel of the panel --------------------------------------------------------------

void TForm2::AskForQuantity(toolkit::Edit& field) {
    App().Beep();
    App().ShowMessage(toolkit::BoxKind::Information, NoQuantityMessage);
    field.SetFocus();
}

void TForm2::Button3Click() {
    const int chambers = Chambers();
    // A key longer than the chamber count means the count was lowered after the quantities
    // were worked out: entering the key again cuts it and asks for them afresh.
    if (Edit1.Length() != chambers) {
        FocusAtEnd(Edit1);
        return;
    }
    // Likewise a control key left longer than the chamber count would reach the report with
    // cuts the user never checked against the shorter top master key.
    if (state.IsICore && Edit2.Length() != chambers) {
        FocusAtEnd(Edit2);
        return;
    }
    const std::optional<SystemAnswers> answers = AnswersOnPanel();
    if (!answers) {
        return;
    }
    const BuiltRequest built = BuildRequest(chosenManufacturer, *answers);
    if (built.refusal) {
        ShowRefusal(*built.refusal, *answers);
        return;
    }
    static_cast<KeySystemRequest&>(state) = built.request;
    ClearProgressionTable(state);
    GenerateProgression(state);
    reportStarter.StartReport();
    Button4Click();
}

std::optional<SystemAnswers> TForm2::AnswersOnPanel() {
    if (Edit3.Text().empty()) {
        AskForQuantity(Edit3);
        return std::nullopt;
    }
    const std::int64_t masters = Edit3.Text() == "0" ? 0 : toolkit::StrToInt(Edit3.Text());
    if (masters != 0 && Edit4.Text().empty()) {
        AskForQuantity(Edit4);
        return std::nullopt;
    }
    const std::int64_t subMasters = masters == 0 || Edit4.Text() == "0" ? 0 : toolkit::StrToInt(Edit4.Text());
    if (Edit6.Text().empty()) {
        if (Label11.Caption().empty()) {
            AskForQuantity(Edit6);
            return std::nullopt;
        }
        Edit6.SetText(Label11.Caption());
    }
    SystemAnswers answers;
    answers.chambers = Chambers();
    answers.topMasterKey = state.TopMasterKey;
    answers.controlKey = state.ControlKey;
    answers.masters = QuantityAnswer::Of(masters);
    answers.subMasters = QuantityAnswer::Of(subMasters);
    answers.changeKeys = QuantityAnswer::Of(toolkit::StrToInt(Edit6.Text()));
    answers.subMastersAsEntered = true;
    return answers;
}

void TForm2::ShowRefusal(const RequestRefusal& refusal, const SystemAnswers& answers) {
    // The fields are checked as they are typed, but a masters field changed afterwards leaves the
    // figures below it as they were: the whole request is judged once more at OK.
    switch (refusal.answer) {
    case RefusedAnswer::Masters:
        App().ShowMessage(toolkit::BoxKind::Error, refusal.message);
        FocusAtEnd(Edit3);
        return;
    case RefusedAnswer::SubMasters:
        App().ShowMessage(toolkit::BoxKind::Error, refusal.message);
        FocusAtEnd(Edit4);
        return;
    case RefusedAnswer::ChangeKeys:
        App().ShowMessage(toolkit::BoxKind::Information, refusal.message);
        Label11.SetCaption(std::to_string(
            varnholt::definition::CheckCapacity(answers.masters.count, answers.subMasters.count,
                                                state.ProgressionSteps, Chambers())
                .keysAvailable));
        Edit6.SetText("");
        Edit6.SetFocus();
        return;
    case RefusedAnswer::ControlKey:
        RefuseKeystroke(refusal.message);
        FocusAtEnd(Edit2);
        return;
    case RefusedAnswer::Manufacturer:
    case RefusedAnswer::Chambers:
    case RefusedAnswer::TopMasterKey:
        RefuseKeystroke(refusal.message);
        FocusAtEnd(Edit1);
        return;
    }
}

void TForm2::Button4Click() {
    for (toolkit::Edit* field : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit6}) {
        SetTextQuietly(*field, "");
    }
    Label11.SetCaption("");
    Label12.SetCaption("");
    Label13.SetCaption("");
    RandomMasterPending = false;
    Panel1.Hide();
    Hide();
    DefiningSystem = false;
}

} // namespace varnholt::definition
