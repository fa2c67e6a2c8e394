#include "OutputFile.h"

#include <fstream>
#include <random>
#include <system_error>

namespace varnholt::tools {

std::filesystem::path TemporaryFileBeside(const std::filesystem::path& target)
{
    std::random_device device;
    std::mt19937 engine(device());
    std::uniform_int_distribution<unsigned> digit(0, 15);
    const char* hex = "0123456789abcdef";
    for (;;) {
        std::string suffix = ".part-";
        for (int i = 0; i < 8; ++i)
            suffix += hex[digit(engine)];
        std::filesystem::path candidate = target;
        candidate += suffix;
        std::error_code error;
        if (!std::filesystem::exists(candidate, error))
            return candidate;
    }
}

std::optional<std::string> WriteTextFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    if (!stream)
        return "The file \"" + file.string() + "\" cannot be created.";
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.flush();
    if (!stream)
        return "The file \"" + file.string() + "\" could not be written completely.";
    return std::nullopt;
}

namespace {

// The writer only knows the temporary file; the user knows the file named on the command line.
std::string NamingTarget(std::string message, const std::filesystem::path& temporary,
                         const std::filesystem::path& target)
{
    const std::string written = temporary.string();
    const std::string named = target.string();
    for (auto at = message.find(written); at != std::string::npos; at = message.find(written, at + named.size()))
        message.replace(at, written.size(), named);
    return message;
}

} // namespace

std::optional<std::string> WriteFileWhole(const std::filesystem::path& target, const ContentWriter& writeContent)
{
    std::error_code error;
    if (std::filesystem::is_directory(target, error))
        return "\"" + target.string() + "\" is a folder, not a file.";
    const std::filesystem::path temporary = TemporaryFileBeside(target);
    if (auto failure = writeContent(temporary)) {
        std::filesystem::remove(temporary, error);
        return NamingTarget(*failure, temporary, target);
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return "The file \"" + target.string() + "\" cannot be written: " + error.message() + ".";
    }
    return std::nullopt;
}

} // namespace varnholt::tools
