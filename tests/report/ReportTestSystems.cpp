#include "ReportTestSystems.h"

#include "definition/Capacity.h"
#include "engine/Progression.h"
#include "report/TForm3.h"

#include <cstdlib>
#include <stdexcept>

namespace varnholt::report::testing {

GenerationState MakeState(const TestSystem& system)
{
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

ReportRun RunReport(GenerationState& state)
{
    TForm3 form(state);
    ReportRun run;
    form.SetKeyListener([&run](const ScheduledKey& key) { run.keys.push_back(key); });
    run.document = form.StartReport();
    return run;
}

std::vector<std::vector<std::string>> OutputPages(const bands::Document& document)
{
    std::vector<std::vector<std::string>> pages;
    for (const bands::DocumentPage& page : document.pages)
        for (const bands::PrintedLabel& label : page.labels)
            if (label.name == "Output")
                pages.push_back(label.lines);
    return pages;
}

std::vector<std::string> ChangeKeyEntries(const bands::Document& document)
{
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

int Depth(char digit, bool zeroIsTen)
{
    const int value = digit - '0';
    return zeroIsTen && value == 0 ? 10 : value;
}

bool Usable(const GenerationState& state, const std::string& bitting)
{
    for (std::size_t i = 1; i < bitting.size(); ++i)
        if (std::abs(Depth(bitting[i], state.ZeroIsTen) - Depth(bitting[i - 1], state.ZeroIsTen)) >
            state.MaxAdjacentCut)
            return false;
    return bitting != state.ControlKey;
}

} // namespace

std::vector<std::string> ExpectedChangeKeys(const GenerationState& state, const std::string& baseBitting)
{
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
