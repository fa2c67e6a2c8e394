#include "Diagnostics.h"

namespace varnholt::tools {

std::string DiagnosticLine(std::string_view message)
{
    std::string line = std::string(ProgramName) + ": ";
    bool blankPending = false;
    for (const char character : message) {
        if (character == '\n' || character == '\r') {
            blankPending = true;
            continue;
        }
        if (blankPending && character != ' ' && line.back() != ' ')
            line += ' ';
        blankPending = false;
        line += character;
    }
    while (line.back() == ' ')
        line.pop_back();
    return line + "\n";
}

std::string UsageErrorText(std::string_view message)
{
    return DiagnosticLine(message) + "Try '" + ProgramName + " --help' for more information.\n";
}

} // namespace varnholt::tools
