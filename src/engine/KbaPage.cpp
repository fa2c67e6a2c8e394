#include "engine/KbaPage.h"

#include "engine/Depth.h"
#include "engine/Pinning.h"
#include "engine/RequestChecks.h"
#include "engine/TextLayout.h"

#include <stdexcept>

namespace varnholt {

namespace {

constexpr int PageWidth = 90;

std::size_t Index(int value)
{
    return static_cast<std::size_t>(value);
}

const std::string& Cell(const GenerationState& state, int chamber, int column)
{
    return state.ProgressionTable[Index(chamber)][Index(column)];
}

bool HoldsDepth(const std::string& cell)
{
    return !cell.empty() && cell != "-";
}

std::string PadRight(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// Characters 2 and 3 of chamber's 3-character piece in a pin text.
std::string PinOf(const std::string& pinsText, int chamber)
{
    return pinsText.substr(Index(chamber - 1) * 3 + 1, 2);
}

class KbaPageWriter {
public:
    KbaPageWriter(GenerationState& state, std::vector<std::string>& lines)
        : state_(state), lines_(lines)
    {
    }

    void Write()
    {
        std::string title = "KBA";
        if (state_.ZeroIsTen)
            title += "  Note: Zero cuts represent a depth of 10";
        Add(title + LineBreak);
        for (int column = 1; column <= state_.ProgressionSteps; ++column)
            Add(ArrayLine(column));
        Add(std::string(1, LineBreak));
        Add(Separator());

        for (int column = 1; column <= state_.ProgressionSteps; ++column) {
            Add(CellLine(column));
            if (state_.IsICore)
                AddIcPins(column);
            else
                AddStandardPins(column);
            Add(Separator());
        }
        if (state_.IsICore && state_.KeyMark == '*')
            Add("'*' = Not compatable with the Control Key");
    }

private:
    void Add(const std::string& line) { lines_.push_back(CentreText(line, PageWidth)); }

    std::string ArrayLine(int column) const
    {
        std::string line;
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber) {
            if (chamber > 1)
                line += "  ";
            line += Cell(state_, chamber, column);
        }
        return line;
    }

    std::string Separator() const
    {
        std::string line;
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber)
            line += "----------";
        return line + "-";
    }

    std::string CellLine(int column) const
    {
        std::string line;
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber)
            line += "|    " + Cell(state_, chamber, column) + "    ";
        return line + "|";
    }

    void AddStandardPins(int column)
    {
        std::string bottomLine;
        std::string masterLine;
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber) {
            const std::string& cell = Cell(state_, chamber, column);
            std::string bottomPin = " ";
            std::string masterPin = " ";
            if (HoldsDepth(cell)) {
                const char topDigit = state_.TopMasterKey[Index(chamber - 1)];
                const StandardPins pins = ComputeStandardPins(DepthOfDigit(cell[0], state_.ZeroIsTen),
                                                              DepthOfDigit(topDigit, state_.ZeroIsTen));
                bottomPin = std::to_string(pins.bottomPin);
                masterPin = pins.masterPin == 0 ? "-" : std::to_string(pins.masterPin);
            }
            bottomLine += "|BP=" + PadRight(bottomPin, 6);
            masterLine += "|MP=     " + masterPin;
        }
        Add(bottomLine + "|");
        Add(masterLine + "|");
        std::string filler;
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber)
            filler += "|         ";
        Add(filler + "|");
        Add(filler + "|");
    }

    void AddIcPins(int column)
    {
        // A chamber without a depth in this column gets blank pins, as without a core; it never
        // enters the arithmetic.
        ChamberFlags holdsDepth{};
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber) {
            const std::string& cell = Cell(state_, chamber, column);
            holdsDepth[Index(chamber)] = HoldsDepth(cell);
            state_.KeyCuts[Index(chamber)] = HoldsDepth(cell) ? DigitValue(cell[0]) : 0;
        }
        bool pinsUsable = false;
        ComputeIcPinning(state_, holdsDepth, pinsUsable);

        std::string bottomLine;
        std::string masterLine;
        std::string controlLine;
        std::string topLine;
        for (int chamber = 1; chamber <= state_.Chambers; ++chamber) {
            std::string bottomPin = PinOf(state_.BottomPinsText, chamber);
            std::string masterPin = PinOf(state_.MasterPinsText, chamber);
            std::string controlPin = PinOf(state_.ControlPinsText, chamber);
            std::string topPin = PinOf(state_.TopPinsText, chamber);
            if (controlPin.find('*') != std::string::npos)
                bottomPin = masterPin = controlPin = topPin = " *";
            bottomLine += "|BP=    " + bottomPin;
            masterLine += "|MP=    " + masterPin;
            controlLine += "|CP=    " + controlPin;
            topLine += "|TP=    " + topPin;
        }
        Add(bottomLine + "|");
        Add(masterLine + "|");
        Add(controlLine + "|");
        Add(topLine + "|");
    }

    GenerationState& state_;
    std::vector<std::string>& lines_;
};

void FillCuts(ChamberValues& cuts, const std::string& bitting, int chambers)
{
    cuts.fill(0);
    for (int chamber = 1; chamber <= chambers; ++chamber)
        cuts[Index(chamber)] = DigitValue(bitting[Index(chamber - 1)]);
}

} // namespace

void BuildKbaPage(GenerationState& state, std::vector<std::string>& pageLines)
{
    RequireGenerationRequest(state);
    if (state.IsICore)
        RequireControlKeyData(state);
    if (state.ProgressionSteps < 0 || state.ProgressionSteps > MaxProgressionColumns)
        throw std::invalid_argument("progression steps " + std::to_string(state.ProgressionSteps) + " is not 0..8");

    FillCuts(state.TmkCuts, state.TopMasterKey, state.Chambers);
    if (state.IsICore)
        FillCuts(state.ControlCuts, state.ControlKey, state.Chambers);
    else
        state.ControlCuts.fill(0);
    // The note under the page tells of this page's pins only, never of a key composed earlier.
    state.KeyMark = ' ';
    state.KeyCuts.fill(0);

    pageLines.clear();
    KbaPageWriter(state, pageLines).Write();
}

} // namespace varnholt
