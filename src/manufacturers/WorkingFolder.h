#pragma once

#include "files/UserFolders.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace varnholt::manufacturers {

struct WorkingFolderChoice {
    std::filesystem::path folder;
    // Said once, on the run that set the data folder up with the sample database.
    std::optional<std::string> note;
    // Why no folder can be used; folder is empty then.
    std::optional<std::string> error;
};

// The folder whose "Varnholt.MFG" the program uses: the --folder one as given; else the start
// folder when it holds a database; else the data folder (see files::DataFolder), created and given
// a copy of the sample database when it has none. A database that exists is never touched, nor is
// a link of its name that leads nowhere: that is an error.
WorkingFolderChoice ChooseWorkingFolder(const std::optional<std::filesystem::path>& folderOption,
                                        const files::StartEnvironment& environment,
                                        std::span<const std::uint8_t> sampleDatabase);

} // namespace varnholt::manufacturers
