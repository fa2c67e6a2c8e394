#pragma once

#include "engine/GenerationState.h"
#include "engine/LargeBlocks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt {

enum class KeyLevel : std::uint8_t { TopMaster, Master, SubMaster, ChangeKey };

// "top master", "master", "sub-master" or "change key": as the CSV and the fingerprint write it.
std::string_view KeyLevelName(KeyLevel level);

// A key's place in its schedule. Only masters and sub-masters are pointed at, and they lead the
// schedule, so 32 bits hold every index that is stored while keeping each key small.
using KeyIndex = std::uint32_t;

// Where a key has no master or sub-master above it.
inline constexpr KeyIndex NoKey = std::numeric_limits<KeyIndex>::max();

// A short text held in the key itself rather than on the heap: the largest system has close to
// 300,000 keys. A longer text is refused (std::length_error), never cut.
template <std::size_t Capacity> class ShortText {
public:
    static constexpr std::size_t MaxLength = Capacity;

    ShortText() = default;
    ShortText(std::string_view text) { *this = text; } // NOLINT: reads as the text it holds
    ShortText& operator=(std::string_view text) {
        if (text.size() > Capacity)
            throw std::length_error("\"" + std::string(text) + "\" is longer than a key holds");
        text.copy(chars.data(), text.size());
        length = static_cast<std::uint8_t>(text.size());
        return *this;
    }

    std::string_view View() const { return {chars.data(), length}; }
    operator std::string_view() const { return View(); }         // NOLINT: a text wherever one is read
    operator std::string() const { return std::string(View()); } // NOLINT: as above
    std::string String() const { return std::string(View()); }
    char operator[](std::size_t index) const { return View()[index]; }
    bool empty() const { return length == 0; }
    std::size_t size() const { return length; }
    // Copies all Capacity characters held, the text first, to out: a copy of fixed length, for
    // texts put together many times over.
    void CopyWhole(char* out) const { std::memcpy(out, chars.data(), Capacity); }

    friend bool operator==(const ShortText& text, std::string_view other) { return text.View() == other; }
    friend bool operator==(const ShortText& text, const ShortText& other) {
        return text.View() == other.View();
    }
    friend std::string operator+(std::string left, const ShortText& right) { return left += right.View(); }
    friend std::string operator+(const ShortText& left, std::string_view right) {
        return left.String() += right;
    }
    friend std::ostream& operator<<(std::ostream& out, const ShortText& text) { return out << text.View(); }

private:
    std::array<char, Capacity> chars{};
    std::uint8_t length = 0;
};

// One key of a system as the report composes it.
struct ScheduledKey {
    // Laid out without padding: the largest system has close to 300,000 of these.
    KeyLevel level = KeyLevel::ChangeKey;
    char mark = ' ';                  // '*' for a key that cannot be used as it is
    bool listed = true;               // change keys marked '*' are composed but left out of the lists
    ShortText<4> designation;         // master and sub-master letters; empty for the top master
    ShortText<MaxChambers> bitting;   // Chambers digits, or as many "-" for a key that cannot be formed
    int changeKeyNumber = 0;          // 0 for keys that are not listed change keys
    KeyIndex master = NoKey;          // the schedule's index of the master this key stands under
    KeyIndex subMaster = NoKey;       // the schedule's index of the sub-master this key stands under
};
static_assert(sizeof(ScheduledKey) <= 28, "a key of the schedule has no padding");

// Every key of a system in the order the report lists it: the top master, the masters each
// followed by its sub-masters, then the change keys key by key of the lowest master level.
using KeySchedule = std::vector<ScheduledKey, LargeBlockAllocator<ScheduledKey>>;

} // namespace varnholt
