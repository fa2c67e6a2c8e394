#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnholt::systems {

// SHA-256, small and self-contained: a saved system's fingerprint needs nothing more, and the
// program takes on no library for it. Feed any number of pieces, then take the digest once.
class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    Sha256();
    void Add(std::string_view bytes);
    Digest Finish();

    // The digest of one text as 64 lower-case hexadecimal digits.
    static std::string HexOf(std::string_view bytes);
    static std::string Hex(const Digest& digest);

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state;
    std::array<std::uint8_t, 64> pending{};
    std::size_t pendingSize = 0;
    std::uint64_t totalBytes = 0;
};

} // namespace varnholt::systems
