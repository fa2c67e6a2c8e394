#include "report/Printouts.h"

#include "bands/Label.h"
#include "engine/TextLayout.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace varnholt::report {

namespace {

constexpr int MasterListLineLimit = 64;
// Each change key is right-aligned in a column this wide.
constexpr int ChangeKeyColumnWidth = 20;
constexpr int SubMasterLineLimit = 45;

std::string Centred(std::string_view text) {
    return CentreText(text, PageWidth);
}

std::string WithReturn(std::string text) {
    text += LineBreak;
    return text;
}

std::string Title(const GenerationState& state) {
    return Centred(state.MfgName + " " + std::to_string(state.Chambers) + " Pin");
}

std::string MasterKeyLine(const GenerationState& state) {
    const char* prefix = state.MasterCount > 0 ? "The Grand Master Key = " : "The Master Key       = ";
    return Centred(prefix + state.TopMasterKey);
}

std::string ControlKeyLine(const GenerationState& state) {
    if (state.IsICore)
        return Centred("The Control Key      = " + state.ControlKey);
    return Centred("");
}

// Entries beyond the table read as empty, so that the layouts may look one block ahead.
std::string_view EntryOrEmpty(const ReportState& report, int number) {
    if (number < 1 || number > EntryTableSize)
        return {};
    return report.Entry(number);
}

void AddLine(ReportState& report, std::string line) {
    report.ReportLines.push_back(std::move(line));
}

} // namespace

std::string Separator() {
    return std::string(70, '*');
}

void BuildCoverSheet(const GenerationState& state, ReportState& report, bands::Label& RCoverSheet) {
    report.ReportLines.clear();
    RCoverSheet.ClearLines();
    const std::string lineBreak(1, LineBreak);
    for (int i = 0; i < 4; ++i)
        AddLine(report, lineBreak);
    AddLine(report, WithReturn(Title(state)));
    for (int i = 0; i < 3; ++i)
        AddLine(report, lineBreak);
    AddLine(report, WithReturn(MasterKeyLine(state)));
    AddLine(report, WithReturn(ControlKeyLine(state)));
    for (int i = 0; i < 3; ++i)
        AddLine(report, lineBreak);
    AddLine(report, WithReturn(Centred("KBA")));
    for (int column = 1; column <= state.ProgressionSteps; ++column) {
        std::string row;
        for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
            if (chamber > 1)
                row += "  ";
            row +=
                state.ProgressionTable[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(column)];
        }
        AddLine(report, Centred(row));
    }
    RCoverSheet.SetLines(std::move(report.ReportLines));
    report.ReportLines.clear();
}

void BuildPageHeader(const GenerationState& state, ReportState& report, bands::Label& RHeader) {
    report.ReportLines.clear();
    AddLine(report, Centred(Separator()));
    AddLine(report, Title(state));
    AddLine(report, MasterKeyLine(state));
    AddLine(report, ControlKeyLine(state));
    AddLine(report, PadLeft("Page No.", ' ', 65));
    AddLine(report, WithReturn(Centred(Separator())));
    RHeader.SetLines(std::move(report.ReportLines));
    report.ReportLines.clear();
}

void MasterListHeading(ReportState& report) {
    std::string heading = PadLeft("Master", ' ', 13);
    for (int entry = 2; entry <= 4; ++entry)
        if (!report.Entry(entry).empty())
            heading += PadLeft("Master", ' ', 24);
    AddLine(report, std::move(heading));
    ++report.LineCount;
}

void LayOutMasterList(ReportState& report) {
    // An empty table gives no lines at all, not even blank ones.
    if (report.FirstEntryEmpty())
        return;
    MasterListHeading(report);
    for (int i = 1; !EntryOrEmpty(report, i).empty(); i += 4) {
        std::string line = PadLeft(report.Entry(i), ' ', 15);
        for (int next = i + 1; next <= i + 3 && !EntryOrEmpty(report, next).empty(); ++next)
            AppendPadLeft(line, report.Entry(next), ' ', 24);
        AddLine(report, std::move(line));
        ++report.LineCount;
    }
    report.PageFull = report.LineCount > MasterListLineLimit;
}

void LayOutSubMasterBlock(ReportState& report) {
    if (report.FirstEntryEmpty())
        return;
    AddLine(report, Centred(std::string("Master Key  ").append(report.Entry(1))));
    AddLine(report, " ");
    report.LineCount += 2;
    for (int i = 1;; i += 4) {
        std::string line(EntryOrEmpty(report, i + 1));
        for (int next = i + 2; next <= i + 4; ++next) {
            const std::string_view entry = EntryOrEmpty(report, next);
            if (!entry.empty())
                AppendPadLeft(line, entry, ' ', 15);
        }
        // A row without sub-masters is neither printed nor counted.
        if (!line.empty()) {
            AddLine(report, Centred(line));
            ++report.LineCount;
        }
        if (EntryOrEmpty(report, i + 4).empty())
            break;
    }
    AddLine(report, Centred(Separator()));
    ++report.LineCount;
    report.LinesBuilt = true;
    report.PageFull = report.LineCount > SubMasterLineLimit;
}

void LayOutChangeKeyColumns(ReportState& report) {
    if (report.FirstEntryEmpty())
        return;
    ++report.LineCount;
    // A line is put together in place and becomes a text once: the largest system has 70,000.
    std::array<char, ChangeKeyColumns * (ChangeKeyColumnWidth + EntryLength)> line{};
    report.ReportLines.reserve(report.ReportLines.size() + ChangeKeyRows);
    for (int i = 1; !EntryOrEmpty(report, i).empty() && report.LineCount <= ChangeKeyRows; ++i) {
        std::size_t length = WritePadLeft(line.data(), report.Entry(i), ' ', ChangeKeyColumnWidth);
        for (int next = i + ChangeKeyRows; next < i + ChangeKeyEntriesPerPage; next += ChangeKeyRows) {
            const std::string_view entry = EntryOrEmpty(report, next);
            if (!entry.empty())
                length += WritePadLeft(line.data() + length, entry, ' ', ChangeKeyColumnWidth);
        }
        AddLine(report, std::string(line.data(), length));
        ++report.LineCount;
    }
    report.LinesBuilt = true;
    report.PageFull = report.LineCount > ChangeKeyRows;
    if (report.PageFull)
        report.LineCount = 0;
}

} // namespace varnholt::report
