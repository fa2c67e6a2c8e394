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

} // namespace varnholt::manufacturers