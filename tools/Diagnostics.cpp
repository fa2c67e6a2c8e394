#include "Diagnostics.h"

namespace varnholt::tools {

std::string DiagnosticLine(std::string_view message) {
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
        // A name from the file or the command line may hold control characters, which the
        // terminal would act on; they are shown as escapes.
        if (const auto code = static_cast<unsigned char>(character); code < 0x20 || code == 0x7f) {
            static constexpr char Hex[] = "0123456789abcdef";
            line += character == '\t' ? std::string("\\t")
                                      : std::string("\\x") + Hex[code >> 4] + Hex[code & 0x0f];
            continue;
        }
        line += character;
    }
    while (line.back() == ' ')
        line.pop_back();
    return line + "\n";
}

std::string UsageErrorText(std::string_view message) {
    return DiagnosticLine(message) + "Try '" + ProgramName + " --help' for more information.\n";
}

} // namespace varnholt::tools
