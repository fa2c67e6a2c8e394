#include "systems/SystemRebuild.h"

#include "definition/RequestBuilder.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "systems/KeyListFingerprint.h"
#include "systems/SystemFile.h"

namespace varnholt::systems {

std::variant<GenerationState, std::string> RebuildSystem(const SavedSystem& system,
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

    GenerationState state;
    static_cast<KeySystemRequest&>(state) = built.request;
    ClearProgressionTable(state);
    GenerateProgression(state);
    if (FingerprintOf(state) != system.fingerprint)
        return "This version of the program would produce a different key list than the one saved in \"" +
               file.string() + "\", so the system is not shown. Open it with the version that saved it.";
    return state;
}

std::string FingerprintOf(const GenerationState& state) {
    return KeyListFingerprint(ComputeKeySchedule(state));
}

SavedSystem CaptureSystem(const manufacturers::ManufacturerRecord& record, const GenerationState& state,
                          report::JobDetails job) {
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
    system.fingerprint = FingerprintOf(state);
    return system;
}

} // namespace varnholt::systems
