#pragma once

#include "toolkit/MessageService.h"

#include <string>

namespace varnholt::toolkit {
class Application;
}

namespace varnholt::qtforms {

// Message boxes as QMessageBox over the active window, titled with the application's title;
// the beep is the desktop's.
class QtMessageService : public toolkit::MessageService {
public:
    toolkit::Answer Show(toolkit::BoxKind kind, std::string_view text, toolkit::Buttons buttons) override;
    void Beep() override;

    // The application whose title the boxes carry (it is created after its message service).
    void SetApplication(const toolkit::Application& owner) { application = &owner; }

private:
    const toolkit::Application* application = nullptr;
};

} // namespace varnholt::qtforms