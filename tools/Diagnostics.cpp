#include "Diagnostics.h"

#include "manufacturers/CodePage1252.h"

namespace varnholt::tools {

std::string EscapedControls(std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    while (!text.empty()) {
        const auto character = manufacturers::ReadCodePoint(text);
        const std::size_t length = character ? character->length : 1;
        const char32_t value = character ? character->value : 0x20;
        if (value == '\t') {
            shown += "\\t";
        } else if (value < 0x20 || value == 0x7F) {
            shown += std::string("\\x") + Hex[value >> 4] + Hex[value & 0x0F];
        } else if (value >= 0x80 && value <= 0x9F) {
            shown += std::string("\\u00") + Hex[value >> 4] + Hex[value & 0x0F];
        } else {
            shown.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return shown;
}

std::string DiagnosticLine(std::string_view message) {
    std::string line;
    bool blankPending = false;
    for (const char character : message) {
        if (character == '\n' || character == '\r') {
            blankPending = true;
            continue;
        }
        if (blankPending && character != ' ' && !line.empty() && line.back() != ' ')
            line += ' ';
        blankPending = false;
        line += character;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    // A name from the file or the command line may hold control characters, which the terminal
    // would act on; they are shown as escapes.
    return std::string(ProgramName) + ": " + EscapedControls(line) + "\n";
}

std::string UsageErrorText(std::string_view message) {
    return DiagnosticLine(message) + "Try '" + ProgramName + " --help' for more information.\n";
}

} // namespace varnholt::tools
