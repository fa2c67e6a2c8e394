#include "ManufacturerList.h"

#include "Diagnostics.h"

#include "bands/JsonOutput.h"
#include "manufacturers/RecordValidity.h"

#include <algorithm>
#include <cstdint>
#include <optional>

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

std::string Range(std::int64_t low, std::int64_t high) {
    return low == high ? std::to_string(low) : std::to_string(low) + "-" + std::to_string(high);
}

// Wide enough for any two values a damaged record holds.
std::int64_t MaxChambers(const manufacturers::ManufacturerRecord& record) {
    return std::int64_t{record.MinChambers} + record.ChamberChoices - 1;
}

// What is wrong with the record on one line.
std::optional<std::string> Damage(const DatabaseRecord& listed) {
    auto damage = manufacturers::FindRecordDamage(listed.bytes);
    if (damage)
        std::replace(damage->begin(), damage->end(), '\n', ' ');
    return damage;
}

std::string CoreText(const manufacturers::ManufacturerRecord& record) {
    if (!record.IsICore)
        return "-";
    return "factor " + std::to_string(record.ControlFactor) + ", stack " + std::to_string(record.StackTotal) +
           ", control chambers " +
           (record.ControlChambers.empty() ? std::string("none") : EscapedControls(record.ControlChambers));
}

} // namespace

std::string ManufacturerListText(std::span<const DatabaseRecord> records) {
    // A control character in a name would forge a row or reach the terminal: the names are shown
    // with escapes, as messages show them.
    std::vector<std::string> names;
    std::size_t nameWidth = 4;
    for (const auto& listed : records) {
        names.push_back(EscapedControls(listed.record.Name));
        nameWidth = std::max(nameWidth, CharacterCount(names.back()));
    }
    std::string text =
        "Record  " + PaddedRight("Name", nameWidth) + "  Chambers  Depths  Step  M.A.C.S  Core\n";
    std::size_t number = 0;
    for (const auto& listed : records) {
        const manufacturers::ManufacturerRecord& record = listed.record;
        ++number;
        const std::string recordNumber = std::to_string(number);
        text += std::string(6 - std::min<std::size_t>(6, recordNumber.size()), ' ') + recordNumber + "  ";
        text += PaddedRight(names[number - 1], nameWidth) + "  ";
        text += PaddedRight(Range(record.MinChambers, MaxChambers(record)), 8) + "  ";
        text += PaddedRight(Range(record.ShallowestCut, record.DeepestCut), 6) + "  ";
        text += PaddedRight(std::to_string(record.StepIncrement), 4) + "  ";
        text += PaddedRight(
            record.MaxAdjacentCut == 0 ? std::string("none") : std::to_string(record.MaxAdjacentCut), 7);
        text += "  " + CoreText(record);
        if (const auto damage = Damage(listed))
            text += "  DAMAGED: " + EscapedControls(*damage);
        text += "\n";
    }
    return text;
}

std::string ManufacturerListJson(std::span<const DatabaseRecord> records) {
    std::string json = "{\"manufacturers\": [";
    std::size_t number = 0;
    for (const auto& listed : records) {
        const manufacturers::ManufacturerRecord& record = listed.record;
        const auto damage = Damage(listed);
        json += number == 0 ? "\n" : ",\n";
        ++number;
        json += "{\"record\": " + std::to_string(number) + ", \"name\": " + bands::QuoteJson(record.Name) +
                ", \"minChambers\": " + std::to_string(record.MinChambers) +
                ", \"maxChambers\": " + std::to_string(MaxChambers(record)) +
                ", \"shallowestCut\": " + std::to_string(record.ShallowestCut) +
                ", \"deepestCut\": " + std::to_string(record.DeepestCut) +
                ", \"step\": " + std::to_string(record.StepIncrement) +
                ", \"macs\": " + std::to_string(record.MaxAdjacentCut) +
                ", \"interchangeableCore\": " + (record.IsICore ? "true" : "false") +
                ", \"controlFactor\": " + std::to_string(record.ControlFactor) +
                ", \"stackTotal\": " + std::to_string(record.StackTotal) +
                ", \"controlChambers\": " + bands::QuoteJson(record.ControlChambers) +
                ", \"damage\": " + (damage ? bands::QuoteJson(*damage) : std::string("null")) + "}";
    }
    json += "\n]}\n";
    return json;
}

} // namespace varnholt::tools
