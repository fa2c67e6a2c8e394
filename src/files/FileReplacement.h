#pragma once

#include "files/InterruptCleanup.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

// Writing a file so that it is either the old or the new one, whole, and stays the user's file:
// the new content goes into a temporary file beside the real file (through symbolic links),
// readable by the owner only, which then takes the real file's place, mode and owner in one
// rename. Failures are thrown as FileError naming the file the caller gave.
namespace varnholt::files {

// The file a path leads to once every symbolic link on the way is followed. The last link may
// dangle: then its target is the file to create.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// Why the file there must not be replaced by a regular file (a folder, a device, a pipe), or
// nothing when it is a regular file or missing. Links are followed.
std::optional<std::string> WhyNotReplaceable(const std::filesystem::path& path);

// Creates a new, empty file with a short unique name in realTarget's folder, readable and
// writable by its owner only, and returns its path. The name does not grow with the target's.
std::filesystem::path CreatePrivateFileBeside(const std::filesystem::path& realTarget);

// The mode of a file that does not exist yet: what the user's umask gives new files, or readable
// by the owner only, for files holding secrets.
enum class NewFileMode { FromUmask, OwnerOnly };

// Renames temporary over realTarget, giving it the target's mode and owner first; a target that
// does not exist yet gets the mode `created` says. The rename is made durable.
void ReplaceKeepingMode(const std::filesystem::path& temporary, const std::filesystem::path& realTarget,
                        NewFileMode created = NewFileMode::FromUmask);

// Makes a file's contents durable on disk.
void FlushFileToDisk(const std::filesystem::path& file, const std::filesystem::path& named);

// Writes the bytes into the file from its start, creating it for its owner only if it is missing.
// Throws with the system's reason (a full disk says "No space left on device") naming `named`.
void FillFile(const std::filesystem::path& file, std::string_view bytes, const std::filesystem::path& named);

// Up to `limit` bytes from the start of a file, or the system's reason why it cannot be read.
std::variant<std::string, std::error_code> ReadFileStart(const std::filesystem::path& file,
                                                         std::size_t limit);

// A temporary file that is removed unless it took its target's place, also when the command is
// interrupted by a signal (see InterruptCleanup).
class TemporaryFile {
public:
    // Beside the file that `target` leads to. Throws when `target` is a folder or a special file,
    // or when its folder takes no new file.
    explicit TemporaryFile(const std::filesystem::path& target, NewFileMode created = NewFileMode::FromUmask);
    // In a folder of its own, readable by the owner only, in the system's temporary folder: for
    // output that has no file of its own, such as a PDF on standard output.
    struct InPrivateFolder {
        std::string_view fileName;
    };
    explicit TemporaryFile(InPrivateFolder where);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& Path() const { return path; }

    // Flushes the file and puts it in the target's place (see ReplaceKeepingMode).
    void ReplaceTarget();
    // Flushes the file and gives it the target's name only if nothing has that name yet; false
    // when something has (it is left alone). The mode is the one for new files.
    bool PlaceAsNewTarget();

private:
    std::filesystem::path target;     // as the user named it, for messages
    std::filesystem::path realTarget; // links followed
    std::filesystem::path folder;     // the private folder, if any
    std::filesystem::path path;
    std::optional<InterruptCleanup::Registration> folderRegistration;
    std::optional<InterruptCleanup::Registration> fileRegistration;
    NewFileMode created = NewFileMode::FromUmask;
    bool replaced = false;
};

// Fills the file it is given (an empty temporary file, the owner's only) and returns why it could
// not, or nothing when the content is complete.
using ContentWriter = std::function<std::optional<std::string>(const std::filesystem::path& file)>;
// What must be written together with the file or not at all: it runs once the content is
// complete and before the content takes the target's name; its failure leaves the target as it was.
using Companion = std::function<std::optional<std::string>()>;

// The one way a file the user named is written: the content goes into a TemporaryFile beside
// the target, is flushed to disk and takes the target's place in one rename, with the mode and
// owner of the file it replaces (a new file gets the mode `created` says). A folder, device or
// pipe of that name is refused, never replaced; a link is written through. A name as long as the
// system allows works: the temporary name does not grow with it. Returns what went wrong as a
// sentence naming the target (never the temporary file), or nothing when the file is written.
std::optional<std::string> WriteFileWhole(const std::filesystem::path& target,
                                          const ContentWriter& writeContent,
                                          const Companion& beforeReplacing = {},
                                          NewFileMode created = NewFileMode::FromUmask);
// The same for content that is at hand whole.
std::optional<std::string> WriteFileWhole(const std::filesystem::path& target, std::string_view bytes,
                                          NewFileMode created = NewFileMode::FromUmask);

} // namespace varnholt::files