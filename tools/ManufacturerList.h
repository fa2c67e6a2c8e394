#pragma once

#include "DatabaseReader.h"

#include <span>
#include <string>

namespace varnholt::tools {

// The manufacturers of a database for --list, record n at index n-1: record number, name,
// chamber counts, depths, step, M.A.C.S and the interchangeable-core values. A damaged record is
// listed as it reads, marked with what is wrong with it, as choosing it would say.
// As a table for people:
std::string ManufacturerListText(std::span<const DatabaseRecord> records);
// As JSON, one manufacturer a line, so that a shell script can pick the names out:
// {"manufacturers": [
// {"record": 1, "name": "...", "minChambers": 5, "maxChambers": 6, "shallowestCut": 0, "deepestCut": 9,
//  "step": 1, "macs": 7, "interchangeableCore": false, "controlFactor": 0, "stackTotal": 0,
//  "controlChambers": "", "damage": null}
// ]}
// with "damage" the text of what is wrong with a damaged record.
std::string ManufacturerListJson(std::span<const DatabaseRecord> records);

} // namespace varnholt::tools
