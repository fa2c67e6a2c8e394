#include "exports/PinningListCsv.h"

#include "exports/CsvText.h"
#include "exports/KeyScheduleCsv.h"

#include "engine/CylinderPinning.h"

#include <charconv>
#include <ostream>
#include <sstream>
#include <string>

namespace varnholt::exports {

namespace {

constexpr std::size_t FlushSize = 1 << 20;

void AppendNumber(std::string& text, int value) {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    text.append(digits, end);
}

int AsDepth(int cut, bool zeroIsTen) {
    return zeroIsTen && cut == 0 ? 10 : cut;
}

// The fields every row of a key begins with, ending in a comma: level, designation, change-key
// number and bitting.
std::string KeyFields(const ScheduledKey& key) {
    std::string fields;
    const std::string number = key.changeKeyNumber > 0 ? std::to_string(key.changeKeyNumber) : std::string();
    AppendCsvRow(fields, {KeyLevelName(key.level), key.designation, number, key.bitting});
    fields.resize(fields.size() - 2); // the row's line end
    fields += ',';
    return fields;
}

// Rows are many and their numbers small: they are written straight into the text.
void AppendRows(std::string& text, const KeySystemRequest& request, const ScheduledKey& key,
                const CylinderPinning& pinning) {
    const std::string fields = KeyFields(key);
    for (int chamber = 1; chamber <= request.Chambers; ++chamber) {
        const ChamberPinning& pins = pinning.chambers[static_cast<std::size_t>(chamber - 1)];
        text += fields;
        AppendNumber(text, chamber);
        if (!pinning.formed) {
            text += ",,,,,,,no\r\n";
            continue;
        }
        for (const int value :
             {AsDepth(pins.cut, request.ZeroIsTen), AsDepth(pins.topMasterCut, request.ZeroIsTen),
              pins.bottomPin, pins.masterPin}) {
            text += ',';
            AppendNumber(text, value);
        }
        text += ',';
        if (request.IsICore)
            AppendNumber(text, pins.controlPin);
        text += ',';
        if (request.IsICore)
            AppendNumber(text, pins.topPin);
        text += pins.pinnable ? ",yes\r\n" : ",no\r\n";
    }
}

} // namespace

void WritePinningListCsv(const GenerationState& state, const KeySchedule& schedule, std::ostream& out) {
    const CylinderPinner pinner(state);
    std::string text;
    text.reserve(FlushSize + 4096);
    AppendCsvRow(text, {"Level", "Designation", "Change Key", "Bitting", "Chamber", "Cut", "Top Master Cut",
                        "Bottom Pin", "Master Pin", "Control Pin", "Top Pin", "Usable"});
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        AppendRows(text, state, key, pinner.Pin(key.bitting));
        if (text.size() >= FlushSize) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string PinningListCsvText(const GenerationState& state, const KeySchedule& schedule) {
    std::ostringstream text;
    WritePinningListCsv(state, schedule, text);
    return std::move(text).str();
}

} // namespace varnholt::exports
