#pragma once

#include <filesystem>

namespace varnholt::files {

// This copy's place among the copies of the program that one user runs at the same time: the
// lowest number that no running copy holds, 0 for the first. Each copy holds a lock on a marker
// file of its number in `folder` for as long as it runs; the system lets go of the lock when the
// copy ends, however it ends, so the marker of a copy that crashed is taken again by the next.
class RunningCopy {
public:
    // More copies than this share the last number.
    static constexpr int MostCopies = 64;

    // Claims a number in `folder`, which is created for the owner only if it is missing. A folder
    // that is not the user's own, or none at all, gives 0 without a marker.
    explicit RunningCopy(const std::filesystem::path& folder);
    ~RunningCopy();
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;

    int Number() const { return number; }

private:
#ifdef _WIN32
    void* handle = nullptr;
#else
    int handle = -1;
#endif
    int number = 0;
};

} // namespace varnholt::files
