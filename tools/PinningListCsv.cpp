#include "PinningListCsv.h"

#include "CsvText.h"
#include "KeyScheduleCsv.h"

#include "engine/CylinderPinning.h"

#include <charconv>
#include <ostream>
#include <string>

namespace varnholt::tools {

namespace {

constexpr std::size_t FlushSize = 1 << 20;

std::string Number(int value)
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return std::string(digits, end);
}

int AsDepth(int cut, bool zeroIsTen)
{
    return zeroIsTen && cut == 0 ? 10 : cut;
}

void AppendRows(std::string& text, const KeySystemRequest& request, const ScheduledKey& key,
                const CylinderPinning& pinning)
{
    const std::string number = key.changeKeyNumber > 0 ? Number(key.changeKeyNumber) : std::string();
    for (int chamber = 1; chamber <= request.Chambers; ++chamber) {
        const ChamberPinning& pins = pinning.chambers[static_cast<std::size_t>(chamber - 1)];
        const bool formed = pinning.formed;
        const auto value = [formed](int pin) { return formed ? Number(pin) : std::string(); };
        const auto corePin = [&](int pin) { return request.IsICore ? value(pin) : std::string(); };
        AppendCsvRow(text, {KeyLevelName(key.level), key.designation, number, key.bitting, Number(chamber),
                            value(AsDepth(pins.cut, request.ZeroIsTen)),
                            value(AsDepth(pins.topMasterCut, request.ZeroIsTen)), value(pins.bottomPin),
                            value(pins.masterPin), corePin(pins.controlPin), corePin(pins.topPin),
                            formed && pins.pinnable ? "yes" : "no"});
    }
}

} // namespace

void WritePinningListCsv(const GenerationState& state, const KeySchedule& schedule, std::ostream& out)
{
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

} // namespace varnholt::tools
