#include "files/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace varnholt::files {

#ifdef _WIN32
namespace {

std::string Utf8OfWide(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back(); // the terminating zero
    return bytes;
}

} // namespace
#endif

std::filesystem::path PathFromUtf8(std::string_view text) {
#ifdef _WIN32
    try {
        return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(text.data()), text.size()));
    } catch (const std::filesystem::filesystem_error&) {
        return std::filesystem::path(text);
    }
#else
    return std::filesystem::path(text);
#endif
}

std::string Utf8Of(const std::filesystem::path& path) {
#ifdef _WIN32
    return Utf8OfWide(path.c_str());
#else
    return path.string();
#endif
}

std::vector<std::string> Utf8Arguments(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
#ifdef _WIN32
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int index = 1; index < count; ++index)
            arguments.push_back(Utf8OfWide(wide[index]));
        LocalFree(wide);
        return arguments;
    }
#endif
    for (int index = 1; index < argc; ++index)
        arguments.emplace_back(argv[index]);
    return arguments;
}

} // namespace varnholt::files
