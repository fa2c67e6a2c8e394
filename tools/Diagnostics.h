#pragma once

#include <string>
#include <string_view>

namespace varnholt::tools {

inline constexpr const char* ProgramName = "varnholt-report";

// A message for standard error as GNU programs write it: the program's name first, one line per
// fault (the line breaks of a dialog's message become blanks), and a line end. Other control
// characters are written as escapes (\t, \x1b).
std::string DiagnosticLine(std::string_view message);

// The text with its control characters (C0, DEL and C1) written as escapes (\t, \x1b, \u009b),
// so that a terminal shows them rather than acts on them; a byte that is not UTF-8 stays.
std::string EscapedControls(std::string_view text);

// A fault of the command line: the diagnostic and where to read more.
std::string UsageErrorText(std::string_view message);

} // namespace varnholt::tools
