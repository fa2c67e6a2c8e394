#pragma once

#include "definition/RandomSource.h"
#include "definition/ReportStarter.h"
#include "definition/TForm2.h"
#include "engine/GenerationState.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerPanel.h"
#include "manufacturers/ManufacturerRecord.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace varnholt::definition::testing {

// Remembers that the report was started and what the generation handed it.
class RecordingReportStarter : public ReportStarter {
public:
    explicit RecordingReportStarter(const GenerationState& generationState) : state(generationState) {}
    void StartReport() override {
        ++starts;
        seenRoles = state.ChamberRoles;
        seenTable = state.ProgressionTable;
    }

    int starts = 0;
    std::string seenRoles;
    ProgressionGrid seenTable{};

private:
    const GenerationState& state;
};

manufacturers::ManufacturerRecord Manufacturer(std::string name, int minChambers, int chamberChoices,
                                               int shallowest, int deepest, int maxAdjacent, int step);
manufacturers::ManufacturerRecord InterchangeableCore(manufacturers::ManufacturerRecord record,
                                                      std::string controlChambers);

// Depths 0..9, step 2 (four alternatives), M.A.C.S 5, 3 to 7 chambers.
manufacturers::ManufacturerRecord Acme();
// Interchangeable core: depths 0..9, step 1, M.A.C.S 7, 5 to 7 chambers.
manufacturers::ManufacturerRecord Bolt();
// Depths 1..10 (a cut "0" is depth 10), step 1, M.A.C.S 7, 6 chambers only.
manufacturers::ManufacturerRecord Corbin();
// Depths 1..9, step 1, no M.A.C.S recorded, 5 or 6 chambers.
manufacturers::ManufacturerRecord Dexter();

// The program around the "Data Input" dialog, headless: the main window with its manufacturer
// panel, a manufacturer file in a folder of its own, and the user at the keyboard.
class DialogTest : public ::testing::Test {
protected:
    DialogTest();
    ~DialogTest() override;

    void WriteManufacturers(const std::vector<manufacturers::ManufacturerRecord>& records);
    // What the main window does for "Generate a New System" (defining) and "List / Change Data".
    void OpenList(bool defining);
    // "Generate a New System", then the manufacturer at that list position and OK.
    void DefineWith(int listPosition);
    std::string Text(const char* name) const { return driver.Text(std::string("Form2.") + name); }
    std::string Focused() const { return driver.FocusedName(); }
    const toolkit::ShownBox& LastBox() const { return driver.LastBox(); }

    std::filesystem::path folder;
    toolkit::HeadlessMessageService messages;
    toolkit::Application application{messages};
    toolkit::Form mainWindow{application, "Tallowmere"};
    toolkit::Button& menuButton;
    manufacturers::ManufacturerFile file;
    manufacturers::ManufacturerPanel panel{mainWindow, file};
    GenerationState state;
    RecordingReportStarter reportStarter{state};
    SeededRandomSource random;
    TForm2 form2{application, state, file, panel, mainWindow, reportStarter, random};
    toolkit::ScriptedDriver driver{application, messages};
};

} // namespace varnholt::definition::testing
