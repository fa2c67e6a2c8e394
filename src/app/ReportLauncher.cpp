#include "app/ReportLauncher.h"

#include "report/FrmAceKey.h"
#include "report/TForm3.h"

namespace varnholt::app {

ReportLauncher::ReportLauncher(report::TForm3& form, const GenerationState& generated, TFrmAceKey& handler,
                               ReportPresenter show)
    : reportForm(form), state(generated), keyHandler(handler), presenter(std::move(show)) {}

void ReportLauncher::StartReport() {
    bands::Document document = reportForm.StartReport(state);
    if (presenter) {
        presenter(std::move(document),
                  [this](bands::PreviewControl* preview) { HookPreviewKeys(keyHandler, preview); });
    }
}

} // namespace varnholt::app
