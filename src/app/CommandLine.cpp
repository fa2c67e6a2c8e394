#include "app/CommandLine.h"

#include "files/Utf8Path.h"

#include "VarnholtVersion.h"

namespace varnholt::app {

namespace {

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& startFolder) {
    ParsedCommandLine parsed;
    ProgramOptions& options = parsed.options;
    bool optionsEnded = false;
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !IsOption(argument)) {
            operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--folder" || argument.rfind("--folder=", 0) == 0) {
            std::string value;
            if (argument == "--folder") {
                if (i + 1 >= arguments.size()) {
                    parsed.error = "option '--folder' requires an argument";
                    return parsed;
                }
                value = arguments[++i];
            } else {
                value = argument.substr(std::string("--folder=").size());
            }
            if (value.empty()) {
                parsed.error = "option '--folder' requires a folder name";
                return parsed;
            }
            if (options.folder) {
                parsed.error = "option '--folder' is given twice";
                return parsed;
            }
            options.folder = (startFolder / files::PathFromUtf8(value)).lexically_normal();
        } else if (argument.rfind("--", 0) == 0) {
            parsed.error = "unrecognized option '" + argument + "'";
            return parsed;
        } else {
            parsed.error = "invalid option -- '" + argument.substr(1, 1) + "'";
            return parsed;
        }
    }
    if (operands.size() > 1) {
        parsed.error = "only one system file can be opened, not " + std::to_string(operands.size());
        return parsed;
    }
    if (!operands.empty()) {
        if (operands.front().empty()) {
            parsed.error = "the system file name is empty";
            return parsed;
        }
        options.systemFile = (startFolder / files::PathFromUtf8(operands.front())).lexically_normal();
    }
    return parsed;
}

bool AsksForHelpOrVersion(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == "--help" || argument == "--version")
            return true;
    }
    return false;
}

std::string ProgramUsage() {
    return "Usage: varnholt [--folder DIR] [SYSTEM_FILE]\n"
           "Design master key systems for pin-tumbler cylinders.\n"
           "\n"
           "The program works on the manufacturer database \"Varnholt.MFG\" of its working folder:\n"
           "  - with --folder, the folder DIR (a new database is created there when the first\n"
           "    manufacturer is saved);\n"
           "  - otherwise the folder it is started in, when that holds a \"Varnholt.MFG\";\n"
           "  - otherwise the user's data folder, $XDG_DATA_HOME/varnholt (by default\n"
           "    ~/.local/share/varnholt), which is created on first use with a copy of the sample\n"
           "    database.\n"
           "\n"
           "SYSTEM_FILE, a saved system (.varnholt), opens in its preview once the main window is up.\n"
           "\n"
           "      --folder DIR   work in DIR and use its \"Varnholt.MFG\"\n"
           "      --help         show this help and exit\n"
           "      --version      show the program's version and the Qt version it runs on\n"
           "\n"
           "Qt's own options (for example -platform) are accepted as well.\n"
           "\n"
           "Exit status: 0 when the program ends normally, 1 when the working folder cannot be used,\n"
           "2 when the command line is wrong.\n";
}

std::string ProgramVersion(const std::string& qtVersion) {
    return std::string("varnholt (Varnholt Lite) ") + VarnholtVersion + "\nQt " + qtVersion + "\n";
}

} // namespace varnholt::app
