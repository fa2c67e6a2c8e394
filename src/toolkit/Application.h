#pragma once

#include "toolkit/MessageService.h"
#include "toolkit/WindowPlacement.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::toolkit {

class Form;

// The running program's windowing state: its forms (not owned; each registers itself), the
// active form, the message service and the event dispatcher. Owned by the program.
class Application {
public:
    explicit Application(MessageService& messages);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    MessageService& Messages() const { return messages; }
    // Shorthands for Messages().Show and Messages().Beep.
    Answer ShowMessage(BoxKind kind, std::string_view text, Buttons buttons = Buttons::Ok);
    void Beep();

    // The title of message boxes and of the program in the task bar.
    const std::string& Title() const { return title; }
    void SetTitle(std::string value) { title = std::move(value); }
    const std::string& HelpFile() const { return helpFile; }
    void SetHelpFile(std::string value) { helpFile = std::move(value); }

    const std::vector<Form*>& Forms() const { return forms; }
    Form* FindForm(std::string_view name) const;
    // The form that receives the keyboard: the one shown or activated last and still visible.
    Form* ActiveForm() const;
    void Activate(Form& form);

    // The part of the screen forms are placed in. The on-screen backend sets the real one.
    const ScreenArea& Screen() const { return screen; }
    int ScreenWidth() const { return screen.width; }
    int ScreenHeight() const { return screen.height; }
    void SetScreenSize(int width, int height) { screen = {0, 0, width, height}; }
    void SetScreenArea(const ScreenArea& area) { screen = area; }
    // What the window manager puts around each form; the on-screen backend tells it.
    const WindowFrame& Frame() const { return frame; }
    void SetWindowFrame(const WindowFrame& value) { frame = value; }
    // This program's number among its copies running at the same time, 0 for the first: its
    // centred forms lie that many cascade steps down and right, clear of the other copies'.
    int CopyNumber() const { return copyNumber; }
    void SetCopyNumber(int number) { copyNumber = number; }

    // The clipboard the edit fields copy to and paste from: the program's own until the on-screen
    // backend connects the system's through the two functions.
    std::string ClipboardText() const { return ReadClipboard ? ReadClipboard() : clipboard; }
    void SetClipboardText(std::string text);
    std::function<std::string()> ReadClipboard;
    std::function<void(const std::string&)> WriteClipboard;

    // Ends the program: the event loop stops after the current event.
    void Terminate();
    bool Terminated() const { return terminated; }
    // Told when Terminate is called (the on-screen backend quits its event loop).
    std::function<void()> OnTerminate;

    // Every event reaction runs through here. The outermost call catches ConversionError and
    // files::FileError, shows the message in an error box and returns: the reaction stops
    // there and the program goes on. Other exceptions pass through.
    void Dispatch(const std::function<void()>& reaction);

    // Called by Form's constructor and destructor.
    void Register(Form& form);
    void Unregister(Form& form);

private:
    MessageService& messages;
    std::string title;
    std::string helpFile;
    std::string clipboard;
    std::vector<Form*> forms;
    // Forms in the order they were last activated, latest at the back.
    std::vector<Form*> activation;
    ScreenArea screen;
    WindowFrame frame;
    int copyNumber = 0;
    bool terminated = false;
    int dispatchDepth = 0;
};

} // namespace varnholt::toolkit