#include "ReportTestSystems.h"

#include "FuzzedRequest.h"

#include "definition/Capacity.h"
#include "engine/Progression.h"
#include "report/TForm3.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace varnholt::report::testing {

GenerationState MakeState(const TestSystem& system) {
    GenerationState state;
    state.MfgName = system.manufacturer;
    state.Chambers = system.chambers;
    state.ShallowestCut = system.shallowestCut;
    state.DeepestCut = system.deepestCut;
    state.StepIncrement = system.stepIncrement;
    state.MaxAdjacentCut = system.maxAdjacentCut == 0 ? 20 : system.maxAdjacentCut;
    state.ZeroIsTen = system.deepestCut == 10;
    state.IsICore = system.isICore;
    state.ControlChambers = system.controlChambers;
    state.ControlFactor = system.controlFactor;
    state.StackTotal = system.stackTotal;
    state.TopMasterKey = system.topMasterKey;
    state.ControlKey = system.controlKey;

    const int dialogSteps =
        definition::DialogProgressionSteps(system.shallowestCut, system.deepestCut, system.stepIncrement);
    std::optional<std::int64_t> keys;
    if (system.changeKeys)
        keys = *system.changeKeys;
    const definition::QuantityPlan plan =
        definition::PlanQuantities(system.masters, system.subMasters, keys, dialogSteps, system.chambers);
    if (plan.refusal)
        throw std::invalid_argument("the dialog refuses this system: " + *plan.refusal);
    state.MasterCount = static_cast<int>(plan.masterCount);
    state.SubMasterCount = static_cast<int>(plan.subMasterCount);
    state.ChangeKeyCount = static_cast<int>(plan.changeKeyCount);
    state.MasterChamberCount = plan.chamberCounts.masterChambers;
    state.SubMasterChamberCount = plan.chamberCounts.subMasterChambers;
    state.ChamberRoles = plan.chamberRoles;
    ClearProgressionTable(state);
    GenerateProgression(state);
    return state;
}

ReportRun RunReport(const GenerationState& state) {
    TForm3 form;
    ReportRun run;
    form.SetKeyListener([&run](const ScheduledKey& key) { run.keys.push_back(key); });
    run.document = form.StartReport(state);
    return run;
}

std::vector<std::vector<std::string>> OutputPages(const bands::Document& document) {
    std::vector<std::vector<std::string>> pages;
    for (const bands::DocumentPage& page : document.pages)
        for (const bands::PrintedLabel& label : page.labels)
            if (label.name == "Output")
                pages.push_back(label.lines);
    return pages;
}

std::vector<std::string> ChangeKeyEntries(const bands::Document& document) {
    std::vector<std::string> entries;
    for (const auto& lines : OutputPages(document)) {
        for (std::size_t column = 0; column < 4; ++column) {
            for (const std::string& line : lines) {
                if (line.size() < (column + 1) * 20)
                    continue;
                std::string cell = line.substr(column * 20, 20);
                cell.erase(0, cell.find_first_not_of(' '));
                entries.push_back(cell);
            }
        }
    }
    return entries;
}

