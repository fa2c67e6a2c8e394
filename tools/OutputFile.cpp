#include "OutputFile.h"
#include "files/Utf8Path.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace varnholt::tools {

namespace {

std::string Reason(const char* fallback) {
    return errno != 0 ? std::generic_category().message(errno) : std::string(fallback);
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
        return "The file \"" + files::Utf8Of(file) + "\" cannot be created: " + Reason("it cannot be opened") + ".";
    write(stream);
    stream.flush();
    if (!stream)
        return "The file \"" + files::Utf8Of(file) +
               "\" could not be written completely: " + Reason("the write failed") + ".";
    return std::nullopt;
}

} // namespace varnholt::tools
