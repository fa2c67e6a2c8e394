#include "systems/DoorTable.h"

#include "engine/KeySchedule.h"

#include <algorithm>
#include <utility>

namespace varnholt::systems {

namespace {

constexpr std::size_t NamedUnintendedKeys = 8;

// Door numbers that are whole numbers go on from the highest; "101" is followed by "102".
std::string NextNumber(const std::map<std::string, int, std::less<>>& numbers) {
    long long highest = 0;
    for (const auto& [number, count] : numbers) {
        if (count <= 0 || number.size() > 9 ||
            !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        highest = std::max(highest, std::stoll(number));
    }
    std::string next = std::to_string(highest + 1);
    while (numbers.contains(next) && numbers.at(next) > 0)
        next += "a";
    return next;
}

} // namespace

DoorTable::Context::Context(const GenerationState& system)
    : request(system), schedule(ComputeKeySchedule(system)), keys(schedule, request.MasterCount > 0),
      checker(request, schedule) {}

DoorTable::DoorTable(const GenerationState& system, std::vector<Door> doors)
    : context(std::make_shared<const Context>(system)) {
    Assign(std::move(doors));
}

void DoorTable::Assign(std::vector<Door> doors) {
    rows.clear();
    numbers.clear();
    rows.reserve(doors.size());
    for (Door& door : doors) {
        Row& row = rows.emplace_back();
        row.door = std::move(door);
        Count(row.door.number, +1);
        Recheck(row);
    }
}

void DoorTable::Recheck(Row& row) const {
    CheckedDoor& checked = row.checked;
    checked = {};
    if (row.unreadable)
        return;
    for (const DoorTarget& target : row.door.targets) {
        const std::vector<std::size_t> found = context->keys.Resolve(target);
        if (found.empty())
            checked.unknownTargets.push_back(DoorTargetText(target));
        checked.targets.insert(checked.targets.end(), found.begin(), found.end());
    }
    std::sort(checked.targets.begin(), checked.targets.end());
    checked.targets.erase(std::unique(checked.targets.begin(), checked.targets.end()), checked.targets.end());
    checked.verdict = context->checker.Check(checked.targets);
}

void DoorTable::Count(const std::string& number, int change) {
    const auto found = numbers.find(number);
    if (found == numbers.end()) {
        if (change > 0)
            numbers.emplace(number, change);
        return;
    }
    found->second += change;
    if (found->second <= 0)
        numbers.erase(found);
}

std::string DoorTable::KeyedToText(std::size_t row) const {
    const Row& at = rows.at(row);
    return at.unreadable ? *at.unreadable : DoorTargetsText(at.door.targets);
}

DoorRowCheck DoorTable::Check(std::size_t index) const {
    const Row& row = rows.at(index);
    if (row.unreadable)
        return {DoorRowState::Refused,
                "\"" + *row.unreadable +
                    "\" is no key name: name keys as the key lists do (GMK, A, AA, AA 1, AA *), "
                    "separated by ';'."};
    const auto sentence = [](std::string text) {
        if (!text.empty() && text.front() >= 'a' && text.front() <= 'z')
            text.front() = static_cast<char>(text.front() - 'a' + 'A');
        return text + ".";
    };
    if (auto problem = DoorFormProblem(row.door))
        return {DoorRowState::Refused, sentence(*problem)};
    if (const auto found = numbers.find(row.door.number); found != numbers.end() && found->second > 1)
        return {DoorRowState::Refused, "Door number " + row.door.number + " is given to " +
                                           std::to_string(found->second) +
                                           " doors; each door needs its own."};
    const CheckedDoor& checked = row.checked;
    const std::string problem = DoorProblemText(checked, context->keys);
    if (!checked.unknownTargets.empty() || checked.verdict.problem != DoorProblem::None)
        return {DoorRowState::Refused, problem};
    std::string warning = problem;
    if (!checked.verdict.unintended.empty())
        warning += (warning.empty() ? "" : " ") + UnintendedKeysText(checked.verdict, context->keys);
    if (!warning.empty())
        return {DoorRowState::Warning, warning};
    return {};
}

void DoorTable::SetNumber(std::size_t index, std::string number) {
    Row& row = rows.at(index);
    Count(row.door.number, -1);
    row.door.number = std::move(number);
    Count(row.door.number, +1);
}

void DoorTable::SetLocation(std::size_t index, std::string location) {
    rows.at(index).door.location = std::move(location);
}

void DoorTable::SetKeyedTo(std::size_t index, std::string_view text) {
    Row& row = rows.at(index);
    ParsedTargets parsed = ParseDoorTargets(text);
    if (parsed.unreadable) {
        row.unreadable = std::string(text);
        row.door.targets.clear();
    } else {
        row.unreadable.reset();
        if (parsed.targets == row.door.targets)
            return;
        row.door.targets = std::move(parsed.targets);
    }
    Recheck(row);
}

void DoorTable::SetCylinders(std::size_t index, int cylinders) {
    rows.at(index).door.cylinders = cylinders;
}

void DoorTable::SetNotes(std::size_t index, std::string notes) {
    rows.at(index).door.notes = std::move(notes);
}

void DoorTable::Insert(std::size_t index) {
    Row row;
    row.door.number = NextNumber(numbers);
    Count(row.door.number, +1);
    Recheck(row);
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(std::min(index, rows.size())), std::move(row));
}

void DoorTable::Remove(std::size_t index) {
    Count(rows.at(index).door.number, -1);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<Door> DoorTable::Doors() const {
    std::vector<Door> doors;
    doors.reserve(rows.size());
    for (const Row& row : rows)
        doors.push_back(row.door);
    return doors;
}

std::optional<std::string> DoorTable::FirstRefusal() const {
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const DoorRowCheck check = Check(index);
        if (check.state == DoorRowState::Refused)
            return "Door " +
                   (At(index).number.empty() ? "in row " + std::to_string(index + 1) : At(index).number) +
                   ": " + check.reason;
    }
    return std::nullopt;
}

std::string UnintendedKeysText(const DoorVerdict& verdict, const KeyDirectory& keys) {
    const std::vector<std::size_t>& unintended = verdict.unintended;
    if (unintended.empty())
        return {};
    std::string names;
    const std::size_t named = std::min(unintended.size(), NamedUnintendedKeys);
    for (std::size_t index = 0; index < named; ++index) {
        if (index > 0)
            names += index + 1 == named && named == unintended.size() ? " and " : ", ";
        names += keys.Designation(unintended[index]);
    }
    if (named < unintended.size())
        names += " and " + std::to_string(unintended.size() - named) + " more keys";
    return "It opens to " + names + " as well, " + (unintended.size() == 1 ? "which is" : "which are") +
           " not meant to open it.";
}

} // namespace varnholt::systems
