#include "KeyScheduleCsv.h"

#include "CsvText.h"

#include <string_view>

namespace varnholt::tools {

std::string KeyScheduleCsvText(const KeySchedule& schedule) {
    std::string text;
    // About 30 characters a row: a level name, a short designation, a number and a bitting.
    text.reserve(32 * (schedule.size() + 1));
    AppendCsvRow(text, {"level", "designation", "change key number", "bitting", "mark"});
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        const std::string number =
            key.changeKeyNumber > 0 ? std::to_string(key.changeKeyNumber) : std::string();
        const std::string_view mark = key.mark == ' ' ? std::string_view() : std::string_view(&key.mark, 1);
        AppendCsvRow(text, {KeyLevelName(key.level), key.designation, number, key.bitting, mark});
    }
    return text;
}

} // namespace varnholt::tools
