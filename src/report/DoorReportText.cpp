#include "report/DoorReportText.h"

#include "engine/TextLayout.h"
#include "report/FreeText.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

namespace varnholt::report {

namespace {

constexpr std::size_t FieldIndent = 2;
constexpr std::size_t CaptionWidth = 14; // "Operated by:" and the blanks after it
constexpr std::size_t FieldTextWidth = DoorPageWidth - FieldIndent - CaptionWidth;
constexpr std::size_t SchematicNameWidth = 4;
constexpr std::size_t SchematicKeyWidth = 10;
constexpr std::size_t SchematicCellWidth = 20;
constexpr std::size_t LostDoorWidth = 20;
constexpr std::size_t LostHowWidth = 10;
constexpr std::size_t LostLocationColumn = LostDoorWidth + 2 + LostHowWidth + 2;

std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U; }));
}

std::string PadRight(std::string text, std::size_t width) {
    const std::size_t length = Width(text);
    if (length < width)
        text.append(width - length, ' ');
    return text;
}

void TrimRight(std::string& line) {
    line.erase(line.find_last_not_of(' ') + 1);
}

std::string Counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// A caption and its text lines: the caption on the first line, the others under its text.
void AddField(std::vector<std::string>& lines, std::string_view caption, const std::vector<std::string>& text) {
    bool first = true;
    for (const std::string& piece : text) {
        std::string line(FieldIndent, ' ');
        line += PadRight(first ? std::string(caption) : std::string(), CaptionWidth);
        line += piece;
        TrimRight(line);
        lines.push_back(std::move(line));
        first = false;
    }
    if (first) {
        std::string line(FieldIndent, ' ');
        line += caption;
        lines.push_back(std::move(line));
    }
}

std::vector<std::string> Designations(const systems::KeyDirectory& keys, const std::vector<std::size_t>& indices) {
    std::vector<std::string> names;
    names.reserve(indices.size());
    for (const std::size_t index : indices)
        names.push_back(keys.Designation(index));
    return names;
}

// The schedule index a target names by itself: the key, or X of "X *".
std::optional<std::size_t> KeyNamed(const systems::DoorTarget& target, const systems::KeyDirectory& keys) {
    systems::DoorTarget own = target;
    own.everyKeyUnder = false;
    const std::vector<std::size_t> found = keys.Resolve(own);
    if (found.size() != 1)
        return std::nullopt;
    return found.front();
}

std::vector<std::string> DoorNumbers(const std::vector<std::size_t>& doorIndices,
                                     const std::vector<systems::Door>& doors) {
    std::vector<std::string> numbers;
    numbers.reserve(doorIndices.size());
    for (const std::size_t index : doorIndices)
        numbers.push_back(OneLine(doors[index].number));
    return numbers;
}

std::string DoorList(const std::vector<std::size_t>& doorIndices, const std::vector<systems::Door>& doors) {
    std::string text;
    for (const std::size_t index : doorIndices)
        text += (text.empty() ? "" : ", ") + OneLine(doors[index].number);
    return text;
}

// Entries in columns of SchematicCellWidth, one or more cells each, as many to a line as fit; an
// entry wider than a line is wrapped at its blanks onto lines of its own.
std::vector<std::string> GridLines(const std::vector<std::string>& entries, std::size_t indent) {
    const std::size_t cells = (DoorPageWidth - indent + 2) / SchematicCellWidth;
    std::vector<std::string> lines;
    std::string line;
    std::size_t used = 0;
    const auto finish = [&] {
        if (used == 0)
            return;
        TrimRight(line);
        lines.push_back(std::move(line));
        line.clear();
        used = 0;
    };
    for (const std::string& entry : entries) {
        const std::size_t width = Width(entry);
        const std::size_t span = (width + 2 + SchematicCellWidth - 1) / SchematicCellWidth;
        if (span > cells) {
            finish();
            bool first = true;
            for (const std::string& piece : WrappedText(entry, DoorPageWidth - indent - 2)) {
                lines.push_back(std::string(indent + (first ? 0 : 2), ' ') + piece);
                first = false;
            }
            continue;
        }
        if (used + span > cells)
            finish();
        if (used == 0)
            line.assign(indent, ' ');
        line += PadRight(entry, span * SchematicCellWidth);
        used += span;
    }
    finish();
    return lines;
}

