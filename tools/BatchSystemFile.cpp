#include "BatchSystemFile.h"

#include "BatchStop.h"

#include "files/Utf8Path.h"
#include "systems/SystemFile.h"
#include "systems/SystemRebuild.h"

namespace varnholt::tools {

BatchSystem ReadBatchSystem(const std::string& file) {
    const std::filesystem::path path = files::PathFromUtf8(file);
    auto read = systems::ReadSystemFile(path);
    if (auto* refusal = std::get_if<systems::SystemFileRefusal>(&read))
        throw BatchStop{refusal->unreadable ? ExitFileFailure : ExitRefused, refusal->message};
    auto rebuilt = systems::RebuildSystem(std::get<systems::SavedSystem>(read), path);
    if (auto* refusal = std::get_if<std::string>(&rebuilt))
        throw BatchStop{ExitRefused, *refusal};
    auto& system = std::get<systems::RebuiltSystem>(rebuilt);
    return BatchSystem{std::move(system.saved), std::move(system.state), std::move(system.note)};
}

report::JobDetails JobDetailsFrom(const BatchOptions& options, report::JobDetails saved) {
    if (options.customer)
        saved.customer = *options.customer;
    if (options.site)
        saved.site = *options.site;
    if (options.job)
        saved.jobNumber = *options.job;
    if (options.notes)
        saved.notes = *options.notes;
    return saved;
}

} // namespace varnholt::tools
