#pragma once

#include "toolkit/Form.h"

namespace varnholt::toolkit {
class Button;
class Label;
} // namespace varnholt::toolkit

namespace varnholt::app {

// The About dialog: shown without being modal, hidden (never destroyed) by its OK.
class TAboutBox : public toolkit::Form {
public:
    TAboutBox(toolkit::Application& application, toolkit::Form& mainWindow);

    // Fills in the product name and version and shows the one dialog.
    void ShowAbout();
    // Gives the main menu's first button the focus and hides the dialog.
    void OKButtonClick();

    toolkit::Label& ProductName;
    toolkit::Label& Version;
    toolkit::Label& Comments;
    toolkit::Button& OKButton;

private:
    toolkit::Form& mainWindow;
};

} // namespace varnholt::app
