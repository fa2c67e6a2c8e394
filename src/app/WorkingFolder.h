#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace varnholt::app {

// Where the program was started and what the environment says about the user's data folder.
struct StartEnvironment {
    std::filesystem::path currentFolder;
    std::string xdgDataHome; // $XDG_DATA_HOME, empty when unset
    std::string home;        // $HOME
    std::string xdgRuntimeDir; // $XDG_RUNTIME_DIR, empty when unset
};

struct WorkingFolderChoice {
    std::filesystem::path folder;
    // Said once, on the run that set the data folder up with the sample database.
    std::optional<std::string> note;
    // Why no folder can be used; folder is empty then.
    std::optional<std::string> error;
};

// The start environment of this process.
StartEnvironment CurrentStartEnvironment();

// The user's data folder for the program: $XDG_DATA_HOME/varnholt, or ~/.local/share/varnholt
// when XDG_DATA_HOME is unset or not absolute. Empty when neither gives an absolute path.
std::filesystem::path DataFolder(const StartEnvironment& environment);

// Where the copies of the program that run at the same time leave their markers (see
// files::RunningCopy): "varnholt" in the user's runtime folder, or a folder named with the user's
// number in the system's temporary folder when there is none.
std::filesystem::path CopiesFolder(const StartEnvironment& environment);

// The folder whose "Varnholt.MFG" the program uses: the --folder one as given; else the start
// folder when it holds a database; else the data folder, created and given a copy of the sample
// database when it has none. A database that exists is never touched, nor is a link of its name
// that leads nowhere: that is an error.
WorkingFolderChoice ChooseWorkingFolder(const std::optional<std::filesystem::path>& folderOption,
                                        const StartEnvironment& environment,
                                        std::span<const std::uint8_t> sampleDatabase);

} // namespace varnholt::app
