#pragma once

#include <filesystem>

namespace varnholt::files {

// Where the program was started and what the environment says about the user's own folders.
// Each is empty when its variable is unset.
struct StartEnvironment {
    std::filesystem::path currentFolder;
    std::filesystem::path xdgDataHome;   // $XDG_DATA_HOME
    std::filesystem::path home;          // $HOME
    std::filesystem::path xdgRuntimeDir; // $XDG_RUNTIME_DIR
    std::filesystem::path appData;       // %APPDATA%, Windows only
    std::filesystem::path localAppData;  // %LOCALAPPDATA%, Windows only
};

// The start environment of this process.
StartEnvironment CurrentStartEnvironment();

// The user's data folder for the program: $XDG_DATA_HOME/varnholt, or ~/.local/share/varnholt
// when XDG_DATA_HOME is unset or not absolute; on Windows %APPDATA%\varnholt. Empty when the
// environment gives no absolute path.
std::filesystem::path DataFolder(const StartEnvironment& environment);

// The variable that DataFolder needs, for a message when it is missing.
const char* DataFolderVariable();

// Where the copies of the program that run at the same time leave their markers (see
// RunningCopy): "varnholt" in the user's runtime folder (on Windows "varnholt\copies" in
// %LOCALAPPDATA%, which stays on this machine), or a folder of the user's own in the system's
// temporary folder when there is none.
std::filesystem::path CopiesFolder(const StartEnvironment& environment);

} // namespace varnholt::files
