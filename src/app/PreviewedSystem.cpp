#include "app/PreviewedSystem.h"

#include "engine/KeySchedule.h"
#include "exports/ReportDocuments.h"
#include "files/Utf8Path.h"
#include "systems/SystemFile.h"
#include "systems/SystemRebuild.h"

#include <cstdio>
#include <ctime>

namespace varnholt::app {

std::string FileNameStem(const std::string& manufacturer, const report::JobDetails& job,
                         std::chrono::year_month_day date) {
    std::string stem = manufacturer;
    const std::string& jobOrCustomer = job.jobNumber.empty() ? job.customer : job.jobNumber;
    if (!jobOrCustomer.empty())
        stem += " " + jobOrCustomer;
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return stem + " " + day;
}

std::chrono::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year(local.tm_year + 1900),
                                       std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                       std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

PreviewedSystem::PreviewedSystem(systems::SavedSystem system, const GenerationState& generated)
    : saved(std::move(system)), state(generated), doors(generated, saved.doors) {}

std::optional<std::string> PreviewedSystem::DoorsRefusal() const {
    if (auto refusal = doors.FirstRefusal())
        return "The system cannot be saved with its doors as they are. " + *refusal +
               "\nCorrect the door in \"Doors…\" or remove it, then save again.";
    return std::nullopt;
}

void PreviewedSystem::DiscardChanges() {
    saved.job = savedJob;
    if (DoorsChanged())
        doors.Assign(saved.doors);
}

PreviewedSystem PreviewedSystem::FromGeneration(const manufacturers::ManufacturerRecord& record,
                                                const GenerationState& generated) {
    return PreviewedSystem(systems::CaptureSystem(record, generated, {}), generated);
}

std::variant<PreviewedSystem, std::string> PreviewedSystem::Open(const std::filesystem::path& path) {
    auto read = systems::ReadSystemFile(path);
    if (auto* refusal = std::get_if<systems::SystemFileRefusal>(&read))
        return std::move(refusal->message);
    auto rebuilt = systems::RebuildSystem(std::get<systems::SavedSystem>(read), path);
    if (auto* refusal = std::get_if<std::string>(&rebuilt))
        return std::move(*refusal);
    auto& system = std::get<systems::RebuiltSystem>(rebuilt);
    PreviewedSystem opened(std::move(system.saved), system.state);
    opened.file = path;
    opened.openingNote = std::move(system.note);
    opened.savedJob = opened.saved.job;
    return opened;
}

std::optional<std::string> PreviewedSystem::SaveAs(const std::filesystem::path& path,
                                                   std::chrono::system_clock::time_point now) {
    if (auto refusal = DoorsRefusal())
        return refusal;
    systems::SavedSystem withDoors = saved;
    if (DoorsChanged()) {
        withDoors.doors = doors.Doors();
        withDoors.fingerprint = systems::FingerprintOf(state, withDoors.doors);
    }
    if (auto failure = systems::SaveSystemFile(path, withDoors, now))
        return failure;
    saved = std::move(withDoors);
    file = path;
    savedJob = saved.job;
    return std::nullopt;
}

std::filesystem::path PreviewedSystem::ProposedFileName(std::chrono::year_month_day today) const {
    if (file)
        return *file;
    std::string name = NameStem(today);
    // A name that cannot name a file anywhere the program runs is made one that can.
    for (char& character : name)
        if (character == '/' || character == '\\' || character == ':' ||
            static_cast<unsigned char>(character) < 0x20U)
            character = '_';
    return files::PathFromUtf8(name + std::string(systems::SystemFileExtension));
}

std::string PreviewedSystem::NameStem(std::chrono::year_month_day today) const {
    return FileNameStem(state.MfgName, saved.job, today);
}

bands::Document PreviewedSystem::RunReport() const {
    return exports::SystemReportDocument(state, ComputeKeySchedule(state), saved.job);
}

} // namespace varnholt::app
