#include "definition/TForm2.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"
#include "definition/RandomMaster.h"
#include "definition/RandomSource.h"
#include "definition/ReportStarter.h"
#include "engine/GenerationState.h"
#include "engine/Progression.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerPanel.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ConversionError.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"

#include <cstdlib>

namespace varnholt::definition {

namespace {

constexpr int WindowWidth = 822;
constexpr int WindowHeight = 616;
constexpr int ListButtonsTop = 460;
constexpr std::size_t KeyTextCapacity = 8;
// The system colour of inactive captions, which marks the control key field as not in use.
constexpr toolkit::Colour InactiveCaption{191, 205, 219};

constexpr char32_t Enter = U'\r';
constexpr char32_t Backspace = U'\b';

bool IsDigit(char32_t key)
{
    return key >= U'0' && key <= U'9';
}

bool IsAll(char32_t key)
{
    return key == U'A' || key == U'a';
}

std::string WithoutLastCharacter(const std::string& text)
{
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

std::string KeyText(const std::string& text)
{
    return text.substr(0, KeyTextCapacity);
}

toolkit::Font DialogFont(int pixelSize)
{
    toolkit::Font font;
    font.family = "Times New Roman";
    font.pixelSize = pixelSize;
    font.bold = true;
    return font;
}

} // namespace

TForm2::TForm2(toolkit::Application& application, GenerationState& generationState,
               manufacturers::ManufacturerFile& manufacturerFile, manufacturers::ManufacturerPanel& panel,
               toolkit::Form& mainForm, ReportStarter& starter, RandomSource& randomSource, Clock& timeOfDay)
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
      RandomMaster(Add<toolkit::Button>("RandomMaster", Panel1)), Label10(Add<toolkit::Label>("Label10", Panel1)),
      Button3(Add<toolkit::Button>("Button3", Panel1)), Button4(Add<toolkit::Button>("Button4", Panel1)),
      state(generationState), file(manufacturerFile), manufacturerPanel(panel), mainWindow(mainForm),
      reportStarter(starter), random(randomSource), clock(timeOfDay)
{
    BuildLayout();
    WireReactions();
}

void TForm2::BuildLayout()
{
    SetCaption("Data Input");
    SetClientSize(WindowWidth, WindowHeight);
    SetResizable(false);
    SetBackground(toolkit::Colours::Aqua);
    SetTextFont(DialogFont(16));
    SetCentredOnScreen(true);

    // The choice list; the opener places the title, the list and the buttons each time.
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

    Panel1.SetBounds(0, 0, WindowWidth, WindowHeight);
    Panel1.Hide();
    Label2.SetCaption("Master Key System ");
    Label2.SetBounds(0, 16, WindowWidth, 36);
    Label2.SetAlignment(toolkit::Alignment::Centre);
    Label2.SetTextFont(DialogFont(29));

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
    RandomMaster.SetTextFont(DialogFont(32));
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

void TForm2::WireReactions()
{
    Button1.OnClick = [this] { Button1Click(); };
    LB1.OnDblClick = [this] { LB1DblClick(); };
    LB1.OnKeyDown = [this](std::uint16_t& key, toolkit::ShiftState) { LB1KeyDown(key); };
    Button2.OnClick = [this] { Button2Click(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { ListBox1Click(); };
    ListBox1.OnExit = [this] { ListBox1Exit(); };
    ListBox1.OnKeyDown = [this](std::uint16_t& key, toolkit::ShiftState) { ListBox1KeyDown(key); };
    Button3.OnClick = [this] { Button3Click(); };
    Button3.OnEnter = [this] { Button3Enter(); };
    Button4.OnClick = [this] { Button4Click(); };
    Edit1.OnKeyPress = [this](char32_t& key) { Edit1KeyPress(key); };
    Edit1.OnChange = [this] { Edit1Change(); };
    Edit1.OnEnter = [this] { Edit1Enter(); };
    Edit2.OnKeyPress = [this](char32_t& key) { Edit2KeyPress(key); };
    Edit2.OnChange = [this] { Edit2Change(); };
    Edit2.OnEnter = [this] { Edit2Enter(); };
    Edit3.OnKeyPress = [this](char32_t& key) { Edit3KeyPress(key); };
    Edit3.OnChange = [this] { Edit3Change(); };
    Edit3.OnEnter = [this] { Edit3Enter(); };
    Edit4.OnKeyPress = [this](char32_t& key) { Edit4KeyPress(key); };
    Edit4.OnChange = [this] { Edit4Change(); };
    Edit4.OnEnter = [this] { Edit4Enter(); };
    Edit6.OnKeyPress = [this](char32_t& key) { Edit6KeyPress(key); };
    Edit6.OnChange = [this] { Edit6Change(); };
    Edit6.OnEnter = [this] { Edit6Enter(); };
    RandomMaster.OnClick = [this] { RandomMasterClick(); };
}

// ---- Helpers ---------------------------------------------------------------------------------

int TForm2::Chambers() const
{
    return state.Chambers;
}

void TForm2::SetTextQuietly(toolkit::Edit& field, const std::string& text)
{
    IgnoreNextChange = true;
    field.SetText(text);
    // A text that did not change fires no change rule; the flag must not then swallow the
    // user's next edit.
    IgnoreNextChange = false;
}

void TForm2::RefuseKeystroke(const std::string& message)
{
    App().Beep();
    App().ShowMessage(toolkit::BoxKind::Information, message);
}

std::int64_t TForm2::NumberIn(const std::string& text) const
{
    return text.empty() ? 0 : toolkit::StrToInt(text);
}

// ---- The manufacturer list -------------------------------------------------------------------

void TForm2::Button1Click()
{
    if (DefiningSystem) {
        OpenSystemPanel();
    } else {
        OpenManufacturerForChange();
    }
}

void TForm2::OpenSystemPanel()
{
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

void TForm2::CopyManufacturerIntoRequest()
{
    const manufacturers::ManufacturerRecord& record = file.CurrentManufacturer;
    state.Chambers = record.MinChambers;
    state.ShallowestCut = record.ShallowestCut;
    state.DeepestCut = record.DeepestCut;
    state.IsICore = file.IsICore;
    state.ZeroIsTen = file.ZeroIsTen;
    state.MaxAdjacentCut = record.MaxAdjacentCut;
    state.StepIncrement = record.StepIncrement;
    state.MfgName = record.Name;
    state.ControlChambers = record.ControlChambers.substr(0, KeyTextCapacity);
    state.ControlFactor = record.ControlFactor;
    state.StackTotal = record.StackTotal;
    state.ProgressionSteps = DialogProgressionSteps(record.ShallowestCut, record.DeepestCut, record.StepIncrement);
}

void TForm2::OpenManufacturerForChange()
{
    for (toolkit::Button* button :
         {&manufacturerPanel.Button6, &manufacturerPanel.Button7, &manufacturerPanel.Button8}) {
        button->SetTop(ListButtonsTop);
    }
    Hide();
    if (manufacturerPanel.NewManufacturerMode) {
        mainWindow.Show();
        manufacturerPanel.Button7.SetCaption("Refresh");
        LB1.Hide();
        return;
    }
    if (LB1.Count() == 0) {
        return;
    }
    file.SelectedRecord = static_cast<std::size_t>(LB1.ItemIndex() < 0 ? 0 : LB1.ItemIndex());
    LB1.SetItemIndex(0);
    manufacturerPanel.Panel2.SetBounds(0, 0, mainWindow.ClientWidth(), mainWindow.ClientHeight());
    manufacturerPanel.Panel2.Show();
    for (toolkit::Button* button :
         {&manufacturerPanel.Button6, &manufacturerPanel.Button7, &manufacturerPanel.Button8}) {
        button->SetTop(ListButtonsTop);
    }
    manufacturerPanel.Button7.SetCaption("Restore");
    LB1.Hide();
    file.LoadManufacturer();
    file.DisplayedManufacturer = file.CurrentManufacturer;
    manufacturerPanel.HidePanelLabels();
    manufacturerPanel.ShowPanelLabels();
    manufacturerPanel.HidePanelFields();
    manufacturerPanel.ShowPanelFields();
    manufacturerPanel.LoadManufacturerPanel();
    if (toolkit::Component* menuButton = mainWindow.Find("Button1")) {
        mainWindow.SetFocus(*menuButton);
    }
}

void TForm2::LB1DblClick()
{
    Button1Click();
}

namespace {

// Up and Down move the selection one item and stop at the ends of the list.
bool MoveSelection(toolkit::ListBox& list, std::uint16_t key)
{
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

void TForm2::LB1KeyDown(std::uint16_t& key)
{
    if (MoveSelection(LB1, key)) {
        key = toolkit::Key::None;
    } else if (key == toolkit::Key::Return) {
        key = toolkit::Key::None;
        Button1Click();
    }
}

void TForm2::Button2Click()
{
    ListBox1.SetEnabled(true);
    Edit1.SetEnabled(true);
    Edit2.SetEnabled(true);
    Panel1.Hide();
    DefiningSystem = false;
    Hide();
}

// ---- The chamber choice ----------------------------------------------------------------------

void TForm2::ListBox1Click()
{
    ListBox1Exit();
    Edit1.SetFocus();
}

void TForm2::ListBox1Exit()
{
    if (ListBox1.ItemIndex() >= 0) {
        state.Chambers = toolkit::StrToInt(ListBox1.SelectedItem());
    }
}

void TForm2::ListBox1KeyDown(std::uint16_t& key)
{
    if (MoveSelection(ListBox1, key)) {
        key = toolkit::Key::None;
    } else if (key == toolkit::Key::Return) {
        key = toolkit::Key::None;
        Edit1.SetFocus();
    }
}

// ---- OK and Cancel of the panel --------------------------------------------------------------

void TForm2::AskForQuantity(toolkit::Edit& field)
{
    App().Beep();
    App().ShowMessage(toolkit::BoxKind::Information, NoQuantityMessage);
    field.SetFocus();
}

void TForm2::Button3Click()
{
    const int chambers = Chambers();
    // A key longer than the chamber count means the count was lowered after the quantities
    // were worked out: entering the key again cuts it and asks for them afresh.
    if (Edit1.Length() != chambers) {
        Edit1.MoveCaretToEnd();
        Edit1.SetFocus();
        return;
    }
    if (state.IsICore && Edit2.Length() < chambers) {
        Edit2.MoveCaretToEnd();
        Edit2.SetFocus();
        return;
    }
    if (Edit3.Text().empty()) {
        AskForQuantity(Edit3);
        return;
    }
    state.MasterCount = Edit3.Text() == "0" ? 0 : toolkit::StrToInt(Edit3.Text());
    if (state.MasterCount != 0 && Edit4.Text().empty()) {
        AskForQuantity(Edit4);
        return;
    }
    state.SubMasterCount =
        state.MasterCount == 0 || Edit4.Text() == "0" ? 0 : toolkit::StrToInt(Edit4.Text());
    if (Edit6.Text().empty()) {
        if (Label11.Caption().empty()) {
            AskForQuantity(Edit6);
            return;
        }
        Edit6.SetText(Label11.Caption());
    }
    state.ChangeKeyCount = toolkit::StrToInt(Edit6.Text());

    state.ChamberRoles.clear();
    ComputeChamberCounts();
    state.ChamberRoles =
        BuildChamberRoles({state.MasterChamberCount, state.SubMasterChamberCount}, state.Chambers);
    ClearProgressionTable(state);
    GenerateProgression(state);
    reportStarter.StartReport();
    Button4Click();
}

void TForm2::Button3Enter() {}

void TForm2::Button4Click()
{
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

// ---- The key fields --------------------------------------------------------------------------

void TForm2::Edit1KeyPress(char32_t& key)
{
    RandomMasterPending = false;
    const CutRules rules = CutRulesFor(state);
    if (key == Enter) {
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
    if (key == Backspace) {
        return;
    }
    const char typed = key < 128 ? static_cast<char>(key) : '?';
    if (auto refusal = CheckTypedCut(typed, rules)) {
        key = 0;
        RefuseKeystroke(*refusal);
    }
}

bool TForm2::UndoBrokenAdjacentCut(toolkit::Edit& field)
{
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

void TForm2::Edit1Change()
{
    if (IgnoreNextChange) {
        IgnoreNextChange = false;
        return;
    }
    if (state.MaxAdjacentCut == 0) {
        state.MaxAdjacentCut = UnlimitedAdjacentCut;
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
    if (state.IsICore && Edit1.Text() == Edit2.Text()) {
        RefuseKeystroke(SameKeyMessage);
        Edit2.SetText(WithoutLastCharacter(Edit2.Text()));
        Edit2.MoveCaretToEnd();
        Edit2.SetFocus();
        return;
    }
    if (state.IsICore) {
        Edit2.SetFocus();
    } else {
        Edit3.SetFocus();
    }
}

void TForm2::Edit1Enter()
{
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

void TForm2::Edit2KeyPress(char32_t& key)
{
    RandomMasterPending = false;
    if (key == Enter) {
        if (Edit2.Length() >= Chambers()) {
            key = 0;
            Edit3.SetFocus();
        }
        return;
    }
    if (key == Backspace) {
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

void TForm2::Edit2Change()
{
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
    if (state.IsICore && Edit1.Text() == Edit2.Text()) {
        RefuseKeystroke(SameKeyMessage);
        Edit2.SetText(WithoutLastCharacter(Edit2.Text()));
        Edit2.MoveCaretToEnd();
        Edit2.SetFocus();
        return;
    }
    Edit3.SetFocus();
}

void TForm2::Edit2Enter()
{
    if (DefiningSystem) {
        return;
    }
    const int chambers = Chambers();
    if (Edit2.Length() > chambers) {
        Edit2.SetText(Edit2.Text().substr(0, static_cast<std::size_t>(chambers)));
    }
    Edit2.MoveCaretToEnd();
}

// ---- The quantities --------------------------------------------------------------------------

void TForm2::ShowMastersAvailable()
{
    Label12.SetCaption(std::to_string(MastersAvailable(state.ProgressionSteps, Chambers())));
}

void TForm2::ShowSubMastersAvailable()
{
    const std::int64_t masters = NumberIn(Edit3.Text());
    Label13.SetCaption(std::to_string(SubMastersAvailable(masters, state.ProgressionSteps, Chambers())));
}

bool TForm2::CheckCapacity()
{
    const CapacityResult capacity =
        varnholt::definition::CheckCapacity(NumberIn(Edit3.Text()), NumberIn(Edit4.Text()),
                                            state.ProgressionSteps, Chambers());
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

void TForm2::ComputeChamberCounts()
{
    state.MasterChamberCount = 0;
    state.SubMasterChamberCount = 0;
    if (Edit3.Text() == "0") {
        SetTextQuietly(Edit3, "");
    }
    if (!Edit3.Text().empty()) {
        state.MasterChamberCount = ChambersNeeded(NumberIn(Edit3.Text()), state.ProgressionSteps, Chambers());
    }
    if (Edit4.Text() == "0") {
        SetTextQuietly(Edit4, "");
    }
    // Sub-masters stand under masters: without master chambers none are given to them.
    if (!Edit4.Text().empty() && state.MasterChamberCount > 0) {
        state.SubMasterChamberCount = ChambersNeeded(NumberIn(Edit4.Text()), state.ProgressionSteps, Chambers());
    }
}

void TForm2::Edit3KeyPress(char32_t& key)
{
    if (key == Enter || key == U'0') {
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
    if (key != Backspace && !IsDigit(key) && !IsAll(key)) {
        key = 0;
        RefuseKeystroke(NotANumberMessage(state.ShallowestCut, state.DeepestCut));
        return;
    }
    if (IsAll(key)) {
        key = 0;
        Edit3.SetText(Label12.Caption());
        Edit4.SetFocus();
        return;
    }
    if (key == Backspace) {
        BackspaceInQuantity = true;
    }
}

void TForm2::Edit3Change()
{
    if (IgnoreNextChange) {
        IgnoreNextChange = false;
        return;
    }
    if (Edit1.Length() < Chambers()) {
        Edit1.MoveCaretToEnd();
        Edit1.SetFocus();
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

void TForm2::Edit3Enter()
{
    if (Edit1.Length() < Chambers()) {
        Edit1.SetFocus();
        return;
    }
    Edit3.MoveCaretToEnd();
    if (state.IsICore && Edit2.Length() < Chambers()) {
        Edit2.SetFocus();
    }
}

void TForm2::Edit4KeyPress(char32_t& key)
{
    BackspaceInQuantity = false;
    if (key == Enter || key == U'0') {
        key = 0;
        Edit6.SetFocus();
        return;
    }
    if (key != Backspace && !IsDigit(key) && !IsAll(key)) {
        key = 0;
        RefuseKeystroke(NotANumberMessage(state.ShallowestCut, state.DeepestCut));
        return;
    }
    if (IsAll(key)) {
        key = 0;
        Edit4.SetText(Label13.Caption());
        Edit6.SetFocus();
        return;
    }
    if (key == Backspace) {
        BackspaceInQuantity = true;
    }
}

void TForm2::Edit4Change()
{
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
        Edit1.MoveCaretToEnd();
        Edit1.SetFocus();
    }
}

void TForm2::Edit4Enter()
{
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

void TForm2::Edit6KeyPress(char32_t& key)
{
    if (key == Enter) {
        // Consumed either way, so that the Enter does not also press OK once the focus is there.
        key = 0;
        if (Edit6.Text().empty()) {
            Edit6.SetText(Label11.Caption());
        }
        Button3.SetFocus();
        return;
    }
    if (key != Backspace && !IsDigit(key) && !IsAll(key)) {
        key = 0;
        RefuseKeystroke(NotANumberMessage(state.ShallowestCut, state.DeepestCut));
        return;
    }
    if (IsAll(key)) {
        key = 0;
        Edit6.SetText(Label11.Caption());
        Button3.SetFocus();
        return;
    }
    if (key == Backspace) {
        key = 0;
        if (!Edit6.Text().empty()) {
            Edit6.SetText(WithoutLastCharacter(Edit6.Text()));
            Edit6.MoveCaretToEnd();
            Edit6.SetFocus();
        }
    }
}

void TForm2::Edit6Change()
{
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

void TForm2::Edit6Enter()
{
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

// ---- The random master -----------------------------------------------------------------------

void TForm2::RandomMasterClick()
{
    DefiningSystem = false;
    std::string key;
    RandomMasterPending = true;
    random.Seed(clock.MillisecondsSinceMidnight());
    if (state.MaxAdjacentCut == 0) {
        state.MaxAdjacentCut = UnlimitedAdjacentCut;
    }
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

void TForm2::CompleteRandomMaster()
{
    if (state.MaxAdjacentCut == 0) {
        state.MaxAdjacentCut = UnlimitedAdjacentCut;
    }
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
