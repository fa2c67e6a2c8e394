#include "DialogFixture.h"

#include <fstream>
#include <random>

namespace varnholt::definition::testing {

manufacturers::ManufacturerRecord Manufacturer(std::string name, int minChambers, int chamberChoices,
                                               int shallowest, int deepest, int maxAdjacent, int step) {
    manufacturers::ManufacturerRecord record;
    record.Name = std::move(name);
    record.MinChambers = minChambers;
    record.ChamberChoices = chamberChoices;
    record.ShallowestCut = shallowest;
    record.DeepestCut = deepest;
    record.MaxAdjacentCut = maxAdjacent;
    record.StepIncrement = step;
    return record;
}

manufacturers::ManufacturerRecord InterchangeableCore(manufacturers::ManufacturerRecord record,
                                                      std::string controlChambers) {
    record.IsICore = true;
    record.ControlFactor = 10;
    record.StackTotal = 20;
    record.ControlChambers = std::move(controlChambers);
    return record;
}

manufacturers::ManufacturerRecord Acme() {
    return Manufacturer("Acme", 3, 5, 0, 9, 5, 2);
}

manufacturers::ManufacturerRecord Bolt() {
    return InterchangeableCore(Manufacturer("Bolt Core", 5, 3, 0, 9, 7, 1), "YNNNNNN");
}

manufacturers::ManufacturerRecord Corbin() {
    return Manufacturer("Corbin", 6, 1, 1, 10, 7, 1);
}

manufacturers::ManufacturerRecord Dexter() {
    return Manufacturer("Dexter", 5, 2, 1, 9, 0, 1);
}

namespace {

std::filesystem::path FreshFolder() {
    // Test cases run as processes of their own, possibly at the same time.
    std::random_device entropy;
    auto path = std::filesystem::temp_directory_path() /
                ("varnholt-definition-" + std::to_string(entropy()) + "-" + std::to_string(entropy()));
    std::filesystem::create_directories(path);
    return path;
}

} // namespace

DialogTest::DialogTest()
    : folder(FreshFolder()), menuButton(mainWindow.Add<toolkit::Button>("Button1")), file(folder, messages) {
    mainWindow.SetClientSize(775, 546);
    mainWindow.Show();
    WriteManufacturers({Acme(), Bolt(), Corbin(), Dexter()});
}

DialogTest::~DialogTest() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void DialogTest::WriteManufacturers(const std::vector<manufacturers::ManufacturerRecord>& records) {
    std::ofstream out(folder / manufacturers::ManufacturerFile::FileName, std::ios::binary | std::ios::trunc);
    for (const auto& record : records) {
        const manufacturers::RecordBytes bytes = record.Encode();
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

void DialogTest::OpenList(bool defining) {
    application.Dispatch([&] {
        if (defining) {
            form2.OpenListToDefineSystem();
        } else {
            form2.OpenListToChangeManufacturer();
        }
    });
    ASSERT_TRUE(form2.Visible());
}

void DialogTest::DefineWith(int listPosition) {
    OpenList(true);
    driver.Select("LB1", listPosition).Click("Form2.Button1");
}

} // namespace varnholt::definition::testing