// One key of the schematic and the doors keyed to it: the key's name, then the door numbers,
// continued under themselves.
void AddKeyDoors(std::vector<std::string>& lines, std::size_t indent, const std::string& name,
                 const std::vector<std::size_t>& doorIndices, const std::vector<systems::Door>& doors) {
    const std::size_t listIndent = indent + SchematicKeyWidth;
    std::vector<std::string> listed = PackedLines(DoorNumbers(doorIndices, doors), ", ", listIndent);
    listed.front().replace(indent, SchematicKeyWidth, PadRight(name, SchematicKeyWidth));
    for (std::string& line : listed)
        lines.push_back(std::move(line));
}

} // namespace

std::vector<std::string> PackedLines(const std::vector<std::string>& pieces, std::string_view separator,
                                     std::size_t indent, std::size_t width) {
    std::string mark(separator);
    TrimRight(mark);
    std::vector<std::string> lines;
    std::string line(indent, ' ');
    std::size_t lineWidth = indent;
    bool empty = true;
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const std::string& piece = pieces[index];
        const std::size_t pieceWidth = Width(piece);
        const std::size_t after = index + 1 < pieces.size() ? Width(mark) : 0;
        if (!empty && lineWidth + Width(separator) + pieceWidth + after > width) {
            line += mark;
            lines.push_back(std::move(line));
            line.assign(indent, ' ');
            lineWidth = indent;
            empty = true;
        }
        if (!empty) {
            line += separator;
            lineWidth += Width(separator);
        }
        line += piece;
        lineWidth += pieceWidth;
        empty = false;
    }
    TrimRight(line);
    lines.push_back(std::move(line));
    return lines;
}

std::string DoorReportHeading(const KeySystemRequest& request, std::string_view reportName,
                              std::string_view jobNumber, std::size_t pageColumn) {
    std::string heading = request.MfgName + " " + std::to_string(request.Chambers) + " Pin  " + std::string(reportName);
    if (!jobNumber.empty())
        heading += "  Job " + std::string(jobNumber);
    return HeadingBeforePage(heading, pageColumn);
}

