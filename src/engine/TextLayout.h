#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnholt {

// Right-aligns text in width characters by putting copies of fill in front of it; a text that
// already fills the width comes back unchanged.
std::string PadLeft(std::string_view text, char fill, int width);
// The same, added to the end of line (no string of its own for each of many entries).
void AppendPadLeft(std::string& line, std::string_view text, char fill, int width);
// The same, written at out, which has room for width bytes and text; returns the bytes written.
std::size_t WritePadLeft(char* out, std::string_view text, char fill, int width);

// Centres text on a line of width characters. Only leading blanks are added, so lines stay as
// short as they can be on a fixed-pitch page; a text that fills the width comes back unchanged.
std::string CentreText(std::string_view text, int width);

} // namespace varnholt
