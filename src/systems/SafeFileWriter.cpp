#include "systems/SafeFileWriter.h"

#include "manufacturers/FileReplacement.h"
#include "toolkit/InputOutputError.h"

#include <fstream>

namespace varnholt::systems {

std::optional<std::string> WriteFileSafely(const std::filesystem::path& target, std::string_view bytes) {
    try {
        manufacturers::TemporaryFile temporary(target);
        {
            std::ofstream stream(temporary.Path(), std::ios::binary | std::ios::trunc);
            stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            stream.close();
            if (!stream)
                throw toolkit::InputOutputError("write", target, "the data could not be written completely");
        }
        temporary.ReplaceTarget();
    } catch (const toolkit::InputOutputError& failure) {
        return failure.what();
    }
    return std::nullopt;
}

} // namespace varnholt::systems
