#pragma once

#include "bands/Document.h"
#include "bands/PreviewControl.h"
#include "definition/ReportStarter.h"
#include "engine/GenerationState.h"

#include <functional>

class TFrmAceKey;

namespace varnholt::report {
class TForm3;
}

namespace varnholt::app {

// Shows a finished report; the preview calls the hook with the window it creates.
using ReportPresenter = std::function<void(bands::Document document, const bands::PreviewCreatedHook& hook)>;

// What OK of the "Data Input" dialog starts: the report form runs the report of the system just
// generated, and its pages go
// to the preview with the keyboard handler hooked in.
class ReportLauncher : public definition::ReportStarter {
public:
    ReportLauncher(report::TForm3& reportForm, const GenerationState& generated, TFrmAceKey& keyHandler,
                   ReportPresenter presenter);

    void StartReport() override;

private:
    report::TForm3& reportForm;
    const GenerationState& state;
    TFrmAceKey& keyHandler;
    ReportPresenter presenter;
};

} // namespace varnholt::app
