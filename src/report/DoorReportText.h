#pragma once

#include "engine/GenerationState.h"
#include "systems/Door.h"
#include "systems/DoorSchedule.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The page text of the keying schedule and the lost-key list: plain lines of at most 90
// characters for the fixed-pitch page, each block one record of its report.
namespace varnholt::report {

inline constexpr std::size_t DoorPageWidth = 90;

// Pieces laid on lines of at most width characters, never broken inside a piece; a line that
// goes on ends with the separator's mark (", " leaves ","). indent goes before every line.
std::vector<std::string> PackedLines(const std::vector<std::string>& pieces, std::string_view separator,
                                     std::size_t indent, std::size_t width = DoorPageWidth);

// The running head of a door report: the system, the report's name and the job number, cut to
// end before "Page", which stands at the end.
std::string DoorReportHeading(const KeySystemRequest& request, std::string_view reportName,
                              std::string_view jobNumber, std::size_t pageColumn);

// The keying schematic, one block per key above the change keys in key-list order: the key,
// indented by its level, with the range of its change keys, and under it every key of its own
// that doors are keyed to with their numbers ("AA *" for the doors every key under AA opens).
std::vector<std::vector<std::string>> SchematicBlocks(const std::vector<systems::Door>& doors,
                                                      const systems::DoorSchedule& checked);

// What the signs of the keying schedule mean.
std::vector<std::string> KeyingScheduleLegend(const KeySystemRequest& request);

// One door: number, location, cylinders, keyed to, the keys meant to open it, the pins per
// chamber, what opens it, the unintended keys in words, notes, and why it cannot be used.
std::vector<std::string> DoorBlock(const KeySystemRequest& request, const systems::Door& door,
                                   const systems::CheckedDoor& checked, const systems::KeyDirectory& keys);

// The pins of a door's cylinder chamber by chamber ("1: 3/2"), as the keying schedule prints them.
std::vector<std::string> ChamberPins(const DoorCylinder& cylinder, int chambers);

// The summary, one block a section: the counts, doors per key, keyed-alike groups, the reserve,
// the exposed and the unusable doors.
std::vector<std::vector<std::string>> SummaryBlocks(const std::vector<systems::Door>& doors,
                                                    const systems::DoorSchedule& checked);

// The listed keys as ranges: consecutive change keys of one key run together ("AA 1 to AA 5").
std::vector<std::string> KeyRanges(const std::vector<std::size_t>& keys, const systems::KeyDirectory& directory);

// The lost-key list's sentence on what the key opens.
std::vector<std::string> LostKeyVerdict(std::string_view designation, const std::vector<systems::LostKeyDoor>& opened,
                                        std::size_t doorCount);

// The lost-key list's column headings and one door's row (the location wrapped in its column).
std::vector<std::string> LostKeyColumnHeadings();
std::vector<std::string> LostKeyRow(const systems::Door& door, bool intended);

} // namespace varnholt::report
