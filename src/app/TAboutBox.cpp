#include "app/TAboutBox.h"

#include "toolkit/Button.h"
#include "toolkit/Font.h"
#include "toolkit/Label.h"

namespace varnholt::app {

TAboutBox::TAboutBox(toolkit::Application& application, toolkit::Form& mainForm)
    : toolkit::Form(application, "AboutBox"), ProductName(Add<toolkit::Label>("ProductName")),
      Version(Add<toolkit::Label>("Version")), Comments(Add<toolkit::Label>("Comments")),
      OKButton(Add<toolkit::Button>("OKButton")), mainWindow(mainForm) {
    SetCaption("About");
    SetClientSize(360, 220);
    SetResizable(false);
    SetCentredOnScreen(true);
    SetTextFont(toolkit::BoldSerifFont(16));

    ProductName.SetBounds(0, 24, 360, 40);
    ProductName.SetAlignment(toolkit::Alignment::Centre);
    ProductName.SetTextFont(toolkit::BoldSerifFont(29));
    Version.SetBounds(0, 72, 360, 24);
    Version.SetAlignment(toolkit::Alignment::Centre);
    Comments.SetBounds(20, 104, 320, 48);
    Comments.SetAlignment(toolkit::Alignment::Centre);
    Comments.SetWordWrap(true);
    Comments.SetCaption("Master key systems for pin-tumbler cylinders");
    OKButton.SetCaption("OK");
    OKButton.SetBounds(130, 166, 100, 36);
    OKButton.OnClick = [this] { OKButtonClick(); };
    SetDefaultButton(&OKButton);
    SetCancelButton(&OKButton);
}

void TAboutBox::ShowAbout() {
    ProductName.SetCaption("Varnholt Lite");
    Version.SetCaption("Version 3.5");
    Show();
    OKButton.SetFocus();
}

void TAboutBox::OKButtonClick() {
    if (toolkit::Component* menuButton = mainWindow.Find("Button1")) {
        mainWindow.SetFocus(*menuButton);
    }
    Hide();
}

} // namespace varnholt::app
