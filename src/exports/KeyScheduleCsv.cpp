#include "exports/KeyScheduleCsv.h"

#include "exports/CsvText.h"

#include <array>
#include <charconv>
#include <string_view>

namespace varnholt::exports {

namespace {

void AppendHeading(std::string& text) {
    AppendCsvRow(text, {"level", "designation", "change key number", "bitting", "mark"});
}

void AppendKey(std::string& text, const ScheduledKey& key) {
    std::array<char, 16> digits{};
    const std::size_t numberLength =
        key.changeKeyNumber > 0
            ? static_cast<std::size_t>(std::to_chars(digits.begin(), digits.end(), key.changeKeyNumber).ptr - digits.begin())
            : 0;
    const std::string_view mark = key.mark == ' ' ? std::string_view() : std::string_view(&key.mark, 1);
    AppendCsvRow(text, {KeyLevelName(key.level), key.designation, std::string_view(digits.data(), numberLength),
                        key.bitting, mark});
}

} // namespace

std::string KeyScheduleCsvText(const KeySchedule& schedule) {
    std::string text;
    // About 30 characters a row: a level name, a short designation, a number and a bitting.
    text.reserve(32 * (schedule.size() + 1));
    AppendHeading(text);
    for (const ScheduledKey& key : schedule)
        if (key.listed)
            AppendKey(text, key);
    return text;
}

void WriteKeyScheduleCsv(const KeySchedule& schedule, std::ostream& out) {
    // The rows go out a block at a time, so the largest system's text is never held whole.
    constexpr std::size_t Block = 1 << 16;
    std::string text;
    text.reserve(Block + 64);
    AppendHeading(text);
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        AppendKey(text, key);
        if (text.size() >= Block) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace varnholt::exports