std::vector<std::vector<std::string>> SchematicBlocks(const std::vector<systems::Door>& doors,
                                                      const systems::DoorSchedule& checked) {
    const systems::KeyDirectory& keys = checked.Keys();
    const KeySchedule& schedule = keys.Schedule();
    // Doors by the key each target names: the key itself, or every key under it.
    std::vector<std::vector<std::size_t>> keyedTo(schedule.size());
    std::map<std::size_t, std::vector<std::size_t>> keyedUnder;
    for (std::size_t door = 0; door < doors.size(); ++door) {
        for (const systems::DoorTarget& target : doors[door].targets) {
            const std::optional<std::size_t> key = KeyNamed(target, keys);
            if (!key)
                continue;
            std::vector<std::size_t>& list = target.everyKeyUnder ? keyedUnder[*key] : keyedTo[*key];
            if (list.empty() || list.back() != door)
                list.push_back(door);
        }
    }
    struct ChangeKeys {
        int first = 0;
        int last = 0;
        std::vector<std::size_t> withDoors;
    };
    std::map<std::size_t, ChangeKeys> changeKeys;
    for (std::size_t index = 0; index < schedule.size(); ++index) {
        const ScheduledKey& key = schedule[index];
        if (!key.listed || key.level != KeyLevel::ChangeKey)
            continue;
        ChangeKeys& under = changeKeys[systems::KeyAbove(key)];
        under.first = under.first == 0 ? key.changeKeyNumber : std::min(under.first, key.changeKeyNumber);
        under.last = std::max(under.last, key.changeKeyNumber);
        if (!keyedTo[index].empty())
            under.withDoors.push_back(index);
    }

    std::vector<std::vector<std::string>> blocks;
    for (std::size_t index = 0; index < schedule.size(); ++index) {
        const ScheduledKey& key = schedule[index];
        if (!key.listed || key.level == KeyLevel::ChangeKey)
            continue;
        const std::size_t indent = key.level == KeyLevel::TopMaster ? 0 : key.level == KeyLevel::Master ? 2 : 4;
        const std::string name = keys.Designation(index);
        std::string line = std::string(indent, ' ') + PadRight(name, SchematicNameWidth) + "  " +
                           (key.level == KeyLevel::TopMaster ? "top master"
                            : key.level == KeyLevel::Master  ? "master"
                                                             : "sub-master");
        const auto found = changeKeys.find(index);
        if (found != changeKeys.end()) {
            const std::string prefix = index == 0 ? "" : name + " ";
            const ChangeKeys& range = found->second;
            line += range.first == range.last ? ", change key " + prefix + std::to_string(range.first)
                                              : ", change keys " + prefix + std::to_string(range.first) + " to " +
                                                    prefix + std::to_string(range.last);
        }
        if (key.mark == '*')
            line += " (cannot be used as it is)";
        std::vector<std::string> block{line};
        const std::size_t keyIndent = indent + 4;
        if (!keyedTo[index].empty())
            AddKeyDoors(block, keyIndent, name, keyedTo[index], doors);
        if (const auto under = keyedUnder.find(index); under != keyedUnder.end())
            AddKeyDoors(block, keyIndent, name + " *", under->second, doors);
        if (found != changeKeys.end()) {
            std::vector<std::string> entries;
            for (const std::size_t changeKey : found->second.withDoors)
                entries.push_back(keys.Designation(changeKey) + ": " + DoorList(keyedTo[changeKey], doors));
            for (std::string& gridLine : GridLines(entries, keyIndent))
                block.push_back(std::move(gridLine));
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::vector<std::string> KeyingScheduleLegend(const KeySystemRequest& request) {
    std::vector<std::string> lines{
        "How to read the schedule",
        "  Keyed to      the keys the door is keyed to as given; \"AA *\" is every key under AA",
        "  Operated by   every key meant to open it: those and each key above them",
        request.IsICore ? "  Pins          per chamber: bottom/master/control/top pin, \"-\" for none"
                        : "  Pins          per chamber: the bottom pin, then the master pins from the bottom up",
        "  Opens         the bittings that turn the plug, and how many are keys of this system",
        "  Unintended    keys of this system that open the door although they are not meant to",
        "  *             after a chamber's pins: a pin would be thinner than one step",
    };
    return lines;
}

std::vector<std::string> ChamberPins(const DoorCylinder& cylinder, int chambers) {
    std::vector<std::string> pieces;
    if (!cylinder.formed)
        return pieces;
    const auto pinOrNone = [](int pin) { return pin == 0 ? std::string("-") : std::to_string(pin); };
    for (int chamber = 0; chamber < chambers; ++chamber) {
        const DoorChamber& pins = cylinder.chambers[static_cast<std::size_t>(chamber)];
        std::string text = std::to_string(chamber + 1) + ": " + std::to_string(pins.bottomPin);
        if (cylinder.core) {
            text += "/" + pinOrNone(pins.masterPins.empty() ? 0 : pins.masterPins.front());
            text += "/" + pinOrNone(pins.controlPin) + "/" + pinOrNone(pins.topPin);
        } else {
            for (const int pin : pins.masterPins)
                text += "/" + std::to_string(pin);
        }
        if (!pins.pinnable)
            text += "*";
        pieces.push_back(std::move(text));
    }
    return pieces;
}

std::vector<std::string> DoorBlock(const KeySystemRequest& request, const systems::Door& door,
                                   const systems::CheckedDoor& checked, const systems::KeyDirectory& keys) {
    const DoorVerdict& verdict = checked.verdict;
    std::vector<std::string> lines{"Door " + PadRight(OneLine(door.number), systems::MaxDoorNumberLength) + "  " +
                                   Counted(door.cylinders, "cylinder", "cylinders")};
    if (!door.location.empty())
        AddField(lines, "Location:", WrappedText(door.location, FieldTextWidth));
    std::vector<std::string> targets;
    for (const systems::DoorTarget& target : door.targets)
        targets.push_back(systems::DoorTargetText(target));
    AddField(lines, "Keyed to:", targets.empty() ? std::vector<std::string>{"no key"}
                                                 : PackedLines(targets, "; ", 0, FieldTextWidth));
    if (!verdict.operatedBy.empty())
        AddField(lines, "Operated by:", PackedLines(Designations(keys, verdict.operatedBy), ", ", 0, FieldTextWidth));
    if (verdict.cylinder.formed) {
        AddField(lines, "Pins:", PackedLines(ChamberPins(verdict.cylinder, request.Chambers), "  ", 0, FieldTextWidth));
        AddField(lines, "Opens:",
                 {Counted(verdict.opens, "bitting", "bittings") + ", of which " +
                  (verdict.systemKeys == 1 ? std::string("1 is a key") : std::to_string(verdict.systemKeys) + " are keys") +
                  " of this system"});
        if (verdict.unintended.empty()) {
            AddField(lines, "Unintended:", {"none"});
        } else {
            std::vector<std::string> words{
                verdict.unintended.size() == 1
                    ? "1 key opens this door although it is not meant to:"
                    : std::to_string(verdict.unintended.size()) + " keys open this door although they are not meant to:"};
            for (std::string& line : PackedLines(Designations(keys, verdict.unintended), ", ", 0, FieldTextWidth))
                words.push_back(std::move(line));
            AddField(lines, "Unintended:", words);
        }
    }
    if (!door.notes.empty())
        AddField(lines, "Notes:", WrappedText(door.notes, FieldTextWidth));
    const std::string problem = systems::DoorProblemText(checked, keys);
    if (!problem.empty() || !checked.unknownTargets.empty())
        AddField(lines, "NOT USABLE:", WrappedText(problem, FieldTextWidth));
    lines.emplace_back();
    return lines;
}

std::vector<std::string> KeyRanges(const std::vector<std::size_t>& indices, const systems::KeyDirectory& keys) {
    const KeySchedule& schedule = keys.Schedule();
    std::vector<std::string> ranges;
    for (std::size_t at = 0; at < indices.size();) {
        const ScheduledKey& first = schedule[indices[at]];
        std::size_t end = at + 1;
        if (first.level == KeyLevel::ChangeKey) {
            const std::size_t above = systems::KeyAbove(first);
            while (end < indices.size()) {
                const ScheduledKey& next = schedule[indices[end]];
                if (next.level != KeyLevel::ChangeKey || systems::KeyAbove(next) != above ||
                    next.changeKeyNumber != schedule[indices[end - 1]].changeKeyNumber + 1)
                    break;
                ++end;
            }
        }
        std::string text = keys.Designation(indices[at]);
        if (end - at > 1)
            text += " to " + keys.Designation(indices[end - 1]);
        ranges.push_back(std::move(text));
        at = end;
    }
    return ranges;
}

std::vector<std::vector<std::string>> SummaryBlocks(const std::vector<systems::Door>& doors,
                                                    const systems::DoorSchedule& checked) {
    const systems::KeyDirectory& keys = checked.Keys();
    const KeySchedule& schedule = keys.Schedule();
    std::vector<std::size_t> exposed;
    std::vector<std::size_t> unusable;
    std::int64_t cylinders = 0;
    std::vector<int> meantFor(schedule.size(), 0);
    for (std::size_t index = 0; index < doors.size(); ++index) {
        const systems::CheckedDoor& door = checked.Doors()[index];
        cylinders += doors[index].cylinders;
        if (!door.verdict.Usable() || !door.unknownTargets.empty())
            unusable.push_back(index);
        if (!door.verdict.unintended.empty())
            exposed.push_back(index);
        for (const std::size_t key : door.verdict.operatedBy)
            ++meantFor[key];
    }
    std::vector<std::vector<std::string>> blocks;

    std::vector<std::string> counts{"", CentreText("Summary", static_cast<int>(DoorPageWidth)), ""};
    for (std::string& line :
         WrappedText(Counted(static_cast<std::int64_t>(doors.size()), "door", "doors") + " with " +
                         Counted(cylinders, "cylinder", "cylinders") + ": " +
                         std::to_string(doors.size() - unusable.size()) + " usable, " +
                         std::to_string(unusable.size()) + " not usable, " + std::to_string(exposed.size()) +
                         " open to keys not meant to open them.",
                     DoorPageWidth))
        counts.push_back(std::move(line));
    counts.emplace_back();
    blocks.push_back(std::move(counts));

    // Doors per key, in columns: name and count.
    std::vector<std::string> perKey{"Doors per key: how many doors each key is meant to open"};
    std::vector<std::string> entries;
    for (std::size_t index = 0; index < schedule.size(); ++index)
        if (meantFor[index] > 0)
            entries.push_back(PadRight(keys.Designation(index), 9) + PadLeft(std::to_string(meantFor[index]), ' ', 5));
    if (entries.empty())
        perKey.emplace_back("  none");
    for (std::string& line : PackedLines(entries, "    ", 2))
        if (!entries.empty())
            perKey.push_back(std::move(line));
    perKey.emplace_back();
    blocks.push_back(std::move(perKey));

    std::vector<std::string> alike{"Keyed alike: doors whose cylinders take the same keys"};
    const auto groups = checked.KeyedAlike();
    if (groups.empty())
        alike.emplace_back("  none");
    for (const std::vector<std::size_t>& group : groups) {
        const std::string keyedTo = systems::DoorTargetsText(doors[group.front()].targets);
        for (std::string& line :
             WrappedText("Keyed to " + (keyedTo.empty() ? std::string("no key") : keyedTo) + ":", DoorPageWidth - 2))
            alike.push_back("  " + line);
        for (std::string& line : PackedLines(DoorNumbers(group, doors), ", ", 4))
            alike.push_back(std::move(line));
    }
    alike.emplace_back();
    blocks.push_back(std::move(alike));

    std::vector<std::string> reserve{"Reserve: listed keys no door uses, for later doors"};
    const std::vector<std::size_t> unused = checked.UnusedKeys();
    if (unused.empty())
        reserve.emplace_back("  none");
    else
        for (std::string& line : PackedLines(KeyRanges(unused, keys), ", ", 2))
            reserve.push_back(std::move(line));
    reserve.emplace_back();
    blocks.push_back(std::move(reserve));

    std::vector<std::string> exposures{"Exposed doors: keys of this system open them although they are not meant to"};
    if (exposed.empty())
        exposures.emplace_back("  none");
    for (const std::size_t index : exposed) {
        std::vector<std::string> lines =
            PackedLines(Designations(keys, checked.Doors()[index].verdict.unintended), ", ", 4);
        const std::string caption = "  Door " + OneLine(doors[index].number) + ":";
        exposures.push_back(caption);
        for (std::string& line : lines)
            exposures.push_back(std::move(line));
    }
    exposures.emplace_back();
    blocks.push_back(std::move(exposures));

    std::vector<std::string> broken{"Unusable doors: no cylinder can be pinned for them as they are keyed"};
    if (unusable.empty())
        broken.emplace_back("  none");
    for (const std::size_t index : unusable) {
        broken.push_back("  Door " + OneLine(doors[index].number) + ":");
        for (std::string& line :
             WrappedText(systems::DoorProblemText(checked.Doors()[index], keys), DoorPageWidth - 4))
            broken.push_back("    " + line);
    }
    blocks.push_back(std::move(broken));
    return blocks;
}

std::vector<std::string> LostKeyVerdict(std::string_view designation, const std::vector<systems::LostKeyDoor>& opened,
                                        std::size_t doorCount) {
    const auto intended = static_cast<std::size_t>(
        std::count_if(opened.begin(), opened.end(), [](const systems::LostKeyDoor& door) { return door.intended; }));
    const std::size_t unintended = opened.size() - intended;
    std::string sentence = "Key " + std::string(designation) + " opens ";
    if (opened.empty()) {
        sentence += "none of the " + Counted(static_cast<std::int64_t>(doorCount), "door", "doors") + ".";
        return WrappedText(sentence, DoorPageWidth);
    }
    sentence += std::to_string(opened.size()) + " of the " +
                Counted(static_cast<std::int64_t>(doorCount), "door", "doors") + ": " + std::to_string(intended) +
                " it is meant to open (intended) and " + std::to_string(unintended) +
                " it opens although it is not meant to (unintended). Each of them needs its cylinder rekeyed "
                "or the key back.";
    return WrappedText(sentence, DoorPageWidth);
}

std::vector<std::string> LostKeyColumnHeadings() {
    std::string line = PadRight("Door", LostDoorWidth) + "  " + PadRight("How", LostHowWidth) + "  Location";
    return {line, std::string(DoorPageWidth, '-')};
}

std::vector<std::string> LostKeyRow(const systems::Door& door, bool intended) {
    std::string first =
        PadRight(OneLine(door.number), LostDoorWidth) + "  " + PadRight(intended ? "intended" : "unintended", LostHowWidth) + "  ";
    std::vector<std::string> location = WrappedText(door.location, DoorPageWidth - LostLocationColumn);
    std::vector<std::string> lines;
    for (std::size_t index = 0; index < location.size(); ++index) {
        std::string line = index == 0 ? first : std::string(LostLocationColumn, ' ');
        line += location[index];
        TrimRight(line);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace varnholt::report
