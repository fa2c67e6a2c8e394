#include "engine/KeySchedule.h"

#include "engine/Depth.h"
#include "engine/Designations.h"
#include "engine/KeyComposition.h"
#include "engine/RequestChecks.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

namespace varnholt {

std::string_view KeyLevelName(KeyLevel level) {
    switch (level) {
    case KeyLevel::TopMaster:
        return "top master";
    case KeyLevel::Master:
        return "master";
    case KeyLevel::SubMaster:
        return "sub-master";
    case KeyLevel::ChangeKey:
        return "change key";
    }
    return "";
}

namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

// A cell of the key bitting array as a number: its digit, or one of these.
constexpr int NoDepth = -1;   // "-"
constexpr int EmptyCell = -2; // a column the generation did not fill

// The longest designation an entry of the report has room for.
constexpr std::size_t DesignationLength = 4;

int DigitOf(const std::string& key, int chamber) {
    const std::size_t index = At(chamber - 1);
    if (index >= key.size() || key[index] < '0' || key[index] > '9')
        return 0;
    return key[index] - '0';
}

// One chamber that a level steps through columns 1..columns.
struct Wheel {
    int chamber = 0;
    int columns = 1;
};

// The chambers of one level stepping like an odometer: the first wheel fastest, each of the
// others moving on when the one before it comes round to its first column again.
class Odometer {
public:
    explicit Odometer(std::vector<Wheel> levelWheels)
        : wheels(std::move(levelWheels)), columns(wheels.size(), 1) {}

    const std::vector<Wheel>& Wheels() const { return wheels; }
    int Column(std::size_t wheel) const { return columns[wheel]; }
    void Restart() { std::fill(columns.begin(), columns.end(), 1); }

    std::int64_t Combinations() const {
        std::int64_t product = 1;
        for (const Wheel& wheel : wheels)
            product *= wheel.columns;
        return product;
    }

    // Moves to the next combination; false once every combination was had (and all start again).
    bool Advance() { return MoveOn() != 0; }

    // The same, telling how many wheels moved: the first ones, up to the one that stepped on;
    // 0 once every combination was had.
    std::size_t MoveOn() {
        for (std::size_t wheel = 0; wheel < wheels.size(); ++wheel) {
            if (++columns[wheel] <= wheels[wheel].columns)
                return wheel + 1;
            columns[wheel] = 1;
        }
        return 0;
    }

private:
    std::vector<Wheel> wheels;
    std::vector<int> columns;
};

// A key of the lowest master level, under which the change keys are listed.
// A key's bitting and, chamber by chamber, its cuts as numbers ([0] unused).
struct KeyDigits {
    std::array<char, MaxChambers> bitting{};
    ChamberValues cuts{};
};

struct LowestKey {
    KeyIndex master = NoKey;
    KeyIndex subMaster = NoKey;
    ShortText<DesignationLength> designation;
    long long masterAndSubValue = 0; // its master and sub-master chambers' share of the key number
    bool exists = false;
};

// The one enumeration of a system's keys, which the report, the exports and the saved system's
// fingerprint all read: the chambers of each level step in a fixed order of positions, so that
// every key comes out in the order the report lists it.
class ScheduleBuilder {
public:
    explicit ScheduleBuilder(const GenerationState& generation);
    KeySchedule Build();

private:
    void ReadChambers();
    void SortPositions();
    void BuildWheels();
    void WalkMasters();
    void WalkSubMasters(KeyIndex master, long long masterValue);
    // The index the next key takes, for the keys that others stand under.
    KeyIndex NextIndex() const;
    void WalkChangeKeys();
    void ListChangeKeysOf(const LowestKey& lowest, Odometer& odometer, ChamberValues& rotationValue);
    void TakeCells(const Odometer& odometer, ChamberValues& values, ChamberFlags* flags) const;
    // The change of the rotating chambers' share of the key number when the first `moved`
    // wheels take their cells.
    long long TakeMovedCells(const Odometer& odometer, std::size_t moved, ChamberValues& values,
                             KeyDigits* digits) const;
    bool AllUsable() const;
    // Adds the key with this number to the schedule, or the row of "-" when it cannot be formed.
    ScheduledKey& Compose(KeyLevel level, long long keyNumber, bool exists);
    ScheduledKey& Compose(KeyLevel level, const KeyDigits& digits, bool exists);
    KeyDigits DigitsOf(long long keyNumber) const;
    std::string CurrentDesignation() const;

    const GenerationState& state;
    int chambers = 0;
    std::optional<ComposedKeyRule> rule; // once the top master and control cuts are read
    std::array<char, MaxChambers + 1> role{};
    ChamberValues placeValue{};
    ChamberValues tmkCuts{};
    ChamberValues controlCuts{};
    ChamberValues usableDepths{};
    std::array<std::array<int, MaxProgressionColumns + 1>, MaxChambers + 1> cell{};

