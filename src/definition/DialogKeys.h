#pragma once

#include <cstddef>
#include <string>

// Small pieces the "Data Input" dialog's field rules share.
namespace varnholt::definition {

inline constexpr char32_t EnterKey = U'\r';
inline constexpr char32_t BackspaceKey = U'\b';
// Bittings in the request hold at most this many characters.
inline constexpr std::size_t KeyTextCapacity = 8;

inline bool IsDigitKey(char32_t key) {
    return key >= U'0' && key <= U'9';
}

// 'A' or 'a' answers a quantity field with everything available.
inline bool IsAllKey(char32_t key) {
    return key == U'A' || key == U'a';
}

inline std::string WithoutLastCharacter(const std::string& text) {
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

inline std::string KeyText(const std::string& text) {
    return text.substr(0, KeyTextCapacity);
}

} // namespace varnholt::definition
