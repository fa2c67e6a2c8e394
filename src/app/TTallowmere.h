#pragma once

#include "manufacturers/ManufacturerPanel.h"
#include "toolkit/Form.h"
#include "toolkit/FormObserver.h"

#include <array>
#include <functional>

namespace varnholt::toolkit {
class Button;
class Label;
} // namespace varnholt::toolkit

namespace varnholt::manufacturers {
class ManufacturerFile;
}

namespace varnholt::definition {
class TForm2;
}

namespace varnholt::app {

class TAboutBox;

// The main window: title, version and the main menu of five buttons, with the manufacturer
// data panel that covers them while it is open.
class TTallowmere : public toolkit::Form {
public:
    static constexpr int MainClientWidth = 775;
    static constexpr int MainClientHeight = 546;

    TTallowmere(toolkit::Application& application, manufacturers::ManufacturerFile& file);
    ~TTallowmere() override;

    // The windows the menu opens, created after the main window.
    void Connect(definition::TForm2& dataInput, TAboutBox& aboutBox);

    // Shows the window at its size in the centre of the screen, with "Generate a New System"
    // focused.
    void ShowAtStart();

    // Menu reactions.
    void Button1Click();
    void Button1KeyPress(char32_t& key);
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void OpenSystemButtonClick();

    // Asked before the program ends; false keeps it running (the user kept unsaved changes).
    std::function<bool()> QuitQuestion;
    // Asks for a saved system and opens it.
    std::function<void()> OnOpenSystem;

    toolkit::Label& Label1; // "Varnholt Lite"
    toolkit::Label& Label2; // "Version 3.5"
    toolkit::Label& Label3; // the row of asterisks
    toolkit::Label& Label4; // "  Main Menu"
    toolkit::Button& Button1;
    toolkit::Button& Button2;
    toolkit::Button& Button3;
    toolkit::Button& Button4;
    toolkit::Button& Button5;
    toolkit::Label& Label5; // "    Click on a menu item. "
    // Opens a saved system (the same as Ctrl+O), where a new user sees it.
    toolkit::Button& OpenSystemButton;
    manufacturers::ManufacturerPanel Panel;

private:
    // While the panel covers the menu, its buttons are no tab stops, and a focus that lands on
    // one of them (the list's OK gives "Generate a New System" the focus) goes to the panel.
    class MenuCover : public toolkit::FormObserver {
    public:
        explicit MenuCover(TTallowmere& mainWindow) : window(mainWindow) {}
        void ComponentChanged(toolkit::Component& component) override;
        void FormChanged() override {}
        void FocusChanged() override {}

    private:
        TTallowmere& window;
    };

    void BuildLayout();
    void WireReactions();
    void EnteredCoveredButton();
    std::array<toolkit::Button*, 5> MenuButtons();
    void Quit();

    manufacturers::ManufacturerFile& file;
    definition::TForm2* dataInput = nullptr;
    TAboutBox* aboutBox = nullptr;
    MenuCover menuCover{*this};
};

} // namespace varnholt::app
