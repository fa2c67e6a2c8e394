#include "systems/SystemFile.h"

#include "systems/SafeFileWriter.h"
#include "systems/SystemFileFormat.h"
#include "systems/UtcTime.h"

#include <fstream>

namespace varnholt::systems {

std::string CannotOpenMessage(const std::filesystem::path& file, const std::string& reason) {
    std::string message = "The system file \"" + file.string() + "\" cannot be opened: " + reason;
    if (!message.ends_with('.'))
        message += '.';
    return message;
}

std::variant<SavedSystem, std::string> ReadSystemFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status))
        return CannotOpenMessage(file, "there is no such file");
    if (!std::filesystem::is_regular_file(status))
        return CannotOpenMessage(file, "it is not a regular file");
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return CannotOpenMessage(file, "it cannot be read");
    // One byte more than a system file may have tells a larger file without reading it whole.
    std::string text(LargestSystemFile + 1, '\0');
    stream.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (stream.bad())
        return CannotOpenMessage(file, "it cannot be read");
    text.resize(static_cast<std::size_t>(stream.gcount()));
    auto read = ReadSystemJson(text);
    if (auto* problem = std::get_if<SystemFileProblem>(&read))
        return CannotOpenMessage(file, problem->reason);
    return std::get<SavedSystem>(std::move(read));
}

std::optional<std::string> SaveSystemFile(const std::filesystem::path& file, SavedSystem& system,
                                          std::chrono::system_clock::time_point now) {
    SavedSystem stamped = system;
    stamped.saved = FormatUtcTime(now);
    if (stamped.created.empty())
        stamped.created = stamped.saved;
    const std::string document = WriteSystemJson(stamped);
    // A file the program could not open again would only seem saved.
    const auto readBack = ReadSystemJson(document);
    if (const auto* problem = std::get_if<SystemFileProblem>(&readBack))
        return "The system cannot be saved as \"" + file.string() + "\": it could not be opened again (" +
               problem->reason + ").";
    if (std::get<SavedSystem>(readBack) != stamped)
        return "The system cannot be saved as \"" + file.string() +
               "\": the file would not hold it exactly as it is.";
    if (auto failure = WriteFileSafely(file, document))
        return failure;
    system = std::move(stamped);
    return std::nullopt;
}

} // namespace varnholt::systems
