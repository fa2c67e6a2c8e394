#pragma once

#include <cstddef>
#include <new>

namespace varnholt {

// Memory for a large array that is written once from start to end, such as the key schedule of
// the largest system (close to 8 MB). Blocks of 2 MiB and more lie on huge pages where the system
// offers them, so that writing the array costs a few page faults instead of thousands; smaller
// blocks come from operator new. FreeLargeBlock takes the size the block was asked with.
void* AllocateLargeBlock(std::size_t bytes);
void FreeLargeBlock(void* block, std::size_t bytes) noexcept;

template <class T> class LargeBlockAllocator {
public:
    using value_type = T;

    LargeBlockAllocator() = default;
    template <class U> LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {} // NOLINT: rebinding

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLargeBlock(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept { FreeLargeBlock(block, count * sizeof(T)); }

    friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator&) { return true; }
    friend bool operator!=(const LargeBlockAllocator&, const LargeBlockAllocator&) { return false; }
};

} // namespace varnholt
