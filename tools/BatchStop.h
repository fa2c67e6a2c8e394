#pragma once

#include "BatchCommand.h"

#include <string>

namespace varnholt::tools {

// A refusal or failure on the way: what to tell the user and with which status to end.
struct BatchStop {
    int status = ExitRefused;
    std::string message;
    bool commandLine = false; // a fault of the command line: point to --help
};

} // namespace varnholt::tools
