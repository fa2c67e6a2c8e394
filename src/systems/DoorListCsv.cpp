#include "systems/DoorListCsv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

namespace varnholt::systems {

namespace {

enum Column : std::size_t { DoorColumn, LocationColumn, KeyedToColumn, CylindersColumn, NotesColumn, Columns };
constexpr std::array<std::string_view, Columns> ColumnNames{"Door", "Location", "Keyed To", "Cylinders", "Notes"};
constexpr std::size_t NotGiven = static_cast<std::size_t>(-1);

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

// Refusals carry their line; the reader stops at the first.
struct Refused {
    DoorListRefusal refusal;
};

[[noreturn]] void Refuse(int line, std::string message) {
    throw Refused{{line, std::move(message)}};
}

// The line of the first byte that is not UTF-8, or 0.
int FirstLineNotUtf8(std::string_view text) {
    int line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\n')
            ++line;
        std::size_t length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || at + length > text.size() || (length == 2 && byte < 0xC2))
            return line;
        std::uint32_t point = length == 1 ? byte : byte & (0x7FU >> length);
        for (std::size_t next = 1; next < length; ++next) {
            const auto continuation = static_cast<unsigned char>(text[at + next]);
            if ((continuation >> 6) != 0x2)
                return line;
            point = (point << 6) | (continuation & 0x3FU);
        }
        if ((length == 3 && (point < 0x800 || (point >= 0xD800 && point <= 0xDFFF))) ||
            (length == 4 && (point < 0x10000 || point > 0x10FFFF)))
            return line;
        at += length;
    }
    return 0;
}

std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

std::vector<Record> SplitRecords(std::string_view text) {
    std::vector<Record> records;
    int line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        Record record;
        record.line = line;
        std::string field;
        bool recordEnds = false;
        while (!recordEnds) {
            field.clear();
            if (at < text.size() && text[at] == '"') {
                const int opened = line;
                ++at;
                while (true) {
                    if (at >= text.size())
                        Refuse(opened, "a quoted field is never closed.");
                    if (text[at] == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"') {
                            field += '"';
                            at += 2;
                            continue;
                        }
                        ++at;
                        break;
                    }
                    if (text[at] == '\n')
                        ++line;
                    field += text[at++];
                }
                if (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n')
                    Refuse(line, "a quoted field is followed by more text before the next comma.");
            } else {
                while (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n')
                    field += text[at++];
            }
            record.fields.push_back(field);
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            if (at < text.size() && text[at] == '\r')
                ++at;
            if (at < text.size() && text[at] == '\n')
                ++at;
            ++line;
            recordEnds = true;
        }
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(), [](const std::string& value) {
            return value.find_first_not_of(" \t") == std::string::npos;
        });
        if (!blank || records.empty())
            records.push_back(std::move(record));
    }
    return records;
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::array<std::size_t, Columns> HeaderColumns(const Record& header) {
    std::array<std::size_t, Columns> at;
    at.fill(NotGiven);
    for (std::size_t index = 0; index < header.fields.size(); ++index) {
        const std::string name = Lower(Trimmed(header.fields[index]));
        std::size_t column = 0;
        while (column < Columns && Lower(ColumnNames[column]) != name)
            ++column;
        if (column == Columns)
            Refuse(header.line, "the column \"" + Trimmed(header.fields[index]) +
                                    "\" is not one of Door, Location, Keyed To, Cylinders, Notes.");
        if (at[column] != NotGiven)
            Refuse(header.line, "the column " + std::string(ColumnNames[column]) + " is named twice.");
        at[column] = index;
    }
    for (const Column required : {DoorColumn, KeyedToColumn})
        if (at[required] == NotGiven)
            Refuse(header.line, "the header has no column " + std::string(ColumnNames[required]) + ".");
    return at;
}

bool HasControlCharacter(std::string_view text, bool lineBreaksAllowed) {
    return std::any_of(text.begin(), text.end(), [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (lineBreaksAllowed && (c == '\n' || c == '\r' || c == '\t'))
            return false;
        return byte < 0x20 || byte == 0x7F;
    });
}

int CylinderCount(const std::string& text, int line) {
    if (text.empty())
        return 1;
    const bool digits = text.size() <= 3 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int count = digits ? std::stoi(text) : 0;
    if (count < MinCylinders || count > MaxCylinders)
        Refuse(line, "the number of cylinders must be a whole number from 1 to 999, not \"" + text + "\".");
    return count;
}

