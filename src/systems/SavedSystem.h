#pragma once

#include "manufacturers/ManufacturerRecord.h"
#include "report/JobDetails.h"
#include "systems/Door.h"

#include <string>
#include <vector>

namespace varnholt::systems {

// The user's answers that define a system, as the "Data Input" dialog takes them. The counts are
// those the system was built with (a request for every available key is kept as the number it
// came to), so that the same answers build the same system again.
struct SavedAnswers {
    int chambers = 0;
    std::string topMasterKey;
    std::string controlKey; // empty without an interchangeable core
    int masters = 0;
    int subMasters = 0;
    int changeKeys = 0;

    bool operator==(const SavedAnswers&) const = default;
};

// A saved system: everything needed to build it again, and nothing derived but the fingerprint
// of its keys and pins, which tells whether this program still prints the same system from it.
struct SavedSystem {
    manufacturers::ManufacturerRecord manufacturer; // a full copy: the database may change or be absent
    SavedAnswers answers;
    report::JobDetails job;
    std::vector<Door> doors; // in the order the user keeps them
    std::string created;     // UTC, "YYYY-MM-DDTHH:MM:SSZ"
    std::string saved;
    std::string fingerprint; // SHA-256, 64 lower-case hexadecimal digits (see KeysAndPinsFingerprint)
    // Read from a file of version 1, whose fingerprint covers the key list only (see
    // KeyListFingerprint). Such a system is written as version 1 again; the program saves only
    // systems it rebuilt, which carry the fingerprint of this version.
    bool keyListOnly = false;

    bool operator==(const SavedSystem&) const = default;
};

} // namespace varnholt::systems
