#pragma once

#include "app/QtProgram.h"
#include "manufacturers/ManufacturerRecord.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Keys.h"
#include "toolkit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace varnholt::app {

// A new folder under the temporary one whose database holds one manufacturer, "Acme 6-pin".
inline std::filesystem::path FolderWithSixPinDatabase(const std::string& prefix) {
    std::random_device seed;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / (prefix + std::to_string(seed()));
    std::filesystem::create_directories(folder);
    manufacturers::ManufacturerRecord record;
    record.Name = "Acme 6-pin";
    record.MinChambers = 6;
    record.ChamberChoices = 1;
    record.DeepestCut = 9;
    record.MaxAdjacentCut = 5;
    record.StepIncrement = 2;
    const auto bytes = record.Encode();
    std::ofstream(folder / "Varnholt.MFG", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return folder;
}

// "Generate a New System" for that manufacturer with top master 246864, the counts typed as
// given, until the preview shows; no message box is expected on the way.
inline void GenerateSixPinSystem(QtProgram& program, const std::string& counts) {
    program.Start();
    toolkit::HeadlessMessageService noBoxExpected;
    toolkit::ScriptedDriver driver(program.Model().application, noBoxExpected);
    driver.Press(toolkit::Key::Return).Press(toolkit::Key::Return);
    driver.Type("246864").Type(counts).Type("\n");
    ASSERT_NE(program.Preview(), nullptr) << ::testing::PrintToString(driver.Transcript());
}

} // namespace varnholt::app