namespace {

// The systems of the batch command's golden reports, with the same manufacturers.
std::vector<TestSystem> GoldenSystems() {
    const auto manufacturer = [](std::string name, int shallowest, int deepest, int step,
                                 int maxAdjacentCut) {
        TestSystem system;
        system.manufacturer = std::move(name);
        system.shallowestCut = shallowest;
        system.deepestCut = deepest;
        system.stepIncrement = step;
        system.maxAdjacentCut = maxAdjacentCut;
        return system;
    };
    const TestSystem brandt = manufacturer("BRANDT", 0, 9, 2, 7);
    const TestSystem kessler = manufacturer("KESSLER", 0, 9, 1, 0);
    const TestSystem orlov = manufacturer("ORLOV", 1, 10, 1, 6);
    const TestSystem tanner = manufacturer("TANNER", 0, 9, 3, 5);
    const TestSystem weiss = manufacturer("WEISS", 0, 9, 4, 9);
    TestSystem coreline = manufacturer("CORELINE", 0, 9, 1, 7);
    coreline.isICore = true;
    coreline.controlChambers = "YNYNYNN";
    coreline.controlFactor = 6;
    coreline.stackTotal = 23;

    std::vector<TestSystem> systems;
    const auto add = [&systems](TestSystem system, int chambers, std::string topMasterKey, int masters,
                                int subMasters, std::optional<int> changeKeys) {
        system.chambers = chambers;
        system.topMasterKey = std::move(topMasterKey);
        system.masters = masters;
        system.subMasters = subMasters;
        system.changeKeys = changeKeys;
        systems.push_back(std::move(system));
    };
    add(brandt, 5, "24613", 0, 0, std::nullopt);
    add(brandt, 6, "246135", 30, 0, 3);
    add(kessler, 7, "2461357", 23, 30, 1);
    add(orlov, 4, "9085", 3, 0, 12);
    add(tanner, 5, "25852", 2,
        static_cast<int>(definition::SubMastersAvailable(2, definition::DialogProgressionSteps(0, 9, 3), 5)),
        std::nullopt);
    add(weiss, 6, "258147", 0, 0, std::nullopt);
    add(kessler, 3, "469", 0, 0, std::nullopt);
    coreline.controlKey = "357246";
    add(coreline, 6, "246135", 2, 0, 10);
    return systems;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

int Depth(char digit, bool zeroIsTen) {
    const int value = digit - '0';
    return zeroIsTen && value == 0 ? 10 : value;
}

bool Usable(const GenerationState& state, const std::string& bitting) {
    for (std::size_t i = 1; i < bitting.size(); ++i)
        if (std::abs(Depth(bitting[i], state.ZeroIsTen) - Depth(bitting[i - 1], state.ZeroIsTen)) >
            state.MaxAdjacentCut)
            return false;
    return bitting != state.ControlKey;
}

} // namespace

std::vector<GenerationState> AgreementSystems() {
    std::vector<GenerationState> states;
    for (const TestSystem& system : GoldenSystems())
        states.push_back(MakeState(system));
    for (const auto& entry : std::filesystem::directory_iterator(VARNHOLT_REPORT_FUZZ_CORPUS))
        if (auto state = fuzz::DrawAcceptedRequest(ReadBytes(entry.path())))
            states.push_back(std::move(*state));
    std::mt19937 random(20240613);
    std::vector<std::uint8_t> bytes(48);
    for (int accepted = 0; accepted < 400;) {
        for (std::uint8_t& byte : bytes)
            byte = static_cast<std::uint8_t>(random() % 256);
        if (auto state = fuzz::DrawAcceptedRequest(bytes)) {
            states.push_back(std::move(*state));
            ++accepted;
        }
    }
    return states;
}

std::vector<std::string> ExpectedChangeKeys(const GenerationState& state, const std::string& baseBitting) {
    std::vector<int> changeChambers;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        if (state.ChamberRoles[static_cast<std::size_t>(chamber - 1)] == 'R')
            changeChambers.push_back(chamber);
    std::vector<std::string> keys;
    std::vector<int> column(changeChambers.size(), 1);
    const auto usableColumns = [&](int chamber) {
        int count = 0;
        for (int c = 1; c <= state.ProgressionSteps; ++c)
            if (state.ProgressionTable[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(c)] != "-")
                ++count;
        return count;
    };
    while (true) {
        std::string bitting = baseBitting;
        for (std::size_t i = 0; i < changeChambers.size(); ++i) {
            const auto chamber = static_cast<std::size_t>(changeChambers[i]);
            bitting[chamber - 1] = state.ProgressionTable[chamber][static_cast<std::size_t>(column[i])][0];
        }
        if (Usable(state, bitting))
            keys.push_back(bitting);
        std::size_t i = 0;
        while (i < column.size() && ++column[i] > usableColumns(changeChambers[i])) {
            column[i] = 1;
            ++i;
        }
        if (i == column.size())
            break;
    }
    return keys;
}

} // namespace varnholt::report::testing
