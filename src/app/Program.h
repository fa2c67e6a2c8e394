#pragma once

#include "app/ReportLauncher.h"
#include "app/TAboutBox.h"
#include "app/TTallowmere.h"
#include "app/VarnholtApplication.h"
#include "definition/SystemRandomSource.h"
#include "definition/TForm2.h"
#include "engine/GenerationState.h"
#include "manufacturers/ManufacturerFile.h"
#include "report/FrmAceKey.h"
#include "report/TForm3.h"

#include <filesystem>

namespace varnholt::app {

// The whole program, its parts created in start-up order and owned here for the whole run:
// the manufacturer file bound to the start directory, the application with its title, then the
// windows (main window, About dialog, report form, preview key handler, "Data Input" dialog).
// Nothing in it is process-wide: a test can build as many programs as it likes.
class Program {
public:
    Program(const std::filesystem::path& startDirectory, toolkit::MessageService& messages,
            ReportPresenter presenter);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the main window, centred, with "Generate a New System" focused. The caller then
    // runs the event loop until the application terminates.
    void Start();

    manufacturers::ManufacturerFile file;
    VarnholtApplication application;
    GenerationState state;
    TTallowmere Tallowmere;
    TAboutBox AboutBox;
    report::TForm3 Form3;
    TFrmAceKey FrmAceKey;
    ReportLauncher reportLauncher;
    definition::SystemRandomSource random;
    definition::TForm2 Form2;
};

} // namespace varnholt::app
