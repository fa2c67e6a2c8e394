#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varnholt::app {

// What `varnholt [--folder DIR] [SYSTEM_FILE]` asks for, once Qt has taken its own options out.
struct ProgramOptions {
    bool help = false;
    bool version = false;
    std::optional<std::filesystem::path> folder;
    // A saved system to open once the main window is up, made absolute against the folder the
    // program was started in (before --folder moves it).
    std::optional<std::filesystem::path> systemFile;
};

struct ParsedCommandLine {
    ProgramOptions options;
    std::optional<std::string> error; // what is wrong, one line, without the program name
};

// Paths are taken relative to startFolder.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& startFolder);

// True when the arguments ask for --help or --version: these are answered before Qt starts, so
// that they work without a display.
bool AsksForHelpOrVersion(const std::vector<std::string>& arguments);

std::string ProgramUsage();
std::string ProgramVersion(const std::string& qtVersion);

} // namespace varnholt::app
