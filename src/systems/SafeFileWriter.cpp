#include "systems/SafeFileWriter.h"

#include "manufacturers/FileReplacement.h"
#include "toolkit/InputOutputError.h"


namespace varnholt::systems {

std::optional<std::string> WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                                           manufacturers::NewFileMode created) {
    try {
        manufacturers::TemporaryFile temporary(target, created);
        manufacturers::WriteWholeFile(temporary.Path(), bytes, target);
        temporary.ReplaceTarget();
    } catch (const toolkit::InputOutputError& failure) {
        return failure.what();
    }
    return std::nullopt;
}

} // namespace varnholt::systems
