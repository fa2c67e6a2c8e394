#pragma once

#include "toolkit/Application.h"

namespace varnholt::app {

// The windowing application with the program's title and help file, set before any window
// exists.
class VarnholtApplication : public toolkit::Application {
public:
    static constexpr const char* ProgramTitle = "VarnholtLite";
    static constexpr const char* ProgramHelpFile = "Varnholt.hlp";

    explicit VarnholtApplication(toolkit::MessageService& messageService)
        : toolkit::Application(messageService) {
        SetTitle(ProgramTitle);
        SetHelpFile(ProgramHelpFile);
    }
};

} // namespace varnholt::app
