#include "engine/LargeBlocks.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace varnholt {

#if defined(_WIN32)

// Windows has no std::aligned_alloc, and its large pages need a privilege users lack: a large
// block there is an ordinary one.
void* AllocateLargeBlock(std::size_t bytes) {
    return ::operator new(bytes);
}

void FreeLargeBlock(void* block, std::size_t) noexcept {
    ::operator delete(block);
}

#else

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20U;

std::size_t WholeHugePages(std::size_t bytes) {
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

} // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < HugePage || bytes > static_cast<std::size_t>(-1) - HugePage)
        return ::operator new(bytes);
    const std::size_t rounded = WholeHugePages(bytes);
    void* block = std::aligned_alloc(HugePage, rounded);
    if (block == nullptr)
        throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
    // Only advice: where huge pages are off or used up the block is one of ordinary pages.
    static_cast<void>(madvise(block, rounded, MADV_HUGEPAGE));
#endif
    return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (bytes < HugePage || bytes > static_cast<std::size_t>(-1) - HugePage)
        ::operator delete(block);
    else
        std::free(block);
}

#endif

} // namespace varnholt
