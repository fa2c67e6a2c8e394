#include "systems/SystemRebuild.h"

#include "definition/RequestBuilder.h"
#include "engine/CylinderPinning.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "files/Utf8Path.h"
#include "systems/KeyListFingerprint.h"
#include "systems/SystemFile.h"

#include <algorithm>

namespace varnholt::systems {

namespace {

// Keys left out or marked '*' because their cylinder cannot be pinned: where a system has such
// keys, a file saved by a version that listed them as good holds another key list.
bool HasUnpinnableMarkedKeys(const KeySystemRequest& request, const KeySchedule& schedule) {
    if (!request.IsICore)
        return false;
    const CylinderPinner pinner(request);
    return std::any_of(schedule.begin(), schedule.end(), [&](const ScheduledKey& key) {
        const CylinderPinning pinning = pinner.Pin(key.bitting);
        return (key.mark == '*' || !key.listed) && pinning.formed && !pinning.Pinnable(request.Chambers);
    });
}

std::string DifferentSystemMessage(const std::filesystem::path& file, bool keyListOnly, bool doors,
                                   bool unpinnableMarked) {
    std::string message = CannotOpenMessage(
        file,
        std::string(keyListOnly ? "the key list this version of the program makes of it differs from the one"
                    : doors
                        ? "the keys, pins and doors this version of the program makes of it differ from those"
                        : "the keys and pins this version of the program makes of it differ from those") +
            " saved in it, so the system is not shown. Either the file was changed after it was saved, or "
            "it was saved by a version that computes differently");
    if (unpinnableMarked)
        message +=
            " Some keys of this system have cylinders that cannot be pinned: this version marks such keys "
            "'*' and leaves such change keys out of the list, where earlier versions listed them as good.";
    return message;
}

} // namespace

std::variant<RebuiltSystem, std::string> RebuildSystem(const SavedSystem& system,
                                                       const std::filesystem::path& file) {
    definition::SystemAnswers answers;
    answers.chambers = system.answers.chambers;
    answers.topMasterKey = system.answers.topMasterKey;
    answers.controlKey = system.answers.controlKey;
    answers.masters = definition::QuantityAnswer::Of(system.answers.masters);
    answers.subMasters = definition::QuantityAnswer::Of(system.answers.subMasters);
    answers.changeKeys = definition::QuantityAnswer::Of(system.answers.changeKeys);
    // The counts are those the system had; nothing is to be lowered.
    answers.subMastersAsEntered = true;
    const definition::BuiltRequest built = definition::BuildRequest(system.manufacturer, answers);
    if (built.refusal)
        return CannotOpenMessage(file,
                                 "the \"Data Input\" dialog refuses its answers:\n" + built.refusal->message);

    RebuiltSystem rebuilt{system, {}, std::nullopt};
    GenerationState& state = rebuilt.state;
    static_cast<KeySystemRequest&>(state) = built.request;
    ClearProgressionTable(state);
    GenerateProgression(state);
    const KeySchedule schedule = ComputeKeySchedule(state);
    // A door keyed to a key the system does not have would print a cylinder nobody meant.
    if (!system.doors.empty()) {
        const KeyDirectory keys(schedule, state.MasterCount > 0);
        for (const Door& door : system.doors)
            if (auto problem = DoorKeyingProblem(door, keys, state.IsICore))
                return CannotOpenMessage(file,
                                         "its door " + door.number + " does not fit the system: " + *problem);
    }
    const std::string fingerprint = KeysAndPinsFingerprint(state, schedule, system.doors);
    const bool same = system.keyListOnly ? KeyListFingerprint(schedule) == system.fingerprint
                                         : fingerprint == system.fingerprint;
    if (!same)
        return DifferentSystemMessage(file, system.keyListOnly, !system.doors.empty(),
                                      HasUnpinnableMarkedKeys(state, schedule));
    if (system.keyListOnly)
        rebuilt.note = "The system file \"" + files::Utf8Of(file) +
                       "\" is of version 1, which holds a check of its key list only: the key list is as "
                       "saved, but its pins and control key cannot be checked. Saving the system again "
                       "records them.";
    rebuilt.saved.fingerprint = fingerprint;
    rebuilt.saved.keyListOnly = false;
    return rebuilt;
}

std::string FingerprintOf(const GenerationState& state, const std::vector<Door>& doors) {
    return KeysAndPinsFingerprint(state, ComputeKeySchedule(state), doors);
}

SavedSystem CaptureSystem(const manufacturers::ManufacturerRecord& record, const GenerationState& state,
                          report::JobDetails job, std::vector<Door> doors) {
    SavedSystem system;
    system.manufacturer = record;
    system.answers.chambers = state.Chambers;
    system.answers.topMasterKey = state.TopMasterKey.substr(0, static_cast<std::size_t>(state.Chambers));
    system.answers.controlKey =
        state.IsICore ? state.ControlKey.substr(0, static_cast<std::size_t>(state.Chambers)) : std::string();
    system.answers.masters = state.MasterCount;
    system.answers.subMasters = state.SubMasterCount;
    system.answers.changeKeys = state.ChangeKeyCount;
    system.job = std::move(job);
    system.doors = std::move(doors);
    system.fingerprint = FingerprintOf(state, system.doors);
    return system;
}

} // namespace varnholt::systems
