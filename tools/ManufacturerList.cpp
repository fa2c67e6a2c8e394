#include "ManufacturerList.h"

#include "Diagnostics.h"

#include "bands/JsonOutput.h"

#include <algorithm>

namespace varnholt::tools {

namespace {

std::size_t CharacterCount(const std::string& text) {
    // UTF-8 continuation bytes do not start a character.
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
    }));
}

std::string PaddedRight(const std::string& text, std::size_t width) {
    const std::size_t length = CharacterCount(text);
    return length >= width ? text : text + std::string(width - length, ' ');
}

std::string Range(int low, int high) {
    return low == high ? std::to_string(low) : std::to_string(low) + "-" + std::to_string(high);
}

std::string CoreText(const manufacturers::ManufacturerRecord& record) {
    if (!record.IsICore)
        return "-";
    return "factor " + std::to_string(record.ControlFactor) + ", stack " + std::to_string(record.StackTotal) +
           ", control chambers " +
           (record.ControlChambers.empty() ? std::string("none") : EscapedControls(record.ControlChambers));
}

} // namespace

std::string ManufacturerListText(std::span<const manufacturers::ManufacturerRecord> records) {
    // A control character in a name would forge a row or reach the terminal: the names are shown
    // with escapes, as messages show them.
    std::vector<std::string> names;
    std::size_t nameWidth = 4;
    for (const auto& record : records) {
        names.push_back(EscapedControls(record.Name));
        nameWidth = std::max(nameWidth, CharacterCount(names.back()));
    }
    std::string text =
        "Record  " + PaddedRight("Name", nameWidth) + "  Chambers  Depths  Step  M.A.C.S  Core\n";
    std::size_t number = 0;
    for (const auto& record : records) {
        ++number;
        const std::string recordNumber = std::to_string(number);
        text += std::string(6 - std::min<std::size_t>(6, recordNumber.size()), ' ') + recordNumber + "  ";
        text += PaddedRight(names[number - 1], nameWidth) + "  ";
        text += PaddedRight(Range(record.MinChambers, record.MaxChambers()), 8) + "  ";
        text += PaddedRight(Range(record.ShallowestCut, record.DeepestCut), 6) + "  ";
        text += PaddedRight(std::to_string(record.StepIncrement), 4) + "  ";
        text += PaddedRight(
            record.MaxAdjacentCut == 0 ? std::string("none") : std::to_string(record.MaxAdjacentCut), 7);
        text += "  " + CoreText(record) + "\n";
    }
    return text;
}

std::string ManufacturerListJson(std::span<const manufacturers::ManufacturerRecord> records) {
    std::string json = "{\"manufacturers\": [";
    std::size_t number = 0;
    for (const auto& record : records) {
        json += number == 0 ? "\n" : ",\n";
        ++number;
        json += "{\"record\": " + std::to_string(number) + ", \"name\": " + bands::QuoteJson(record.Name) +
                ", \"minChambers\": " + std::to_string(record.MinChambers) +
                ", \"maxChambers\": " + std::to_string(record.MaxChambers()) +
                ", \"shallowestCut\": " + std::to_string(record.ShallowestCut) +
                ", \"deepestCut\": " + std::to_string(record.DeepestCut) +
                ", \"step\": " + std::to_string(record.StepIncrement) +
                ", \"macs\": " + std::to_string(record.MaxAdjacentCut) +
                ", \"interchangeableCore\": " + (record.IsICore ? "true" : "false") +
                ", \"controlFactor\": " + std::to_string(record.ControlFactor) +
                ", \"stackTotal\": " + std::to_string(record.StackTotal) +
                ", \"controlChambers\": " + bands::QuoteJson(record.ControlChambers) + "}";
    }
    json += "\n]}\n";
    return json;
}

} // namespace varnholt::tools
