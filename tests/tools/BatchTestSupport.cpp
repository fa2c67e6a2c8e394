#include "BatchTestSupport.h"

#include "systems/SystemFile.h"
#include "systems/SystemRebuild.h"
#include "files/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace varnholt::tools::testing {

ScratchFolder::ScratchFolder() {
    std::random_device device;
    path = std::filesystem::temp_directory_path() / ("varnholt-report-test-" + std::to_string(device()));
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::vector<std::filesystem::path> ScratchFolder::Files() const {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        files.push_back(entry.path().filename());
    return files;
}

manufacturers::ManufacturerRecord Manufacturer(std::string name, int minChambers, int maxChambers,
                                               int shallowest, int deepest, int step, int maxAdjacent) {
    manufacturers::ManufacturerRecord record;
    record.Name = std::move(name);
    record.MinChambers = minChambers;
    record.ChamberChoices = maxChambers - minChambers + 1;
    record.ShallowestCut = shallowest;
    record.DeepestCut = deepest;
    record.StepIncrement = step;
    record.MaxAdjacentCut = maxAdjacent;
    return record;
}

manufacturers::ManufacturerRecord InterchangeableCore(std::string name, int minChambers, int maxChambers,
                                                      int shallowest, int deepest, int step, int maxAdjacent,
                                                      std::string controlChambers, int controlFactor,
                                                      int stackTotal) {
    manufacturers::ManufacturerRecord record =
        Manufacturer(std::move(name), minChambers, maxChambers, shallowest, deepest, step, maxAdjacent);
    record.IsICore = true;
    record.ControlChambers = std::move(controlChambers);
    record.ControlFactor = controlFactor;
    record.StackTotal = stackTotal;
    return record;
}

void WriteDatabase(const std::filesystem::path& file,
                   const std::vector<manufacturers::ManufacturerRecord>& records) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    for (const auto& record : records) {
        const manufacturers::RecordBytes bytes = record.Encode();
        stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

std::vector<manufacturers::ManufacturerRecord> SampleManufacturers() {
    return {
        Manufacturer("BRANDT", 5, 7, 0, 9, 2, 7),
        Manufacturer("KESSLER", 3, 7, 0, 9, 1, 0),
        Manufacturer("ORLOV", 4, 6, 1, 10, 1, 6),
        Manufacturer("TANNER", 4, 6, 0, 9, 3, 5),
        Manufacturer("WEISS", 5, 6, 0, 9, 4, 9),
        Manufacturer("HOLM", 4, 6, 1, 7, 1, 5),
        InterchangeableCore("CORELINE", 6, 7, 0, 9, 1, 7, "YNYNYNN", 6, 23),
    };
}

CommandResult RunCommand(const std::vector<std::string>& arguments, bool outIsTerminal) {
    PaperServices paper;
    paper.writePdf = [](const bands::Document&, const std::filesystem::path&) {
        return PaperResult{false, "no PDF in this test"};
    };
    paper.printToQueue = [](const bands::Document&, const std::string&) {
        return PaperResult{false, "no printer in this test"};
    };
    paper.programVersion = "3.5";
    paper.qtVersion = "6.4.2";
    std::ostringstream out;
    std::ostringstream err;
    CommandResult result;
    result.status = RunBatchCommand(arguments, out, err, outIsTerminal, paper);
    result.out = out.str();
    result.err = err.str();
    ExpectSavedSystemReadsBack(arguments, result);
    return result;
}

void ExpectSavedSystemReadsBack(const std::vector<std::string>& arguments, const CommandResult& result) {
    const auto option = std::find(arguments.begin(), arguments.end(), "--save-system");
    if (result.status != ExitDone || option == arguments.end() || option + 1 == arguments.end())
        return;
    const std::filesystem::path file = files::PathFromUtf8(*(option + 1));
    auto read = systems::ReadSystemFile(file);
    if (const auto* refusal = std::get_if<systems::SystemFileRefusal>(&read)) {
        ADD_FAILURE() << "a saved system does not read back: " << refusal->message;
        return;
    }
    const auto rebuilt = systems::RebuildSystem(std::get<systems::SavedSystem>(read), file);
    if (const auto* refusal = std::get_if<std::string>(&rebuilt))
        ADD_FAILURE() << "a saved system does not open again: " << *refusal;
    else if (std::get<systems::RebuiltSystem>(rebuilt).note)
        ADD_FAILURE() << "a system just saved opens with a note";
}

std::string ReadWholeFile(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

} // namespace varnholt::tools::testing
