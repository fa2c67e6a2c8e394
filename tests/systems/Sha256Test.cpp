#include "systems/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace varnholt::systems {
namespace {

TEST(Sha256, GivesTheStandardTestVectors) {
    EXPECT_EQ(Sha256::HexOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256::HexOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256::HexOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256::HexOf(
                  "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqr"
                  "lmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(Sha256::HexOf(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, AnyCuttingOfTheInputGivesTheSameDigest) {
    // Lengths around the block and padding boundaries, fed in pieces of every size.
    for (const std::size_t length : {55U, 56U, 63U, 64U, 65U, 119U, 120U, 128U}) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + i % 26);
        const std::string whole = Sha256::HexOf(text);
        for (std::size_t piece = 1; piece <= 17; ++piece) {
            Sha256 hash;
            for (std::size_t at = 0; at < text.size(); at += piece)
                hash.Add(std::string_view(text).substr(at, piece));
            EXPECT_EQ(Sha256::Hex(hash.Finish()), whole) << length << " in pieces of " << piece;
        }
    }
}

} // namespace
} // namespace varnholt::systems