void AppendField(std::string& text, std::string_view field) {
    // Blanks around a field would be trimmed from a door number on the way back.
    if (field.find_first_of(",\"\r\n") == std::string_view::npos &&
        (field.empty() || (field.front() != ' ' && field.back() != ' '))) {
        text += field;
        return;
    }
    text += '"';
    for (const char character : field) {
        if (character == '"')
            text += '"';
        text += character;
    }
    text += '"';
}

} // namespace

std::string DoorListCsvText(const std::vector<Door>& doors) {
    std::string text = "Door,Location,Keyed To,Cylinders,Notes\r\n";
    for (const Door& door : doors) {
        AppendField(text, door.number);
        text += ',';
        AppendField(text, door.location);
        text += ',';
        AppendField(text, DoorTargetsText(door.targets));
        text += ',';
        text += std::to_string(door.cylinders);
        text += ',';
        AppendField(text, door.notes);
        text += "\r\n";
    }
    return text;
}

DoorListReading ReadDoorListCsv(std::string_view text, const KeySystemRequest& request,
                                const KeySchedule& schedule) {
    DoorListReading reading;
    try {
        if (const int line = FirstLineNotUtf8(text); line != 0)
            Refuse(line, "the text is not UTF-8.");
        if (text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        const std::vector<Record> records = SplitRecords(text);
        if (records.empty())
            Refuse(1, "the file is empty; the first line must name the columns.");
        const std::array<std::size_t, Columns> at = HeaderColumns(records.front());
        const KeyDirectory keys(schedule, request.MasterCount > 0);
        std::set<std::string> numbers;
        for (std::size_t index = 1; index < records.size(); ++index) {
            const Record& record = records[index];
            const int line = record.line;
            if (index > MaxDoors)
                Refuse(line, "the list has more than " + std::to_string(MaxDoors) + " doors.");
            if (record.fields.size() > records.front().fields.size())
                Refuse(line, "the line has " + std::to_string(record.fields.size()) + " fields; the header names " +
                                 std::to_string(records.front().fields.size()) + ".");
            const auto field = [&](Column column) -> std::string {
                return at[column] < record.fields.size() ? record.fields[at[column]] : std::string();
            };
            Door door;
            door.number = Trimmed(field(DoorColumn));
            if (door.number.empty())
                Refuse(line, "the door has no number.");
            if (Characters(door.number) > MaxDoorNumberLength || HasControlCharacter(door.number, false))
                Refuse(line, "the door number \"" + door.number +
                                 "\" is not 1 to 20 characters on one line.");
            if (!numbers.insert(door.number).second)
                Refuse(line, "door " + door.number + " is listed twice.");
            door.location = field(LocationColumn);
            door.notes = field(NotesColumn);
            if (HasControlCharacter(door.location, true) || HasControlCharacter(door.notes, true))
                Refuse(line, "door " + door.number + " has a control character in its location or notes.");
            if (Characters(door.location) > MaxLocationLength || Characters(door.notes) > MaxNotesLength)
                Refuse(line, "door " + door.number + " has a location longer than " +
                                 std::to_string(MaxLocationLength) + " characters or notes longer than " +
                                 std::to_string(MaxNotesLength) + ".");
            door.cylinders = CylinderCount(Trimmed(field(CylindersColumn)), line);
            const ParsedTargets parsed = ParseDoorTargets(field(KeyedToColumn));
            if (parsed.unreadable)
                Refuse(line, "door " + door.number + " is keyed to \"" + *parsed.unreadable +
                                 "\", which is no key name (GMK, A, AA, AA 1, AA *).");
            if (parsed.targets.empty())
                Refuse(line, "door " + door.number + " is keyed to no key.");
            if (parsed.targets.size() > MaxTargetsPerDoor)
                Refuse(line, "door " + door.number + " is keyed to more than " +
                                 std::to_string(MaxTargetsPerDoor) + " keys.");
            std::size_t keysMeant = 0;
            for (const DoorTarget& target : parsed.targets) {
                const std::size_t found = keys.Resolve(target).size();
                if (found == 0)
                    Refuse(line, "door " + door.number + " is keyed to " + DoorTargetText(target) +
                                     ", a key this system does not list.");
                keysMeant += found;
            }
            if (request.IsICore && keysMeant > 1)
                Refuse(line, "door " + door.number +
                                 " is an interchangeable core keyed to several keys; a core is keyed to one "
                                 "key only, since several keys on a core need a control shear line of their "
                                 "own, which this program does not calculate.");
            door.targets = parsed.targets;
            reading.doors.push_back(std::move(door));
        }
    } catch (const Refused& refused) {
        reading.doors.clear();
        reading.refusal = refused.refusal;
    }
    return reading;
}

} // namespace varnholt::systems
