#include "manufacturers/WorkingFolder.h"

#include "files/FileError.h"
#include "files/FileReplacement.h"
#include "files/Utf8Path.h"
#include "manufacturers/ManufacturerFile.h"

namespace varnholt::manufacturers {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "\"" + files::Utf8Of(path) + "\"";
}

// What the folder's "Varnholt.MFG" entry is. Any entry of that name is the user's database, also
// a link to a share that is not mounted yet: it is never replaced by the sample.
struct DatabaseEntry {
    bool present = false;
    // Why it cannot be read: a link that leads nowhere or in a circle, a folder not searchable.
    std::optional<std::string> unusable;
};

DatabaseEntry DatabaseIn(const fs::path& folder) {
    const fs::path file = folder / ManufacturerFile::FileName;
    DatabaseEntry entry;
    std::error_code error;
    const fs::file_status link = fs::symlink_status(file, error);
    if (link.type() == fs::file_type::not_found)
        return entry;
    entry.present = true;
    if (error) {
        entry.unusable = Quoted(file) + " cannot be used: " + error.message();
        return entry;
    }
    if (!fs::is_symlink(link))
        return entry;
    if (fs::status(file, error).type() == fs::file_type::not_found) {
        const fs::path target = fs::read_symlink(file, error);
        entry.unusable = Quoted(file) + " is a link to " + Quoted(target) +
                         ", which is missing (a share that is not mounted yet?)";
    } else if (error) {
        entry.unusable = Quoted(file) + " cannot be used: " + error.message();
    }
    return entry;
}

// Writes the sample whole beside the target and gives it the target's name only if that is still
// free, so that a database that appeared in the meantime is kept (`placed` is false then).
std::optional<std::string> PlaceSample(const fs::path& folder, std::span<const std::uint8_t> sample,
                                       bool& placed) {
    const fs::path target = folder / ManufacturerFile::FileName;
    try {
        files::TemporaryFile temporary(target);
        files::FillFile(
            temporary.Path(), {reinterpret_cast<const char*>(sample.data()), sample.size()}, target);
        placed = temporary.PlaceAsNewTarget();
    } catch (const files::FileError& failure) {
        return "the sample database could not be placed in " + Quoted(folder) + ": " + failure.Reason();
    }
    return std::nullopt;
}

} // namespace

WorkingFolderChoice ChooseWorkingFolder(const std::optional<fs::path>& folderOption,
                                        const files::StartEnvironment& environment,
                                        std::span<const std::uint8_t> sampleDatabase) {
    WorkingFolderChoice choice;
    std::error_code error;
    if (folderOption) {
        if (!fs::is_directory(*folderOption, error)) {
            choice.error = "cannot work in " + Quoted(*folderOption) + ": " +
                           (fs::exists(*folderOption, error) ? "it is not a folder" : "no such folder");
            return choice;
        }
        if (const DatabaseEntry database = DatabaseIn(*folderOption); database.unusable) {
            choice.error = "cannot work in " + Quoted(*folderOption) + ": " + *database.unusable;
            return choice;
        }
        choice.folder = *folderOption;
        return choice;
    }
    if (const DatabaseEntry database = DatabaseIn(environment.currentFolder); database.present) {
        if (database.unusable) {
            choice.error = "cannot work in " + Quoted(environment.currentFolder) + ": " + *database.unusable;
            return choice;
        }
        choice.folder = environment.currentFolder;
        return choice;
    }
    const fs::path dataFolder = files::DataFolder(environment);
    if (dataFolder.empty()) {
        choice.error = "there is no \"Varnholt.MFG\" in " + Quoted(environment.currentFolder) +
                       " and no data folder (" + files::DataFolderVariable() + " is not set); start with --folder DIR";
        return choice;
    }
    fs::create_directories(dataFolder, error);
    if (error || !fs::is_directory(dataFolder, error)) {
        choice.error = "the data folder " + Quoted(dataFolder) +
                       " cannot be created: " + (error ? error.message() : "it is not a folder");
        return choice;
    }
    const DatabaseEntry database = DatabaseIn(dataFolder);
    if (database.unusable) {
        choice.error = "the data folder " + Quoted(dataFolder) + " cannot be used: " + *database.unusable;
        return choice;
    }
    choice.folder = dataFolder;
    if (database.present || sampleDatabase.empty())
        return choice;
    bool placed = false;
    if (auto failure = PlaceSample(dataFolder, sampleDatabase, placed)) {
        choice.error = *failure;
        choice.folder.clear();
        return choice;
    }
    if (!placed)
        return choice;
    choice.note = "There is no \"Varnholt.MFG\" in " + Quoted(environment.currentFolder) +
                  ", so the program works in its data folder " + Quoted(dataFolder) +
                  ", which now holds a copy of the sample database. Start it with --folder DIR to work "
                  "elsewhere.";
    return choice;
}

} // namespace varnholt::manufacturers
