#include "files/WindowsCalls.h"

#ifdef _WIN32

#include <cerrno>
#include <system_error>

#include <windows.h>

namespace varnholt::files::windows {

std::string Reason(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::generic_category().message(ENOENT);
    case ERROR_ACCESS_DENIED:
        return std::generic_category().message(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::generic_category().message(ENOSPC);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::generic_category().message(EEXIST);
    case ERROR_WRITE_PROTECT:
        return std::generic_category().message(EROFS);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_USER_MAPPED_FILE:
        return "another program has it open; close it there and try again";
    default:
        break;
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::string reason;
    if (length > 0 && text != nullptr) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        reason.resize(static_cast<std::size_t>(size > 0 ? size : 0));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size, nullptr, nullptr);
    }
    LocalFree(text);
    // The system's sentences end in a full stop and a line break; the message adds its own stop.
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' ||
                               reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "Windows error " + std::to_string(error) : reason;
}

std::string LastReason() {
    return Reason(GetLastError());
}

std::optional<std::string> FlushToDisk(const std::filesystem::path& file) {
    const Handle opened(CreateFileW(file.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!opened.IsOpen() || !FlushFileBuffers(opened.Get()))
        return LastReason();
    return std::nullopt;
}

Handle::Handle(void* opened) : handle(opened) {}

Handle::~Handle() {
    if (IsOpen())
        CloseHandle(handle);
}

bool Handle::IsOpen() const {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

void* Handle::Release() {
    void* released = handle;
    handle = nullptr;
    return released;
}

} // namespace varnholt::files::windows

#endif
