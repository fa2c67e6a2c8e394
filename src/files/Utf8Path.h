#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Every text in the program is UTF-8. On Windows a path built from a narrow string, or turned back
// into one, goes through the ANSI code page instead, which makes "Müller" "MÃ¼ller" or "M?ller";
// these are the only crossings between the two.
namespace varnholt::files {

// The path a UTF-8 text names. Bytes that are not UTF-8 are taken as the system's own.
std::filesystem::path PathFromUtf8(std::string_view text);

// The path as UTF-8 text, for messages and for files that store a name.
std::string Utf8Of(const std::filesystem::path& path);

// The command line's arguments after the program's name, as UTF-8. On Windows they are read from
// the system's own wide command line: argv holds them in the ANSI code page.
std::vector<std::string> Utf8Arguments(int argc, const char* const* argv);

} // namespace varnholt::files