    // Chambers by position in the master pass (sub-master, master, change-key chambers) and in
    // the change-key pass (change-key chambers first); [0] unused.
    std::array<int, MaxChambers + 1> masterPassOrder{};
    std::array<int, MaxChambers + 1> changeKeyPassOrder{};
    Odometer masterWheels{{}};
    Odometer subMasterWheels{{}};
    Odometer changeKeyWheels{{}};
    // Whether every wheel turns a chamber no other wheel turns: then no digit of a key number
    // carries into the next, and each chamber's digit is the cell its wheel stands at.
    bool wheelsApart = false;
    std::int64_t masterLimit = 0;
    std::int64_t subMasterLimit = 0;

    ChamberValues value{}; // the positional value of every chamber of the master or sub-master in hand
    ChamberFlags usable{}; // whether each chamber's last cell held a depth
    DesignationLetters letters;
    KeySchedule keys;
    std::vector<LowestKey> lowestKeys;
};

ScheduleBuilder::ScheduleBuilder(const GenerationState& generation) : state(generation) {
    RequireChamberCount(state);
    if (state.ProgressionSteps < 0 || state.ProgressionSteps > MaxProgressionColumns)
        throw std::invalid_argument("progression steps " + std::to_string(state.ProgressionSteps) +
                                    " is not 0..8");
    if (state.IsICore && state.ControlChambers.size() < At(state.Chambers))
        throw std::invalid_argument("control chambers do not cover every chamber");
    chambers = state.Chambers;
    ReadChambers();
    rule.emplace(state, tmkCuts, controlCuts);
    SortPositions();
    BuildWheels();
}

void ScheduleBuilder::ReadChambers() {
    for (int c = chambers, weight = 1; c >= 1; --c, weight *= 10)
        placeValue[At(c)] = weight;
    for (int c = 1; c <= chambers; ++c) {
        role[At(c)] = At(c - 1) < state.ChamberRoles.size() ? state.ChamberRoles[At(c - 1)] : 'R';
        tmkCuts[At(c)] = DigitOf(state.TopMasterKey, c);
        controlCuts[At(c)] = state.IsICore ? DigitOf(state.ControlKey, c) : 0;
        for (int column = 1; column <= MaxProgressionColumns; ++column) {
            const std::string& text = state.ProgressionTable[At(c)][At(column)];
            cell[At(c)][At(column)] = text == "-" ? NoDepth : text.empty() ? EmptyCell : DigitValue(text[0]);
            if (column <= state.ProgressionSteps && text != "-")
                ++usableDepths[At(c)];
        }
    }
}

// Positions are sorted by exchanges of neighbours until none is out of place, which keeps the
// chambers of one role in chamber order: sub-master chambers first, then master chambers, then
// change-key chambers (the change keys step their own chambers first).
void ScheduleBuilder::SortPositions() {
    const auto sweepUntilSettled = [this](std::array<int, MaxChambers + 1>& order, auto mustExchange) {
        for (bool exchanged = true; exchanged;) {
            exchanged = false;
            for (int i = 2; i <= chambers && !exchanged; ++i) {
                if (mustExchange(role[At(order[At(i)])], role[At(order[At(i - 1)])])) {
                    std::swap(order[At(i - 1)], order[At(i)]);
                    exchanged = true;
                }
            }
        }
    };
    for (int p = 1; p <= chambers; ++p)
        masterPassOrder[At(p)] = p;
    sweepUntilSettled(masterPassOrder,
                      [](char r, char before) { return r == 'S' && (before == 'M' || before == 'R'); });
    sweepUntilSettled(masterPassOrder, [](char r, char before) { return r == 'M' && before == 'R'; });
    changeKeyPassOrder = masterPassOrder;
    sweepUntilSettled(changeKeyPassOrder,
                      [](char r, char before) { return r == 'R' && (before == 'M' || before == 'S'); });
}

void ScheduleBuilder::BuildWheels() {
    const int depthsInRange = (state.DeepestCut - state.ShallowestCut + 1) / state.StepIncrement;
    std::vector<Wheel> masters;
    std::vector<Wheel> subMasters;
    std::vector<Wheel> changeKeys;
    std::int64_t subMasterCombinations = 1;
    // At most six positions step masters and five sub-masters; the change keys step their
    // positions, the first of which counts whatever its role.
    for (int p = 1; p <= chambers; ++p) {
        const int c = masterPassOrder[At(p)];
        if (p <= 6 && role[At(c)] == 'M') {
            const int steps = usableDepths[At(c)];
            masters.push_back({c, steps == 0 || depthsInRange < steps ? 1 : steps});
        }
        if (p <= 5 && role[At(c)] == 'S') {
            subMasters.push_back({c, std::max(usableDepths[At(c)], 1)});
            subMasterCombinations *= usableDepths[At(c)];
        }
        const int rotating = changeKeyPassOrder[At(p)];
        if (p == 1 || role[At(rotating)] == 'R') {
            const int steps = role[At(rotating)] == 'R' ? usableDepths[At(rotating)] : 1;
            changeKeys.push_back({rotating, steps == 0 || steps > state.ProgressionSteps ? 1 : steps});
        }
    }
    masterWheels = Odometer(std::move(masters));
    subMasterWheels = Odometer(std::move(subMasters));
    changeKeyWheels = Odometer(std::move(changeKeys));
    std::array<int, MaxChambers + 1> wheelsOfChamber{};
    for (const Odometer* odometer : {&masterWheels, &subMasterWheels, &changeKeyWheels})
        for (const Wheel& wheel : odometer->Wheels())
            ++wheelsOfChamber[At(wheel.chamber)];
    wheelsApart = std::all_of(wheelsOfChamber.begin(), wheelsOfChamber.end(), [](int count) { return count <= 1; });
    masterLimit = std::min<std::int64_t>(state.MasterCount, masterWheels.Combinations());
    subMasterLimit = std::min<std::int64_t>(state.SubMasterCount, subMasterCombinations);
}

KeySchedule ScheduleBuilder::Build() {
    ScheduledKey top;
    top.level = KeyLevel::TopMaster;
    top.bitting = state.TopMasterKey.substr(0, At(chambers));
    keys.push_back(std::move(top));
    WalkMasters();
    WalkChangeKeys();
    return std::move(keys);
}

void ScheduleBuilder::TakeCells(const Odometer& odometer, ChamberValues& values, ChamberFlags* flags) const {
    const std::vector<Wheel>& wheels = odometer.Wheels();
    for (std::size_t w = 0; w < wheels.size(); ++w) {
        const int c = wheels[w].chamber;
        const int digit = cell[At(c)][At(odometer.Column(w))];
        // A chamber without a depth in this column keeps its last value; the key cannot be formed.
        if (flags != nullptr)
            (*flags)[At(c)] = digit != NoDepth;
        if (digit >= 0)
            values[At(c)] = digit * placeValue[At(c)];
    }
}

long long ScheduleBuilder::TakeMovedCells(const Odometer& odometer, std::size_t moved, ChamberValues& values,
                                          KeyDigits* digits) const {
    const std::vector<Wheel>& wheels = odometer.Wheels();
    long long change = 0;
    for (std::size_t w = 0; w < moved; ++w) {
        const int c = wheels[w].chamber;
        const int digit = cell[At(c)][At(odometer.Column(w))];
        if (digit >= 0) {
            const int taken = digit * placeValue[At(c)];
            change += taken - values[At(c)];
            values[At(c)] = taken;
            if (digits != nullptr) {
                digits->bitting[At(c - 1)] = static_cast<char>('0' + digit);
                digits->cuts[At(c)] = digit;
            }
        }
    }
    return change;
}

bool ScheduleBuilder::AllUsable() const {
    for (int c = 1; c <= chambers; ++c)
        if (!usable[At(c)])
            return false;
    return true;
}

std::string ScheduleBuilder::CurrentDesignation() const {
    return (letters.MasterDesignation + letters.SubDesignation).substr(0, DesignationLength);
}

KeyDigits ScheduleBuilder::DigitsOf(long long keyNumber) const {
    KeyDigits digits;
    WriteBittingOfKeyNumber(keyNumber, chambers, digits.bitting.data());
    for (int c = 1; c <= chambers; ++c)
        digits.cuts[At(c)] = digits.bitting[At(c - 1)] - '0';
    return digits;
}

ScheduledKey& ScheduleBuilder::Compose(KeyLevel level, long long keyNumber, bool exists) {
    if (!exists)
        return Compose(level, KeyDigits{}, false);
    return Compose(level, DigitsOf(keyNumber), true);
}

ScheduledKey& ScheduleBuilder::Compose(KeyLevel level, const KeyDigits& digits, bool exists) {
    ScheduledKey& key = keys.emplace_back();
    key.level = level;
    if (!exists) {
        key.bitting = std::string(At(chambers), '-');
        key.mark = '*';
        return key;
    }
    // The digits go straight into the key: no text on the heap for each of 300,000 keys.
    key.bitting = std::string_view(digits.bitting.data(), At(chambers));
    key.mark = rule->Mark(digits.cuts, key.bitting);
    return key;
}

void ScheduleBuilder::WalkMasters() {
    usable.fill(true);
    StartMasterDesignations(letters, state.MasterCount);
    // Without masters the top master alone stands above the change keys.
    const std::int64_t masters = state.MasterCount > 0 ? masterLimit : 1;
    for (std::int64_t m = 0; m < masters; ++m) {
        if (m > 0) {
            masterWheels.Advance();
            AdvanceMasterDesignation(letters);
        }
        for (int c = 1; c <= chambers; ++c)
            value[At(c)] = tmkCuts[At(c)] * placeValue[At(c)];
        TakeCells(masterWheels, value, &usable);
        long long keyNumber = 0;
        long long masterValue = 0;
        for (int c = 1; c <= chambers; ++c)
            keyNumber += value[At(c)];
        for (const Wheel& wheel : masterWheels.Wheels())
            masterValue += value[At(wheel.chamber)];

        KeyIndex master = NoKey;
        if (state.MasterCount > 0) {
            master = NextIndex();
            Compose(KeyLevel::Master, keyNumber, AllUsable()).designation = letters.MasterDesignation;
        }
        if (state.SubMasterCount > 0)
            WalkSubMasters(master, masterValue);
        else
            lowestKeys.push_back(
                {master, NoKey, ShortText<DesignationLength>(CurrentDesignation()), masterValue, AllUsable()});
    }
}

KeyIndex ScheduleBuilder::NextIndex() const {
    if (keys.size() >= NoKey)
        throw std::length_error("a system has more masters and sub-masters than a schedule can point at");
    return static_cast<KeyIndex>(keys.size());
}

void ScheduleBuilder::WalkSubMasters(KeyIndex master, long long masterValue) {
    StartSubDesignations(letters, state.MasterCount, state.SubMasterCount);
    subMasterWheels.Restart();
    // A sub-master level whose chambers hold no depth at all still forms its one key.
    const std::int64_t subMasters = std::max<std::int64_t>(subMasterLimit, 1);
    for (std::int64_t s = 0; s < subMasters; ++s) {
        if (s > 0) {
            subMasterWheels.Advance();
            AdvanceSubDesignation(letters, state.SubMasterCount);
        }
        TakeCells(subMasterWheels, value, &usable);
        long long keyNumber = 0;
        long long subMasterValue = masterValue;
        for (int c = 1; c <= chambers; ++c)
            keyNumber += value[At(c)];
        for (const Wheel& wheel : subMasterWheels.Wheels())
            subMasterValue += value[At(wheel.chamber)];

        const KeyIndex subMaster = NextIndex();
        ScheduledKey& key = Compose(KeyLevel::SubMaster, keyNumber, AllUsable());
        key.designation = CurrentDesignation();
        key.master = master;
        lowestKeys.push_back({master, subMaster, key.designation, subMasterValue, AllUsable()});
    }
}

void ScheduleBuilder::WalkChangeKeys() {
    if (state.ChangeKeyCount <= 0)
        return;
    const std::int64_t perLowestKey =
        std::min<std::int64_t>(state.ChangeKeyCount, changeKeyWheels.Combinations());
    keys.reserve(keys.size() + lowestKeys.size() * static_cast<std::size_t>(perLowestKey));
    // The change-key chambers keep their values from one key of the lowest level to the next.
    ChamberValues rotationValue{};
    for (const LowestKey& lowest : lowestKeys)
        ListChangeKeysOf(lowest, changeKeyWheels, rotationValue);
}

void ScheduleBuilder::ListChangeKeysOf(const LowestKey& lowest, Odometer& odometer,
                                       ChamberValues& rotationValue) {
    odometer.Restart();
    TakeCells(odometer, rotationValue, nullptr);
    // Each wheel is a chamber of its own, so only the wheels that moved change the key number,
    // and where no other level turns their chambers either, only their digits.
    long long keyNumber = lowest.masterAndSubValue;
    for (const Wheel& wheel : odometer.Wheels())
        keyNumber += rotationValue[At(wheel.chamber)];
    KeyDigits digits;
    if (wheelsApart && lowest.exists)
        digits = DigitsOf(keyNumber);
    int listed = 0;
    for (std::size_t moved = 1; moved != 0; moved = odometer.MoveOn()) {
        const bool digitsKept = wheelsApart && lowest.exists;
        keyNumber += TakeMovedCells(odometer, moved, rotationValue, digitsKept ? &digits : nullptr);
        ScheduledKey& key = digitsKept ? Compose(KeyLevel::ChangeKey, digits, true)
                                       : Compose(KeyLevel::ChangeKey, keyNumber, lowest.exists);
        key.designation = lowest.designation;
        key.master = lowest.master;
        key.subMaster = lowest.subMaster;
        key.listed = key.mark != '*';
        if (key.listed)
            key.changeKeyNumber = ++listed;
        if (listed >= state.ChangeKeyCount)
            return;
    }
}

} // namespace

KeySchedule ComputeKeySchedule(const GenerationState& state) {
    return ScheduleBuilder(state).Build();
}

} // namespace varnholt
