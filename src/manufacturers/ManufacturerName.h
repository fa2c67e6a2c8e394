#pragma once

#include <string>
#include <string_view>

namespace varnholt::manufacturers {

// Upper case of ASCII letters a..z only; every other character stays as it is, as the file's
// names have always been compared.
std::string UpperCaseAscii(std::string_view text);

// Names compare whole, without regard to the case of ASCII letters.
bool SameManufacturerName(std::string_view left, std::string_view right);

// A record whose name holds "DELETE" in any case of its ASCII letters goes at the next purge.
bool IsMarkedForDeletion(std::string_view name);

// The name as stored: its first 40 characters.
std::string CutToNameLength(std::string_view name);

// The name as printed: a control character (C0, DEL or C1, which a file may hold) becomes a
// blank, so that a name can neither start a line of its own nor send commands to a terminal.
// Every other character, and so the width, stays.
std::string PrintableName(std::string_view name);

} // namespace varnholt::manufacturers