#include "report/KbaPage.h"

#include "engine/Depth.h"
#include "engine/Pinning.h"
#include "engine/RequestChecks.h"
#include "engine/TextLayout.h"
#include "report/Printouts.h"

#include <stdexcept>

namespace varnholt::report {

namespace {

std::size_t Index(int value) {
    return static_cast<std::size_t>(value);
}

const std::string& Cell(const GenerationState& state, int chamber, int column) {
    return state.ProgressionTable[Index(chamber)][Index(column)];
}

bool HoldsDepth(const std::string& cell) {
    return !cell.empty() && cell != "-";
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// Characters 2 and 3 of chamber's 3-character piece in a pin text.
std::string PinOf(const std::string& pinsText, int chamber) {
    return pinsText.substr(Index(chamber - 1) * 3 + 1, 2);
}

void Add(std::vector<std::string>& lines, const std::string& line) {
    lines.push_back(CentreText(line, PageWidth));
}

std::string ArrayLine(const GenerationState& state, int column) {
    std::string line;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        if (chamber > 1)
            line += "  ";
        line += Cell(state, chamber, column);
    }
    return line;
}

std::string Separator(const GenerationState& state) {
    std::string line;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        line += "----------";
    return line + "-";
}

std::string CellLine(const GenerationState& state, int column) {
    std::string line;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        line += "|    " + Cell(state, chamber, column) + "    ";
    return line + "|";
}

void AddStandardPins(const GenerationState& state, int column, std::vector<std::string>& lines) {
    std::string bottomLine;
    std::string masterLine;
    std::string filler;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        const std::string& cell = Cell(state, chamber, column);
        std::string bottomPin = " ";
        std::string masterPin = " ";
        if (HoldsDepth(cell)) {
            const char topDigit = state.TopMasterKey[Index(chamber - 1)];
            const StandardPins pins = ComputeStandardPins(DepthOfDigit(cell[0], state.ZeroIsTen),
                                                          DepthOfDigit(topDigit, state.ZeroIsTen));
            bottomPin = std::to_string(pins.bottomPin);
            masterPin = pins.masterPin == 0 ? "-" : std::to_string(pins.masterPin);
        }
        bottomLine += "|BP=" + PadRight(bottomPin, 6);
        masterLine += "|MP=     " + masterPin;
        filler += "|         ";
    }
    Add(lines, bottomLine + "|");
    Add(lines, masterLine + "|");
    Add(lines, filler + "|");
    Add(lines, filler + "|");
}

void AddIcPins(GenerationState& state, int column, std::vector<std::string>& lines) {
    // A chamber without a depth in this column gets blank pins, as without a core; it never
    // enters the arithmetic.
    ChamberFlags holdsDepth{};
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        const std::string& cell = Cell(state, chamber, column);
        holdsDepth[Index(chamber)] = HoldsDepth(cell);
        state.KeyCuts[Index(chamber)] = HoldsDepth(cell) ? DigitValue(cell[0]) : 0;
    }
    bool pinsUsable = false;
    ComputeIcPinning(state, holdsDepth, pinsUsable);

    std::string bottomLine;
    std::string masterLine;
    std::string controlLine;
    std::string topLine;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        std::string bottomPin = PinOf(state.BottomPinsText, chamber);
        std::string masterPin = PinOf(state.MasterPinsText, chamber);
        std::string controlPin = PinOf(state.ControlPinsText, chamber);
        std::string topPin = PinOf(state.TopPinsText, chamber);
        if (controlPin.find('*') != std::string::npos)
            bottomPin = masterPin = controlPin = topPin = " *";
        bottomLine += "|BP=    " + bottomPin;
        masterLine += "|MP=    " + masterPin;
        controlLine += "|CP=    " + controlPin;
        topLine += "|TP=    " + topPin;
    }
    Add(lines, bottomLine + "|");
    Add(lines, masterLine + "|");
    Add(lines, controlLine + "|");
    Add(lines, topLine + "|");
}

void WritePage(GenerationState& state, std::vector<std::string>& lines) {
    std::string title = "KBA";
    if (state.ZeroIsTen)
        title += "  Note: Zero cuts represent a depth of 10";
    Add(lines, title + LineBreak);
    for (int column = 1; column <= state.ProgressionSteps; ++column)
        Add(lines, ArrayLine(state, column));
    Add(lines, std::string(1, LineBreak));
    Add(lines, Separator(state));

    for (int column = 1; column <= state.ProgressionSteps; ++column) {
        Add(lines, CellLine(state, column));
        if (state.IsICore)
            AddIcPins(state, column, lines);
        else
            AddStandardPins(state, column, lines);
        Add(lines, Separator(state));
    }
    // ComputeIcPinning marks the key of any column it cannot pin, and nothing here clears it.
    if (state.IsICore && state.KeyMark == '*')
        Add(lines, "'*' = Not compatable with the Control Key");
}

void FillCuts(ChamberValues& cuts, const std::string& bitting, int chambers) {
    cuts.fill(0);
    for (int chamber = 1; chamber <= chambers; ++chamber)
        cuts[Index(chamber)] = DigitValue(bitting[Index(chamber - 1)]);
}

} // namespace

std::vector<std::string> BuildKbaPage(const GenerationState& system) {
    RequireGenerationRequest(system);
    if (system.IsICore)
        RequireControlKeyData(system);
    if (system.ProgressionSteps < 0 || system.ProgressionSteps > MaxProgressionColumns)
        throw std::invalid_argument("progression steps " + std::to_string(system.ProgressionSteps) +
                                    " is not 0..8");

    // The pinning works in a state of its own, so the page tells of its own pins only and
    // the system stays as it was.
    GenerationState state = system;
    FillCuts(state.TmkCuts, state.TopMasterKey, state.Chambers);
    if (state.IsICore)
        FillCuts(state.ControlCuts, state.ControlKey, state.Chambers);
    else
        state.ControlCuts.fill(0);
    state.KeyMark = ' ';
    state.KeyCuts.fill(0);
    state.BottomPinsText.clear();
    state.MasterPinsText.clear();
    state.ControlPinsText.clear();
    state.TopPinsText.clear();

    std::vector<std::string> pageLines;
    WritePage(state, pageLines);
    return pageLines;
}

} // namespace varnholt::report
