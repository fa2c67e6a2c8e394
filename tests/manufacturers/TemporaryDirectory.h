#pragma once

#include "manufacturers/ManufacturerRecord.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace varnholt::manufacturers::testing {

// A fresh directory for one test, removed with everything in it afterwards.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::random_device seed;
        path = std::filesystem::temp_directory_path() /
               ("varnholt-mfg-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path);
    }
    ~TemporaryDirectory() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    std::filesystem::path path;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(stream), {});
}

inline void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> Concatenate(const std::vector<ManufacturerRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const auto& record : records) {
        auto encoded = record.Encode();
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    return bytes;
}

// A usable record without interchangeable core: chambers 5..6, cuts 0..9, M.A.C.S 7, step 1.
inline ManufacturerRecord PlainRecord(std::string name) {
    ManufacturerRecord record;
    record.Name = std::move(name);
    record.ChamberChoices = 2;
    record.MinChambers = 5;
    record.ShallowestCut = 0;
    record.DeepestCut = 9;
    record.MaxAdjacentCut = 7;
    record.StepIncrement = 1;
    return record;
}

// Names of the records in the file, in file order.
inline std::vector<std::string> NamesInFile(const std::filesystem::path& file) {
    auto bytes = ReadBytes(file);
    std::vector<std::string> names;
    for (std::size_t offset = 0; offset + RecordSize <= bytes.size(); offset += RecordSize) {
        RecordBytes record{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), RecordSize, record.begin());
        names.push_back(ManufacturerRecord::Decode(record).Name);
    }
    return names;
}

} // namespace varnholt::manufacturers::testing