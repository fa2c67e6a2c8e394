#include "app/TTallowmere.h"

#include "app/TAboutBox.h"
#include "definition/TForm2.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerMessages.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Font.h"
#include "toolkit/Keys.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"

#include <string>

namespace varnholt::app {

namespace {

constexpr int MenuButtonLeft = 262;
constexpr int MenuButtonWidth = 250;
constexpr int MenuButtonHeight = 38;
constexpr int FirstMenuButtonTop = 218;
constexpr int MenuButtonSpacing = 48;

} // namespace

TTallowmere::TTallowmere(toolkit::Application& application, manufacturers::ManufacturerFile& manufacturerFile)
    : toolkit::Form(application, "Tallowmere"), Label1(Add<toolkit::Label>("Label1")),
      Label2(Add<toolkit::Label>("Label2")), Label3(Add<toolkit::Label>("Label3")),
      Label4(Add<toolkit::Label>("Label4")), Button1(Add<toolkit::Button>("Button1")),
      Button2(Add<toolkit::Button>("Button2")), Button3(Add<toolkit::Button>("Button3")),
      Button4(Add<toolkit::Button>("Button4")), Button5(Add<toolkit::Button>("Button5")),
      Label5(Add<toolkit::Label>("Label5")), OpenSystemButton(Add<toolkit::Button>("OpenSystemButton")),
      Panel(*this, manufacturerFile), file(manufacturerFile) {
    BuildLayout();
    WireReactions();
    AddObserver(menuCover);
}

TTallowmere::~TTallowmere() {
    RemoveObserver(menuCover);
}

void TTallowmere::BuildLayout() {
    SetCaption("Varnholt");
    SetClientSize(MainClientWidth, MainClientHeight);
    SetResizable(false);
    SetTextFont(toolkit::BoldSerifFont(16));

    Label1.SetCaption("Varnholt Lite");
    Label1.SetTextFont(toolkit::BoldSerifFont(48));
    Label1.SetAlignment(toolkit::Alignment::Centre);
    Label1.SetBounds(0, 28, MainClientWidth, 64);
    Label2.SetCaption("Version 3.5");
    Label2.SetAlignment(toolkit::Alignment::Centre);
    Label2.SetBounds(0, 100, MainClientWidth, 24);
    Label3.SetCaption(std::string(67, '*'));
    Label3.SetAlignment(toolkit::Alignment::Centre);
    Label3.SetBounds(0, 134, MainClientWidth, 22);
    Label4.SetCaption("  Main Menu");
    Label4.SetTextFont(toolkit::BoldSerifFont(22));
    Label4.SetAlignment(toolkit::Alignment::Centre);
    Label4.SetBounds(MenuButtonLeft, 170, MenuButtonWidth, 30);

    const char* captions[] = {"Generate a New System", "Create New Manufacturer", "List / Change Data",
                              "About", "Quit"};
    int index = 0;
    for (toolkit::Button* button : MenuButtons()) {
        button->SetCaption(captions[index]);
        button->SetBounds(MenuButtonLeft, FirstMenuButtonTop + index * MenuButtonSpacing, MenuButtonWidth,
                          MenuButtonHeight);
        button->SetTabOrder(index);
        ++index;
    }
    Label5.SetCaption("    Click on a menu item. ");
    Label5.SetAlignment(toolkit::Alignment::Centre);
    Label5.SetBounds(MenuButtonLeft, FirstMenuButtonTop + 5 * MenuButtonSpacing + 8, MenuButtonWidth, 24);
    // Apart from the menu, in the corner, so that the five menu buttons stay as they were.
    OpenSystemButton.SetCaption("Open a Saved System… (Ctrl+O)");
    OpenSystemButton.SetTextFont(toolkit::BoldSerifFont(13));
    OpenSystemButton.SetBounds(MainClientWidth - 250 - 12, MainClientHeight - 30 - 12, 250, 30);
    OpenSystemButton.SetTabOrder(5);

    // The panel lies over everything else and comes first when it is open.
    Panel.Panel2.SetTabOrder(-1);
    SetCancelButton(&Button5);
}

void TTallowmere::WireReactions() {
    Button1.OnClick = [this] { Button1Click(); };
    Button1.OnKeyPress = [this](char32_t& key) { Button1KeyPress(key); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    OpenSystemButton.OnClick = [this] { OpenSystemButtonClick(); };
    OpenSystemButton.OnEnter = [this] { EnteredCoveredButton(); };
    for (toolkit::Button* button : MenuButtons()) {
        button->OnEnter = [this] { EnteredCoveredButton(); };
    }
    OnClose = [this] { Quit(); };
    Panel.OnClosed = [this] { Button1.SetFocus(); };
    Panel.OnRecordMoved = [this] { Button3Click(); };
}

std::array<toolkit::Button*, 5> TTallowmere::MenuButtons() {
    return {&Button1, &Button2, &Button3, &Button4, &Button5};
}

void TTallowmere::Connect(definition::TForm2& dialog, TAboutBox& about) {
    dataInput = &dialog;
    aboutBox = &about;
}

void TTallowmere::ShowAtStart() {
    SetClientSize(MainClientWidth, MainClientHeight);
    SetCentredOnScreen(true);
    Show();
    Button1.SetFocus();
}

void TTallowmere::MenuCover::ComponentChanged(toolkit::Component& component) {
    if (&component != &window.Panel.Panel2) {
        return;
    }
    const bool covered = window.Panel.Panel2.Visible();
    for (toolkit::Button* button : window.MenuButtons()) {
        if (button->TabStop() == covered) {
            button->SetTabStop(!covered);
        }
    }
    if (window.OpenSystemButton.TabStop() == covered) {
        window.OpenSystemButton.SetTabStop(!covered);
    }
}

void TTallowmere::EnteredCoveredButton() {
    if (Panel.Panel2.Visible()) {
        Panel.MfgsName.SetFocus();
    }
}

// ---- Menu --------------------------------------------------------------------------------------

void TTallowmere::Button1Click() {
    if (dataInput != nullptr) {
        dataInput->OpenListToDefineSystem();
    }
}

void TTallowmere::Button1KeyPress(char32_t& key) {
    if (key == toolkit::Key::Return) {
        key = 0;
        Button1Click();
    }
}

void TTallowmere::Button2Click() {
    Panel.Button2Click();
}

void TTallowmere::Button3Click() {
    if (dataInput == nullptr) {
        return;
    }
    file.OverwriteRecord = true;
    Panel.ChangingManufacturer = true;
    dataInput->OpenListToChangeManufacturer();
}

void TTallowmere::Button4Click() {
    if (aboutBox != nullptr) {
        aboutBox->ShowAbout();
    }
}

void TTallowmere::Button5Click() {
    Quit();
}

void TTallowmere::Quit() {
    if (!QuitQuestion || QuitQuestion()) {
        App().Terminate();
    }
}

void TTallowmere::OpenSystemButtonClick() {
    if (OnOpenSystem) {
        OnOpenSystem();
    }
}

} // namespace varnholt::app
