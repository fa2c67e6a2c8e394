#include "systems/SystemFile.h"

#include "files/FileReplacement.h"
#include "files/Utf8Path.h"
#include "systems/SystemFileFormat.h"
#include "systems/UtcTime.h"

namespace varnholt::systems {

std::string CannotOpenMessage(const std::filesystem::path& file, const std::string& reason) {
    std::string message = "The system file \"" + files::Utf8Of(file) + "\" cannot be opened: " + reason;
    if (!message.ends_with('.'))
        message += '.';
    return message;
}

std::variant<SavedSystem, SystemFileRefusal> ReadSystemFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return SystemFileRefusal{CannotOpenMessage(file, "there is no such file"), true};
    if (error)
        return SystemFileRefusal{CannotOpenMessage(file, error.message()), true};
    if (!std::filesystem::is_regular_file(status))
        return SystemFileRefusal{CannotOpenMessage(file, "it is not a regular file"), true};
    // One byte more than a system file may have tells a larger file without reading it whole.
    auto text = files::ReadFileStart(file, LargestSystemFile + 1);
    if (auto* failure = std::get_if<std::error_code>(&text))
        return SystemFileRefusal{CannotOpenMessage(file, failure->message()), true};
    auto read = ReadSystemJson(std::get<std::string>(text));
    if (auto* problem = std::get_if<SystemFileProblem>(&read))
        return SystemFileRefusal{CannotOpenMessage(file, problem->reason)};
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
        return "The system cannot be saved as \"" + files::Utf8Of(file) + "\": it could not be opened again (" +
               problem->reason + ").";
    if (std::get<SavedSystem>(readBack) != stamped)
        return "The system cannot be saved as \"" + files::Utf8Of(file) +
               "\": the file would not hold it exactly as it is.";
    // It holds the top master and control keys: a new file is for its owner's eyes only.
    if (auto failure = files::WriteFileWhole(file, document, files::NewFileMode::OwnerOnly))
        return failure;
    system = std::move(stamped);
    return std::nullopt;
}

} // namespace varnholt::systems
