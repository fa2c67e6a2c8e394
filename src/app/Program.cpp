#include "app/Program.h"

namespace varnholt::app {

Program::Program(const std::filesystem::path& startDirectory, toolkit::MessageService& messages,
                 ReportPresenter presenter)
    : file(startDirectory, messages), application(messages), Tallowmere(application, file),
      AboutBox(application, Tallowmere), Form3(),
      reportLauncher(Form3, state, FrmAceKey, std::move(presenter)),
      Form2(application, state, file, Tallowmere.Panel, Tallowmere, reportLauncher, random) {
    Tallowmere.Connect(Form2, AboutBox);
}

void Program::Start() {
    Tallowmere.ShowAtStart();
}

} // namespace varnholt::app
