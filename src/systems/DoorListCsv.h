#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "systems/Door.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::systems {

// Where a door list was refused: the line its record starts on (1 is the header) and why.
struct DoorListRefusal {
    int line = 0;
    std::string message;
};

struct DoorListReading {
    std::vector<Door> doors;
    std::optional<DoorListRefusal> refusal; // set: no door is taken
};

// A door list as comma-separated values (RFC 4180; UTF-8; LF or CRLF line ends): a header
// naming the columns Door, Location, Keyed To, Cylinders and Notes in any order, any case
// (Door and Keyed To required), then one door a record. Keyed To holds targets separated by ';';
// an empty Cylinders means one. Every door is checked against the system: the first record
// with no target, a key the system does not list, a door number given before, several keys on an
// interchangeable core or a cylinder count outside 1..999 refuses the whole list.
DoorListReading ReadDoorListCsv(std::string_view text, const KeySystemRequest& request,
                                const KeySchedule& schedule);

// The doors as a door list that ReadDoorListCsv reads back as they are: the header
// "Door,Location,Keyed To,Cylinders,Notes", then one door a record, CRLF line ends, a field
// quoted when it holds a comma, a quote or a line break.
std::string DoorListCsvText(const std::vector<Door>& doors);

} // namespace varnholt::systems
