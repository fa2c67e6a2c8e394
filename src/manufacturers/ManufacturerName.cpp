#include "manufacturers/ManufacturerName.h"

#include "manufacturers/CodePage1252.h"
#include "manufacturers/ManufacturerRecord.h"

namespace varnholt::manufacturers {

std::string UpperCaseAscii(std::string_view text) {
    std::string upper(text);
    for (char& character : upper) {
        if (character >= 'a' && character <= 'z') {
            character = static_cast<char>(character - 'a' + 'A');
        }
    }
    return upper;
}

bool SameManufacturerName(std::string_view left, std::string_view right) {
    return UpperCaseAscii(left) == UpperCaseAscii(right);
}

bool IsMarkedForDeletion(std::string_view name) {
    return UpperCaseAscii(name).find("DELETE") != std::string::npos;
}

std::string CutToNameLength(std::string_view name) {
    return CutToCharacters(name, NameCapacity);
}

std::string PrintableName(std::string_view name) {
    std::string printable;
    printable.reserve(name.size());
    while (!name.empty()) {
        const auto character = ReadCodePoint(name);
        const std::size_t length = character ? character->length : 1;
        const bool control =
            character && (character->value < 0x20 || (character->value >= 0x7F && character->value <= 0x9F));
        if (control)
            printable += ' ';
        else
            printable.append(name.substr(0, length));
        name.remove_prefix(length);
    }
    return printable;
}

} // namespace varnholt::manufacturers