#include "app/UnsavedChanges.h"

#include "app/PreviewedSystem.h"
#include "files/Utf8Path.h"
#include "toolkit/Application.h"

#include <string>

namespace varnholt::app {

bool MayLeaveSystem(toolkit::Application& application, PreviewedSystem& system, const std::function<void()>& save) {
    if (!system.HasUnsavedChanges()) {
        return true;
    }
    const std::string name = system.File() ? "\"" + files::Utf8Of(system.File()->filename()) + "\""
                                           : "the system of " + system.State().MfgName;
    switch (application.ShowMessage(toolkit::BoxKind::Confirmation,
                                    std::string(system.DoorsChanged()
                                                    ? system.JobDetailsChanged() ? "The job details and doors of "
                                                                                 : "The doors of "
                                                    : "The job details of ") +
                                        name + " have not been saved.\nDo you want to save them?",
                                    toolkit::Buttons::SaveDiscardCancel)) {
    case toolkit::Answer::Save:
        save();
        return !system.HasUnsavedChanges();
    case toolkit::Answer::Discard:
        system.DiscardChanges();
        return true;
    default:
        return false;
    }
}

} // namespace varnholt::app
