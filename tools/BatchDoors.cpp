#include "BatchDoors.h"

#include "BatchStop.h"

#include "exports/DoorScheduleCsv.h"
#include "files/Utf8Path.h"
#include "report/DoorReports.h"
#include "systems/DoorListCsv.h"
#include "systems/DoorSchedule.h"

#include <fstream>
#include <iterator>

namespace varnholt::tools {

namespace {

// Far beyond any building's door list; a larger file is not one.
constexpr std::streamoff MaxDoorListBytes = 64 << 20;

} // namespace

std::vector<systems::Door> ReadBatchDoors(const std::string& file, const KeySystemRequest& request,
                                          const KeySchedule& schedule) {
    std::ifstream stream(files::PathFromUtf8(file), std::ios::binary);
    if (!stream)
        throw BatchStop{ExitFileFailure, "The door list \"" + file + "\" could not be opened."};
    stream.seekg(0, std::ios::end);
    const std::streamoff size = stream.tellg();
    stream.seekg(0, std::ios::beg);
    if (size > MaxDoorListBytes)
        throw BatchStop{ExitRefused, "The door list \"" + file + "\" is larger than 64 MB; it is no door list."};
    const std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad() || size < 0)
        throw BatchStop{ExitFileFailure, "The door list \"" + file + "\" could not be read."};
    systems::DoorListReading reading = systems::ReadDoorListCsv(text, request, schedule);
    if (reading.refusal)
        throw BatchStop{ExitRefused, "The door list \"" + file + "\" is refused: line " +
                                         std::to_string(reading.refusal->line) + ": " + reading.refusal->message};
    return std::move(reading.doors);
}

std::string DoorsCsvText(const BatchOptions& options, const KeySystemRequest& request, const KeySchedule& schedule,
                         const std::vector<systems::Door>& doors) {
    const systems::DoorSchedule checked(request, schedule, doors);
    if (!options.lostKey)
        return exports::KeyingScheduleCsvText(doors, checked, request.Chambers);
    const std::optional<systems::DoorTarget> target = systems::ParseDoorTarget(*options.lostKey);
    const std::vector<std::size_t> keys =
        target && !target->everyKeyUnder ? checked.Keys().Resolve(*target) : std::vector<std::size_t>{};
    if (keys.size() != 1)
        throw BatchStop{ExitRefused, "--lost-key \"" + *options.lostKey +
                                         "\" names no key of this system; name one key as the key lists do "
                                         "(GMK, A, AA, AA 1)."};
    return exports::LostKeyCsvText(doors, checked, keys.front());
}

bands::Document DoorsDocument(const BatchOptions& options, const GenerationState& state,
                              const std::vector<systems::Door>& doors, const report::JobDetails& job,
                              bands::Recording recording) {
    if (!options.lostKey)
        return report::KeyingScheduleDocument(state, doors, job, recording);
    report::LostKeyPages pages = report::LostKeyDocument(state, doors, *options.lostKey, job, recording);
    if (!pages.refusal.empty())
        throw BatchStop{ExitRefused, "--lost-key " + pages.refusal};
    return std::move(pages.document);
}

} // namespace varnholt::tools
