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
