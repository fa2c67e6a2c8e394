#include "OutputFile.h"

#include "files/FileReplacement.h"
#include "files/FileError.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace varnholt::tools {

namespace {

std::string Reason(const char* fallback) {
    return errno != 0 ? std::generic_category().message(errno) : std::string(fallback);
}

// The writer only knows the temporary file; the user knows the file named on the command line.
std::string NamingTarget(std::string message, const std::filesystem::path& temporary,
                         const std::filesystem::path& target) {
    const std::string written = temporary.string();
    const std::string named = target.string();
    for (auto at = message.find(written); at != std::string::npos;
         at = message.find(written, at + named.size()))
        message.replace(at, written.size(), named);
    return message;
}

} // namespace

std::optional<std::string> WriteTextFile(const std::filesystem::path& file, const std::string& text) {
    return WriteStreamFile(file, [&text](std::ostream& stream) {
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
}

std::optional<std::string> WriteStreamFile(const std::filesystem::path& file, const StreamWriter& write) {
    errno = 0;
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    if (!stream)
        return "The file \"" + file.string() + "\" cannot be created: " + Reason("it cannot be opened") + ".";
    write(stream);
    stream.flush();
    if (!stream)
        return "The file \"" + file.string() +
               "\" could not be written completely: " + Reason("the write failed") + ".";
    return std::nullopt;
}

std::optional<std::string> WriteFileWhole(const std::filesystem::path& target,
                                          const ContentWriter& writeContent,
                                          const Companion& beforeReplacing) {
    try {
        files::TemporaryFile temporary(target);
        if (auto failure = writeContent(temporary.Path()))
            return NamingTarget(*failure, temporary.Path(), target);
        if (beforeReplacing)
            if (auto failure = beforeReplacing())
                return failure;
        temporary.ReplaceTarget();
    } catch (const files::FileError& failure) {
        return std::string(failure.what());
    }
    return std::nullopt;
}

} // namespace varnholt::tools
