#include "app/WorkingFolder.h"

#include "manufacturers/ManufacturerFile.h"

#include <cstdlib>
#include <fstream>
#include <random>

namespace varnholt::app {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

bool HoldsDatabase(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder / manufacturers::ManufacturerFile::FileName, error);
}

// Writes the sample beside the target under a name of its own and links it into place, which
// fails instead of replacing a database that appeared in the meantime.
std::optional<std::string> PlaceSample(const fs::path& folder, std::span<const std::uint8_t> sample) {
    const fs::path target = folder / manufacturers::ManufacturerFile::FileName;
    std::random_device seed;
    const fs::path temporary = folder / (".Varnholt.MFG." + std::to_string(seed()) + ".tmp");
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        stream.write(reinterpret_cast<const char*>(sample.data()),
                     static_cast<std::streamsize>(sample.size()));
        stream.flush();
        if (!stream) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return "the sample database could not be written to " + Quoted(folder);
        }
    }
    std::error_code error;
    fs::create_hard_link(temporary, target, error);
    if (error && !fs::exists(target)) {
        // A file system without hard links: the rename is the next best thing.
        error.clear();
        fs::rename(temporary, target, error);
    }
    std::error_code ignored;
    fs::remove(temporary, ignored);
    if (error && !fs::exists(target))
        return "the sample database could not be placed in " + Quoted(folder) + ": " + error.message();
    return std::nullopt;
}

} // namespace

StartEnvironment CurrentStartEnvironment() {
    StartEnvironment environment;
    std::error_code error;
    environment.currentFolder = fs::current_path(error);
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"))
        environment.xdgDataHome = dataHome;
    if (const char* home = std::getenv("HOME"))
        environment.home = home;
    return environment;
}

fs::path DataFolder(const StartEnvironment& environment) {
    const fs::path dataHome(environment.xdgDataHome);
    if (!environment.xdgDataHome.empty() && dataHome.is_absolute())
        return (dataHome / "varnholt").lexically_normal();
    const fs::path home(environment.home);
    if (!environment.home.empty() && home.is_absolute())
        return (home / ".local" / "share" / "varnholt").lexically_normal();
    return {};
}

WorkingFolderChoice ChooseWorkingFolder(const std::optional<fs::path>& folderOption,
                                        const StartEnvironment& environment,
                                        std::span<const std::uint8_t> sampleDatabase) {
    WorkingFolderChoice choice;
    std::error_code error;
    if (folderOption) {
        if (!fs::is_directory(*folderOption, error)) {
            choice.error = "cannot work in " + Quoted(*folderOption) + ": " +
                           (fs::exists(*folderOption, error) ? "it is not a folder" : "no such folder");
            return choice;
        }
        choice.folder = *folderOption;
        return choice;
    }
    if (HoldsDatabase(environment.currentFolder)) {
        choice.folder = environment.currentFolder;
        return choice;
    }
    const fs::path dataFolder = DataFolder(environment);
    if (dataFolder.empty()) {
        choice.error = "there is no \"Varnholt.MFG\" in " + Quoted(environment.currentFolder) +
                       " and no data folder (HOME is not set); start with --folder DIR";
        return choice;
    }
    fs::create_directories(dataFolder, error);
    if (error || !fs::is_directory(dataFolder)) {
        choice.error = "the data folder " + Quoted(dataFolder) +
                       " cannot be created: " + (error ? error.message() : "it is not a folder");
        return choice;
    }
    choice.folder = dataFolder;
    if (HoldsDatabase(dataFolder) || sampleDatabase.empty())
        return choice;
    if (auto failure = PlaceSample(dataFolder, sampleDatabase)) {
        choice.error = *failure;
        choice.folder.clear();
        return choice;
    }
    choice.note = "There is no \"Varnholt.MFG\" in " + Quoted(environment.currentFolder) +
                  ", so the program works in its data folder " + Quoted(dataFolder) +
                  ", which now holds a copy of the sample database. Start it with --folder DIR to work "
                  "elsewhere.";
    return choice;
}

} // namespace varnholt::app
