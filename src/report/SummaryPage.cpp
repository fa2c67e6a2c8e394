#include "report/SummaryPage.h"

#include "engine/TextLayout.h"
#include "report/Printouts.h"

#include <array>
#include <utility>

namespace varnholt::report {

namespace {

constexpr int LevelWidth = 16;
constexpr int NumberWidth = 10;
constexpr int ReasonWidth = 58;
constexpr int ReasonNumberWidth = 8;

std::string Row(std::string_view name, const std::array<std::string, 4>& cells) {
    std::string line = "  " + std::string(name);
    line.resize(static_cast<std::size_t>(LevelWidth), ' ');
    for (const std::string& cell : cells)
        AppendPadLeft(line, cell, ' ', NumberWidth);
    return line;
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

std::string Counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

void AddCounts(const KeySystemRequest& request, const KeyCounts& counts, std::vector<std::string>& lines) {
    lines.push_back(Row("Keys", {"Asked", "Formed", "Listed", "With *"}));
    lines.push_back(Row("", {"-----", "------", "------", "------"}));
    if (request.MasterCount > 0) {
        const LevelCount& m = counts.masters;
        lines.push_back(Row("Masters", {Number(m.asked), Number(m.formed), Number(m.listed), Number(m.marked)}));
    }
    if (request.SubMasterCount > 0 && request.MasterCount > 0) {
        const LevelCount& s = counts.subMasters;
        lines.push_back(
            Row("Sub-masters", {Number(s.asked), Number(s.formed), Number(s.listed), Number(s.marked)}));
    }
    const LevelCount& c = counts.changeKeys;
    lines.push_back(Row("Change keys", {Number(c.asked), Number(c.formed), Number(c.listed), Number(c.marked)}));
    lines.push_back("  Masters and sub-masters marked '*' keep their place in the lists; change keys marked");
    lines.push_back("  '*' are left out of them. The top master is on the cover sheet.");
}

void AddReasons(const KeySystemRequest& request, const KeyCounts& counts, std::vector<std::string>& lines) {
    if (counts.masters.marked + counts.subMasters.marked + counts.changeKeys.marked == 0) {
        lines.push_back("No key carries '*'.");
        return;
    }
    lines.push_back("Why keys carry '*' (one key may count under several reasons):");
    const auto reasonRow = [](std::string words, const std::array<std::string, 3>& cells) {
        std::string line = "  " + words;
        line.resize(static_cast<std::size_t>(ReasonWidth), ' ');
        for (const std::string& cell : cells)
            AppendPadLeft(line, cell, ' ', ReasonNumberWidth);
        return line;
    };
    lines.push_back(reasonRow("", {"Masters", "Subs", "Change"}));
    struct Reason {
        std::string words;
        std::int64_t MarkReasons::*count;
    };
    const std::string macs =
        request.MaxAdjacentCut >= 20 ? "M.A.C.S" : "M.A.C.S " + std::to_string(request.MaxAdjacentCut);
    const std::vector<Reason> reasons = {
        {"Neighbouring cuts differ by more than the " + macs, &MarkReasons::adjacentCuts},
        {"A control chamber cut within a step of the control key", &MarkReasons::controlKeyClash},
        {"Cannot be pinned: a pin would be thinner than one step", &MarkReasons::cannotBePinned},
        {"The same as the control key", &MarkReasons::isControlKey},
        {"Control key equals top master in all control chambers", &MarkReasons::otherControlKey},
        {"Cannot be formed: a chamber has no depth in its column", &MarkReasons::notFormed},
    };
    for (const Reason& reason : reasons) {
        const std::int64_t m = counts.masters.why.*reason.count;
        const std::int64_t s = counts.subMasters.why.*reason.count;
        const std::int64_t c = counts.changeKeys.why.*reason.count;
        if (m + s + c == 0)
            continue;
        lines.push_back(reasonRow(reason.words, {Number(m), Number(s), Number(c)}));
    }
}

void AddMarkedKeys(const KeyCounts& counts, std::vector<std::string>& lines) {
    if (counts.markedKeys.empty())
        return;
    lines.emplace_back();
    lines.push_back("Masters and sub-masters marked '*':");
    for (const MarkedKey& key : counts.markedKeys) {
        std::string line = "  " + key.designation;
        line.resize(8, ' ');
        line += "*" + key.bitting + "  " + key.reasons + "; ";
        line += key.changeKeysListed == 0 ? "none of its change keys listed"
                                          : Counted(key.changeKeysListed, "change key", "change keys") + " listed";
        lines.push_back(std::move(line));
    }
}

void AddLegend(const KeySystemRequest& request, std::vector<std::string>& lines) {
    lines.push_back("Signs used in this report");
    lines.push_back("  *      before a bitting in the lists: the key cannot be used as it is (see above)");
    if (request.IsICore) {
        lines.push_back("  *      in a pin block of the KBA page: that chamber cannot be pinned for that cut,");
        lines.push_back("         a control or master pin would be thinner than one step");
        lines.push_back("  BP MP CP TP  bottom, master, control and top pin, in depth units; --: no such pin");
    } else {
        lines.push_back("  BP MP  bottom and master pin, in depth units; -: no master pin");
    }
    lines.push_back("  -      in the key bitting array: the depth is not used in that chamber; as a whole");
    lines.push_back("         bitting: a key that cannot be formed");
    if (request.ZeroIsTen)
        lines.push_back("  0      a cut of depth 10");
}

// The numbers, and why, as two sentences; both empty when every change key asked for is listed.
std::pair<std::string, std::string> Shortfall(const KeyCounts& counts) {
    const LevelCount& c = counts.changeKeys;
    if (c.listed >= c.asked)
        return {};
    const std::string under =
        counts.lowestLevel == KeyLevel::TopMaster
            ? "the top master"
            : std::to_string(counts.lowestKeysShortOfKeys) + " of the " + std::to_string(counts.lowestKeys) +
                  (counts.lowestLevel == KeyLevel::SubMaster ? " sub-masters" : " masters");
    return {"Fewer change keys are listed than asked: " + std::to_string(c.listed) + " of " +
                std::to_string(c.asked) + ".",
            "Under " + under + " there are too few usable ones (" + std::to_string(c.marked) + " left out with '*')."};
}

} // namespace

std::vector<std::string> SummaryPageLines(const KeySystemRequest& request, const KeyCounts& counts) {
    std::vector<std::string> lines{CentreText("Summary", PageWidth), ""};
    AddCounts(request, counts, lines);
    lines.emplace_back();
    if (const auto [numbers, why] = Shortfall(counts); !numbers.empty()) {
        lines.push_back(numbers);
        lines.push_back(why);
    } else {
        lines.push_back("Every change key asked for is listed.");
    }
    lines.emplace_back();
    AddReasons(request, counts, lines);
    AddMarkedKeys(counts, lines);
    lines.emplace_back();
    AddLegend(request, lines);
    return lines;
}

std::string ShortfallNote(const KeyCounts& counts) {
    const auto [numbers, why] = Shortfall(counts);
    return numbers.empty() ? numbers : numbers + " " + why;
}

} // namespace varnholt::report
