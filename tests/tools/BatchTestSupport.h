#pragma once

#include "BatchCommand.h"

#include "manufacturers/ManufacturerRecord.h"

#include <filesystem>
#include <string>
#include <vector>

namespace varnholt::tools::testing {

// A folder of its own for one test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path; }
    std::vector<std::filesystem::path> Files() const;

private:
    std::filesystem::path path;
};

manufacturers::ManufacturerRecord Manufacturer(std::string name, int minChambers, int maxChambers,
                                               int shallowest, int deepest, int step, int maxAdjacent);
manufacturers::ManufacturerRecord InterchangeableCore(std::string name, int minChambers, int maxChambers,
                                                      int shallowest, int deepest, int step, int maxAdjacent,
                                                      std::string controlChambers, int controlFactor,
                                                      int stackTotal);

// The records written one after the other, as the program's manufacturer file holds them.
void WriteDatabase(const std::filesystem::path& file,
                   const std::vector<manufacturers::ManufacturerRecord>& records);

// The test database: manufacturers that cover every depth range, step and chamber count the
// golden reports need.
std::vector<manufacturers::ManufacturerRecord> SampleManufacturers();

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the command in-process; PDF and printing are not drawn (the services report failure).
// A system it saved must read back and open again (see ExpectSavedSystemReadsBack).
CommandResult RunCommand(const std::vector<std::string>& arguments, bool outIsTerminal = false);

// A failure of the test when the run succeeded and saved a system (--save-system) that does not
// open again without a word: every file the command saves must.
void ExpectSavedSystemReadsBack(const std::vector<std::string>& arguments, const CommandResult& result);

std::string ReadWholeFile(const std::filesystem::path& file);

} // namespace varnholt::tools::testing
