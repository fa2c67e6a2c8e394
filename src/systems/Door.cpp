#include "systems/Door.h"

#include <algorithm>
#include <cctype>

namespace varnholt::systems {

namespace {

constexpr std::string_view TopMasterName = "GMK";
// The printouts call the top master of a system without masters "MK".
constexpr std::string_view MasterKeyName = "MK";
// Change keys are numbered far below this; more digits are no key of any system.
constexpr std::size_t MaxNumberDigits = 6;

bool IsBlank(char character) {
    return character == ' ' || character == '\t';
}

bool IsLetter(char character) {
    return (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

bool HasControlCharacter(std::string_view text, bool lineBreaksAllowed) {
    return std::any_of(text.begin(), text.end(), [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (lineBreaksAllowed && (c == '\n' || c == '\r' || c == '\t'))
            return false;
        return byte < 0x20 || byte == 0x7F;
    });
}

} // namespace

std::optional<DoorTarget> ParseDoorTarget(std::string_view text) {
    text = Trimmed(text);
    DoorTarget target;
    std::size_t at = 0;
    while (at < text.size() && IsLetter(text[at]))
        target.letters += static_cast<char>(std::toupper(static_cast<unsigned char>(text[at++])));
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (at < text.size() && text[at] == '*') {
        target.everyKeyUnder = true;
        ++at;
    } else {
        const std::size_t digits = at;
        while (at < text.size() && IsDigit(text[at]))
            ++at;
        const std::string_view number = text.substr(digits, at - digits);
        if (number.size() > MaxNumberDigits)
            return std::nullopt;
        for (const char digit : number)
            target.changeKeyNumber = target.changeKeyNumber * 10 + (digit - '0');
        if (!number.empty() && target.changeKeyNumber == 0)
            return std::nullopt;
    }
    if (at != text.size() || (target.letters.empty() && target.changeKeyNumber == 0))
        return std::nullopt;
    if (target.letters == TopMasterName && target.changeKeyNumber != 0)
        return std::nullopt;
    return target;
}

std::string DoorTargetText(const DoorTarget& target) {
    std::string text = target.letters;
    if (target.changeKeyNumber > 0)
        text += (text.empty() ? "" : " ") + std::to_string(target.changeKeyNumber);
    if (target.everyKeyUnder)
        text += " *";
    return text;
}

ParsedTargets ParseDoorTargets(std::string_view text) {
    ParsedTargets parsed;
    while (true) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view piece = Trimmed(text.substr(0, end));
        if (!piece.empty()) {
            std::optional<DoorTarget> target = ParseDoorTarget(piece);
            if (!target) {
                parsed.unreadable = std::string(piece);
                return parsed;
            }
            if (std::find(parsed.targets.begin(), parsed.targets.end(), *target) == parsed.targets.end())
                parsed.targets.push_back(std::move(*target));
        }
        if (end == text.size())
            return parsed;
        text.remove_prefix(end + 1);
    }
}

std::string DoorTargetsText(const std::vector<DoorTarget>& targets) {
    std::string text;
    for (const DoorTarget& target : targets) {
        if (!text.empty())
            text += "; ";
        text += DoorTargetText(target);
    }
    return text;
}

std::optional<std::string> DoorFormProblem(const Door& door) {
    if (door.number.empty())
        return "its number is empty";
    if (Characters(door.number) > MaxDoorNumberLength || HasControlCharacter(door.number, false))
        return "its number is not 1 to 20 characters on one line";
    if (Characters(door.location) > MaxLocationLength)
        return "its location is longer than " + std::to_string(MaxLocationLength) + " characters";
    if (Characters(door.notes) > MaxNotesLength)
        return "its notes are longer than " + std::to_string(MaxNotesLength) + " characters";
    if (HasControlCharacter(door.location, true) || HasControlCharacter(door.notes, true))
        return "it has a control character in its location or notes";
    if (door.cylinders < MinCylinders || door.cylinders > MaxCylinders)
        return "its number of cylinders is not from 1 to 999";
    if (door.targets.empty())
        return "it is keyed to no key";
    if (door.targets.size() > MaxTargetsPerDoor)
        return "it is keyed to more than " + std::to_string(MaxTargetsPerDoor) + " keys";
    return std::nullopt;
}

std::optional<std::string> DoorKeyingProblem(const Door& door, const KeyDirectory& keys,
                                             bool interchangeableCore) {
    std::size_t keysMeant = 0;
    for (const DoorTarget& target : door.targets) {
        const std::size_t found = keys.Resolve(target).size();
        if (found == 0)
            return "it is keyed to " + DoorTargetText(target) + ", a key this system does not list";
        keysMeant += found;
    }
    if (interchangeableCore && keysMeant > 1)
        return "it is an interchangeable core keyed to several keys; a core is keyed to one key only, since "
               "several keys on a core need a control shear line of their own, which this program does not "
               "calculate";
    return std::nullopt;
}

std::size_t KeyAbove(const ScheduledKey& key) {
    return key.subMaster != NoKey ? key.subMaster : key.master != NoKey ? key.master : 0;
}

KeyDirectory::KeyDirectory(const KeySchedule& keys, bool systemHasMasters)
    : schedule(keys), hasMasters(systemHasMasters) {
    for (std::size_t index = 1; index < schedule.size(); ++index) {
        const ScheduledKey& key = schedule[index];
        if (!key.listed)
            continue;
        if (key.level == KeyLevel::ChangeKey)
            changeKeys.emplace(std::pair{KeyAbove(key), key.changeKeyNumber}, index);
        else if (key.level != KeyLevel::TopMaster)
            byLetters.emplace(key.designation, index);
    }
}

std::optional<std::size_t> KeyDirectory::KeyOfLetters(const std::string& letters) const {
    if (letters == TopMasterName || (!hasMasters && (letters == MasterKeyName || letters.empty())))
        return 0;
    if (letters.empty())
        return std::nullopt;
    const auto found = byLetters.find(letters);
    if (found == byLetters.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::size_t> KeyDirectory::Resolve(const DoorTarget& target) const {
    if (schedule.empty())
        return {};
    const std::optional<std::size_t> key = KeyOfLetters(target.letters);
    if (!key)
        return {};
    if (target.changeKeyNumber > 0) {
        const auto found = changeKeys.find({*key, target.changeKeyNumber});
        if (found == changeKeys.end())
            return {};
        return {found->second};
    }
    if (!target.everyKeyUnder) {
        if (target.letters.empty())
            return {};
        return {*key};
    }
    // X itself as well: it opens every door of the keys under it, and such a door stands for X
    // even where none of them could be listed.
    std::vector<std::size_t> under{*key};
    for (std::size_t index = *key + 1; index < schedule.size(); ++index) {
        const ScheduledKey& candidate = schedule[index];
        if (candidate.listed && (*key == 0 || candidate.master == *key || candidate.subMaster == *key))
            under.push_back(index);
    }
    return under;
}

std::string KeyDirectory::Designation(std::size_t index) const {
    const ScheduledKey& key = schedule.at(index);
    if (key.level == KeyLevel::TopMaster)
        return std::string(TopMasterName);
    if (key.level != KeyLevel::ChangeKey)
        return key.designation;
    const std::size_t above = KeyAbove(key);
    const std::string number = std::to_string(key.changeKeyNumber);
    return above == 0 ? number : schedule[above].designation + " " + number;
}

} // namespace varnholt::systems
