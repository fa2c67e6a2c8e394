#include "systems/SafeFileWriter.h"

#include "files/FileReplacement.h"
#include "files/FileError.h"


namespace varnholt::systems {

std::optional<std::string> WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                                           files::NewFileMode created) {
    try {
        files::TemporaryFile temporary(target, created);
        files::WriteWholeFile(temporary.Path(), bytes, target);
        temporary.ReplaceTarget();
    } catch (const files::FileError& failure) {
        return failure.what();
    }
    return std::nullopt;
}

} // namespace varnholt::systems
