#pragma once

#include "bands/Document.h"
#include "engine/GenerationState.h"
#include "systems/DoorTable.h"
#include "systems/SavedSystem.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace varnholt::app {

// The manufacturer, the job number or else the customer when given, and the date. Never a
// bitting: file names travel in mail subjects, share listings and backups, and the top master
// key opens every door of the system.
std::string FileNameStem(const std::string& manufacturer, const report::JobDetails& job,
                         std::chrono::year_month_day date);

// The date on the user's calendar.
std::chrono::year_month_day LocalToday();

// The system a preview shows, kept apart from the dialog's working state so that it can be
// saved, given job details and printed again while the dialog defines the next one.
class PreviewedSystem {
public:
    // The system the dialog has just generated from the record.
    static PreviewedSystem FromGeneration(const manufacturers::ManufacturerRecord& record,
                                          const GenerationState& state);
    // A saved system, read, rebuilt and checked; or the message that says why not.
    static std::variant<PreviewedSystem, std::string> Open(const std::filesystem::path& file);

    // Saves under that name, with the doors; the message of a failure, nothing on success. A
    // door the file could not hold (one refused in the table) is named and nothing is written.
    std::optional<std::string> SaveAs(const std::filesystem::path& file,
                                      std::chrono::system_clock::time_point now);

    void SetJobDetails(report::JobDetails job) { saved.job = std::move(job); }
    // Whether the job details or the doors differ from those last saved to or opened from the
    // file (none for a system just generated).
    bool HasUnsavedChanges() const { return JobDetailsChanged() || DoorsChanged(); }
    bool JobDetailsChanged() const { return saved.job != savedJob; }
    bool DoorsChanged() const { return doors.Doors() != saved.doors; }
    // Back to the job details and doors last saved.
    void DiscardChanges();
    // Why the doors cannot be saved as they are (a door refused in the table), if they cannot.
    std::optional<std::string> DoorsRefusal() const;
    // The doors as the user edits them; kept by the next save.
    systems::DoorTable& Doors() { return doors; }
    const systems::DoorTable& Doors() const { return doors; }
    const report::JobDetails& JobDetails() const { return saved.job; }
    const systems::SavedSystem& Saved() const { return saved; }
    // The system as generated, for what is made from it besides the report.
    const GenerationState& State() const { return state; }
    // The file it was opened from or last saved to.
    const std::optional<std::filesystem::path>& File() const { return file; }
    // What to tell the user about the file it was opened from, if anything.
    const std::optional<std::string>& OpeningNote() const { return openingNote; }
    // A name to propose for saving: the file's, or one made of the name stem.
    std::filesystem::path ProposedFileName(std::chrono::year_month_day today) const;
    // How the names of files made from the system begin (see FileNameStem).
    std::string NameStem(std::chrono::year_month_day today) const;

    // The report of the system with its job details.
    bands::Document RunReport() const;

private:
    PreviewedSystem(systems::SavedSystem system, const GenerationState& generated);

    systems::SavedSystem saved;
    GenerationState state;
    std::optional<std::filesystem::path> file;
    std::optional<std::string> openingNote;
    report::JobDetails savedJob;
    systems::DoorTable doors;
};

} // namespace varnholt::app
