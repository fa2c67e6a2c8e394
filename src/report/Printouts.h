#pragma once

#include "engine/GenerationState.h"
#include "report/ReportState.h"

#include <string>

namespace varnholt::bands {
class Label;
}

// The report's page text: the cover sheet and page header from the request, and the key entries
// laid out as lines of fixed-pitch text, counted so that the driver prints a page when it is full.
namespace varnholt::report {

// The width of a line in characters of the report's fixed-pitch font; most lines are centred on it.
inline constexpr int PageWidth = 90;
// Ends a line with a line break; the band that prints the lines decides how to show it.
inline constexpr char LineBreak = '\r';

// The key lists: a page of change keys has four columns of 50, a page of masters is printed
// once 208 are waiting.
inline constexpr int ChangeKeyRows = 50;
inline constexpr int ChangeKeyColumns = 4;
inline constexpr int ChangeKeyEntriesPerPage = ChangeKeyColumns * ChangeKeyRows;
inline constexpr int MasterEntriesPerPage = 208;

// Seventy asterisks between the blocks of a page.
std::string Separator();

// The manufacturer, the chambers, the top master and control keys and the key bitting array.
void BuildCoverSheet(const GenerationState& state, ReportState& report, bands::Label& RCoverSheet);

// The title block of every page; "Page No." ends in column 65 beside the page number label.
void BuildPageHeader(const GenerationState& state, ReportState& report, bands::Label& RHeader);

// Masters four to a line under a heading (master pass without sub-masters).
void LayOutMasterList(ReportState& report);
void MasterListHeading(ReportState& report);

// One master (entry 1) with its sub-masters (entries 2 and on), four to a line.
void LayOutSubMasterBlock(ReportState& report);

// Up to a page of change keys, down the columns one after the other.
void LayOutChangeKeyColumns(ReportState& report);

} // namespace varnholt::report
