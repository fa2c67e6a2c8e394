#pragma once

// The Windows calls the files layer shares. What Windows does not do as Linux does, once:
// - A file has no mode: a new file gets the permissions its folder hands down, a replaced one
//   keeps its own (ReplaceFileW), and "readable by the owner only" is what that folder allows.
//   Nor is there an owner to hand a replaced file back to, nor one to check on the folder of the
//   running-copy markers.
// - Symbolic links are not followed: the standard library there does not see them, so a link in
//   a target's place is replaced rather than written through.
// - Byte-range locks are binding, not advisory: the database lock is taken on a byte far past
//   any record, so that reads and writes through other handles still pass.
// - A file open without leave to delete it cannot be removed: the files written here give that
//   leave, so an interrupt can take them away; one a library holds open may stay.
#ifdef _WIN32

#include <filesystem>
#include <optional>
#include <string>

namespace varnholt::files::windows {

// The system's reason for a Windows error code, worded as on Linux where the two share one, so
// that a message reads the same on both.
std::string Reason(unsigned long error);

// The reason GetLastError() gives now.
std::string LastReason();

// Makes the file's contents durable on disk; the reason why not, or nothing.
std::optional<std::string> FlushToDisk(const std::filesystem::path& file);

// A file handle closed with the object.
class Handle {
public:
    explicit Handle(void* opened = nullptr);
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool IsOpen() const;
    void* Get() const { return handle; }
    void* Release();

private:
    void* handle;
};

} // namespace varnholt::files::windows

#endif
