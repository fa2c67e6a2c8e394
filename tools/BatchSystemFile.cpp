#include "BatchSystemFile.h"

#include "systems/SystemFile.h"
#include "systems/SystemRebuild.h"


namespace varnholt::tools {

std::variant<BatchSystem, BatchSystemRefusal> ReadBatchSystem(const std::string& file) {
    auto read = systems::ReadSystemFile(file);
    if (auto* refusal = std::get_if<systems::SystemFileRefusal>(&read))
        return BatchSystemRefusal{refusal->message, refusal->unreadable};
    auto rebuilt = systems::RebuildSystem(std::get<systems::SavedSystem>(read), file);
    if (auto* refusal = std::get_if<std::string>(&rebuilt))
        return BatchSystemRefusal{*refusal, false};
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
