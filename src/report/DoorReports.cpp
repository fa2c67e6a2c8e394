#include "report/DoorReports.h"

#include "engine/KeySchedule.h"
#include "report/KeyingSchedule.h"
#include "report/LostKeyList.h"
#include "systems/DoorSchedule.h"

#include <optional>

namespace varnholt::report {

bands::Document KeyingScheduleDocument(const GenerationState& state, const std::vector<systems::Door>& doors,
                                       const JobDetails& job, bands::Recording recording) {
    const KeySchedule schedule = ComputeKeySchedule(state);
    const systems::DoorSchedule checked(state, schedule, doors);
    KeyingSchedule report(state, doors, checked, job);
    report.TheReport.SetRecording(recording);
    return report.Run();
}

LostKeyPages LostKeyDocument(const GenerationState& state, const std::vector<systems::Door>& doors,
                             std::string_view designation, const JobDetails& job, bands::Recording recording) {
    const KeySchedule schedule = ComputeKeySchedule(state);
    const systems::DoorSchedule checked(state, schedule, doors);
    const std::optional<systems::DoorTarget> target = systems::ParseDoorTarget(designation);
    const std::vector<std::size_t> keys =
        target && !target->everyKeyUnder ? checked.Keys().Resolve(*target) : std::vector<std::size_t>{};
    if (keys.size() != 1)
        return {{}, "\"" + std::string(designation) +
                        "\" names no key of this system; name one key as the key lists do (GMK, A, AA, AA 1)."};
    LostKeyList report(state, doors, checked, keys.front(), job);
    report.TheReport.SetRecording(recording);
    return {report.Run(), {}};
}

} // namespace varnholt::report
