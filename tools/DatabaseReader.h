#pragma once

#include "manufacturers/ManufacturerRecord.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varnholt::tools {

struct DatabaseRecord {
    manufacturers::RecordBytes bytes{};
    manufacturers::ManufacturerRecord record;
    std::size_t number = 0; // 1-based, as the messages count
};

// Reads the one record the command needs from the manufacturer file: record `number` (as typed,
// counted from 1) or the first of that exact name. Reads no more than that, so that time and
// memory do not grow with the file. Holds the file's shared lock meanwhile, as the program does.
// Throws BatchStop with the message for the user.
DatabaseRecord ReadChosenRecord(const std::filesystem::path& file, const std::optional<std::string>& number,
                                const std::optional<std::string>& name);

// Every record of the file in file order, for the list of manufacturers.
std::vector<DatabaseRecord> ReadEveryRecord(const std::filesystem::path& file);

} // namespace varnholt::tools
