#include "report/PinningListText.h"

#include "engine/TextLayout.h"

#include <algorithm>
#include <cstdint>

namespace varnholt::report {

namespace {

constexpr std::size_t NameWidth = 6;
constexpr int NumberWidth = 4;
constexpr std::size_t BittingWidth = 10;
constexpr std::size_t TagWidth = 5;
constexpr std::size_t ChamberWidth = 6;
constexpr int OpensWidth = 7;
constexpr int KeysWidth = 6;

void AppendLeft(std::string& line, std::string_view text, std::size_t width) {
    line += text;
    if (text.size() < width)
        line.append(width - text.size(), ' ');
}

// Two pins of a chamber as "b/m": the first right-aligned in two places, the second after the
// slash; "-" for a master, control or top pin of 0, which is not there (a bottom pin of 0 is).
std::string PinPair(std::string first, int second) {
    std::string cell = PadLeft(first, ' ', 2) + "/" + (second == 0 ? "-" : std::to_string(second));
    cell.resize(ChamberWidth, ' ');
    return cell;
}

std::string ChamberCells(const KeySystemRequest& request, const CylinderPinning& pinning,
                         bool controlAndTop) {
    std::string cells;
    for (int chamber = 0; chamber < request.Chambers; ++chamber) {
        const ChamberPinning& pins = pinning.chambers[static_cast<std::size_t>(chamber)];
        if (!pinning.formed)
            cells.append(ChamberWidth, ' ');
        else if (!pins.pinnable)
            AppendLeft(cells, "  *", ChamberWidth);
        else if (controlAndTop)
            cells += PinPair(pins.controlPin == 0 ? "-" : std::to_string(pins.controlPin), pins.topPin);
        else
            cells += PinPair(std::to_string(pins.bottomPin), pins.masterPin);
    }
    return cells;
}

std::string KeyColumns(const std::string& name, const ScheduledKey& key) {
    std::string line;
    AppendLeft(line, name, NameWidth);
    AppendPadLeft(line, key.changeKeyNumber > 0 ? std::to_string(key.changeKeyNumber) : "", ' ', NumberWidth);
    line += "  ";
    AppendLeft(line, key.mark == '*' ? key.bitting + "*" : key.bitting, BittingWidth - 2);
    line += "  ";
    return line;
}

void TrimRight(std::string& line) {
    line.erase(line.find_last_not_of(' ') + 1);
}

} // namespace

std::vector<std::string> PinningColumnHeadings(const KeySystemRequest& request) {
    std::string above(NameWidth + static_cast<std::size_t>(NumberWidth) + 2 + BittingWidth, ' ');
    if (request.IsICore)
        above.append(TagWidth, ' ');
    const std::string title =
        request.IsICore ? "Pins in each chamber" : "Pins in each chamber: bottom/master";
    const std::size_t span = ChamberWidth * static_cast<std::size_t>(request.Chambers);
    above.append(span > title.size() ? (span - title.size()) / 2 : 0, ' ');
    above += title;

    std::string line;
    AppendLeft(line, "Key", NameWidth);
    AppendPadLeft(line, "No.", ' ', NumberWidth);
    line += "  ";
    AppendLeft(line, "Bitting", BittingWidth);
    if (request.IsICore)
        AppendLeft(line, "Pins", TagWidth);
    for (int chamber = 1; chamber <= request.Chambers; ++chamber)
        AppendLeft(line, "  " + std::to_string(chamber), ChamberWidth);
    AppendPadLeft(line, "Opens", ' ', OpensWidth);
    AppendPadLeft(line, "Keys", ' ', KeysWidth);
    return {above, line, std::string(line.size(), '-')};
}

std::vector<std::string> PinningLines(const KeySystemRequest& request, const std::string& name,
                                      const ScheduledKey& key, const CylinderPinning& pinning,
                                      const CylinderExposure& exposure) {
    std::string first = KeyColumns(name, key);
    if (request.IsICore)
        AppendLeft(first, "B/M", TagWidth);
    first += ChamberCells(request, pinning, false);
    if (pinning.formed) {
        AppendPadLeft(first, std::to_string(exposure.openingBittings), ' ', OpensWidth);
        AppendPadLeft(first, std::to_string(exposure.systemKeys), ' ', KeysWidth);
    }
    TrimRight(first);
    if (!request.IsICore)
        return {first};
    std::string second(NameWidth + static_cast<std::size_t>(NumberWidth) + 2 + BittingWidth, ' ');
    AppendLeft(second, "C/T", TagWidth);
    second += ChamberCells(request, pinning, true);
    TrimRight(second);
    return {first, second};
}

namespace {

// The lower median: for seven cylinders opening 1, 2, 2, 2, 64, 64, 64 it is 2.
std::int64_t Median(std::vector<std::int64_t> counts) {
    const auto middle = counts.begin() + static_cast<std::ptrdiff_t>((counts.size() - 1) / 2);
    std::nth_element(counts.begin(), middle, counts.end());
    return *middle;
}

std::string Counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

std::string TypicalExposureLine(const std::vector<CylinderExposure>& exposures) {
    if (exposures.empty())
        return {};
    std::vector<std::int64_t> openings;
    std::vector<std::int64_t> systemKeys;
    openings.reserve(exposures.size());
    systemKeys.reserve(exposures.size());
    for (const CylinderExposure& exposure : exposures) {
        openings.push_back(exposure.openingBittings);
        systemKeys.push_back(exposure.systemKeys);
    }
    return "Typical:      half the cylinders open to " +
           Counted(Median(std::move(openings)), "bitting", "bittings") + " or fewer; half to " +
           Counted(Median(std::move(systemKeys)), "key", "keys") + " or fewer.";
}

std::vector<std::string> PinningKeyLines(const KeySystemRequest& request) {
    std::vector<std::string> lines = {
        "How to read the list",
        "  Chamber 1 is the first digit of the bitting. Pins are in the manufacturer's depth units.",
        "  2/1    bottom pin 2 and master pin 1        6/-    bottom pin 6, no master pin",
        "  Opens  bittings that turn the plug: each chamber cut like the key or like the top master",
        "  Keys   how many of those are keys of this system; the others are incidental keys",
        "  *      after a bitting: the key cannot be used as it is (M.A.C.S, control key, pins)",
    };
    if (request.IsICore) {
        lines.push_back("  B/M    bottom and master pins; C/T  control and top pins (\"-\": none)");
        lines.push_back(
            "  *      in a chamber: it cannot be pinned, a control or master pin would be thinner");
        lines.push_back("         than one step");
    }
    return lines;
}

} // namespace varnholt::report
