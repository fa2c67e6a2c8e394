#pragma once

#include "definition/RequestRefusal.h"
#include "engine/GenerationState.h"

#include <cstdint>
#include <optional>
#include <string>

namespace varnholt::manufacturers {
struct ManufacturerRecord;
}

// The one place where a key system request is put together: the manufacturer's limits and the
// user's answers, checked by the rules of the "Data Input" dialog. The dialog's OK, the batch
// command, the benchmarks and the fuzzers all come through here, so they cannot drift apart.
namespace varnholt::definition {

// How many keys of one level the user asks for.
struct QuantityAnswer {
    enum class Kind { Unanswered, All, Count };
    Kind kind = Kind::Unanswered;
    std::int64_t count = 0;

    static QuantityAnswer All() { return {Kind::All, 0}; }
    static QuantityAnswer Of(std::int64_t count) { return {Kind::Count, count}; }
};

// What the user states about the system. Unanswered masters and sub-masters mean none, unanswered
// change keys every one available.
struct SystemAnswers {
    int chambers = 0;
    std::string topMasterKey;
    std::string controlKey; // used only with an interchangeable core
    QuantityAnswer masters;
    QuantityAnswer subMasters;
    QuantityAnswer changeKeys;
    // The dialog's fields lower the sub-masters themselves while they are entered; what they
    // hold at OK is taken as it stands. Otherwise sub-masters above what the masters leave are
    // lowered to that, and "all" change keys are counted after the lowering.
    bool subMastersAsEntered = false;
};

struct BuiltRequest {
    KeySystemRequest request; // complete only when nothing was refused
    std::optional<RequestRefusal> refusal;
};

// What choosing a manufacturer puts into a request: its limits, with a maximum adjacent cut of
// 0 read as none (20), control chambers "NNNNNNN" where the record has none, and the name cut to
// its 40 characters.
KeySystemRequest RequestForManufacturer(const manufacturers::ManufacturerRecord& record);

// The whole request, or the first rule the answers break, checked in the dialog's field order.
BuiltRequest BuildRequest(const manufacturers::ManufacturerRecord& record, const SystemAnswers& answers);

} // namespace varnholt::definition
