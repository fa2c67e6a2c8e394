#include "systems/SafeFileWriter.h"

#include "manufacturers/FileSystem.h"
#include "toolkit/InputOutputError.h"

#include <fstream>
#include <random>
#include <span>
#include <system_error>

namespace varnholt::systems {

namespace {

namespace fs = std::filesystem;

// The file a chain of links ends in; the path itself when it is no link.
fs::path ThroughLinks(const fs::path& target) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error)))
        return target;
    const fs::path resolved = fs::weakly_canonical(target, error);
    return error ? target : resolved;
}

fs::path UnusedNameBeside(const fs::path& target) {
    std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    constexpr char Characters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (;;) {
        std::string name = "." + target.filename().string().substr(0, 40) + ".";
        for (int i = 0; i < 6; ++i)
            name += Characters[digit(device)];
        name += ".tmp";
        const fs::path candidate = target.parent_path() / name;
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error)))
            return candidate;
    }
}

} // namespace

std::optional<std::string> WriteFileSafely(const fs::path& named, std::string_view bytes) {
    const fs::path target = ThroughLinks(named);
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    const bool replacing = fs::exists(status);
    if (replacing && !fs::is_regular_file(status))
        return "\"" + named.string() + "\" is not a regular file; nothing was written.";

    const fs::path temporary = UnusedNameBeside(target);
    manufacturers::DiskFileSystem disk;
    try {
        {
            std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
            if (!stream)
                return "The file \"" + named.string() +
                       "\" cannot be written: no file can be created in its folder.";
        }
        if (replacing) {
            fs::permissions(temporary, status.permissions(), fs::perm_options::replace, error);
            if (error) {
                disk.RemoveQuietly(temporary);
                return "The file \"" + named.string() + "\" cannot be written: " + error.message() + ".";
            }
        }
        const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
        disk.WriteAt(temporary, 0, std::span<const std::uint8_t>(first, bytes.size()));
        disk.ReplaceFile(temporary, target);
    } catch (const toolkit::InputOutputError& failure) {
        disk.RemoveQuietly(temporary);
        // The user knows the file they named, not the temporary one.
        std::string message = failure.what();
        const std::string temporaryName = temporary.generic_string();
        if (const auto at = message.find(temporaryName); at != std::string::npos)
            message.replace(at, temporaryName.size(), named.string());
        return message;
    }
    return std::nullopt;
}

} // namespace varnholt::systems
