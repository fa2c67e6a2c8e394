#pragma once

#include "systems/Door.h"
#include "systems/DoorSchedule.h"

#include <cstddef>
#include <string>
#include <vector>

namespace varnholt::exports {

// The keying schedule as comma-separated values, one row per door:
// Door,Location,Cylinders,Keyed To,Operated By,Pins,Opens,System Keys,Unintended Keys,Usable.
// Pins: chamber 1 first, chambers separated by blanks, each its bottom pin and then its master
// pins from the bottom up separated by '/'; a core's chamber is bottom/master/control/top with
// '-' for a pin it has not.
std::string KeyingScheduleCsvText(const std::vector<systems::Door>& doors, const systems::DoorSchedule& checked,
                                  int chambers);

// The doors the key of this schedule index opens: Door,Location,How (intended or unintended).
std::string LostKeyCsvText(const std::vector<systems::Door>& doors, const systems::DoorSchedule& checked,
                           std::size_t key);

} // namespace varnholt::exports
