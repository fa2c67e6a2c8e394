#include "files/UserFolders.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <cwchar>
#else
#include <unistd.h>
#endif

namespace varnholt::files {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
fs::path Variable(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value != nullptr ? fs::path(value) : fs::path();
}
#else
fs::path Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? fs::path(value) : fs::path();
}
#endif

bool Usable(const fs::path& folder) {
    return !folder.empty() && folder.is_absolute();
}

} // namespace

StartEnvironment CurrentStartEnvironment() {
    StartEnvironment environment;
    std::error_code error;
    environment.currentFolder = fs::current_path(error);
#ifdef _WIN32
    environment.appData = Variable(L"APPDATA");
    environment.localAppData = Variable(L"LOCALAPPDATA");
#else
    environment.xdgDataHome = Variable("XDG_DATA_HOME");
    environment.home = Variable("HOME");
    environment.xdgRuntimeDir = Variable("XDG_RUNTIME_DIR");
#endif
    return environment;
}

fs::path CopiesFolder(const StartEnvironment& environment) {
#ifdef _WIN32
    if (Usable(environment.localAppData))
        return environment.localAppData / "varnholt" / "copies";
#else
    if (Usable(environment.xdgRuntimeDir))
        return environment.xdgRuntimeDir / "varnholt";
#endif
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (error)
        return {};
#ifndef _WIN32
    return temporary / ("varnholt-copies-" + std::to_string(::getuid()));
#else
    return temporary / "varnholt-copies";
#endif
}

fs::path DataFolder(const StartEnvironment& environment) {
#ifdef _WIN32
    if (Usable(environment.appData))
        return (environment.appData / "varnholt").lexically_normal();
#else
    if (Usable(environment.xdgDataHome))
        return (environment.xdgDataHome / "varnholt").lexically_normal();
    if (Usable(environment.home))
        return (environment.home / ".local" / "share" / "varnholt").lexically_normal();
#endif
    return {};
}

const char* DataFolderVariable() {
#ifdef _WIN32
    return "APPDATA";
#else
    return "HOME";
#endif
}

} // namespace varnholt::files
