#include "app/ReportLauncher.h"

#include "report/FrmAceKey.h"
#include "report/TForm3.h"

namespace varnholt::app {

ReportLauncher::ReportLauncher(report::TForm3& form, TFrmAceKey& handler, ReportPresenter show)
    : reportForm(form), keyHandler(handler), presenter(std::move(show)) {}

void ReportLauncher::StartReport() {
    bands::Document document = reportForm.StartReport();
    if (presenter) {
        presenter(std::move(document),
                  [this](bands::PreviewControl* preview) { HookPreviewKeys(keyHandler, preview); });
    }
}

} // namespace varnholt::app
