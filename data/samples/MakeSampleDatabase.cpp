// Writes the sample manufacturer database from its readable profile list.
// Usage: make-sample-database PROFILES.csv OUTPUT.MFG
#include "manufacturers/ManufacturerRecord.h"
#include "manufacturers/RecordValidity.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ';'))
        fields.push_back(field);
    if (!line.empty() && line.back() == ';')
        fields.emplace_back();
    return fields;
}

int Number(const std::string& text) {
    return text.empty() ? 0 : std::stoi(text);
}

} // namespace

int main(int argumentCount, char** arguments) {
    if (argumentCount != 3) {
        std::cerr << "usage: make-sample-database PROFILES.csv OUTPUT.MFG\n";
        return 2;
    }
    std::ifstream profiles(arguments[1]);
    if (!profiles) {
        std::cerr << "cannot read " << arguments[1] << '\n';
        return 1;
    }
    std::vector<varnholt::manufacturers::ManufacturerRecord> records;
    std::string line;
    int lineNumber = 0;
    while (std::getline(profiles, line)) {
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        const auto fields = SplitFields(line);
        if (fields.size() != 10) {
            std::cerr << arguments[1] << ':' << lineNumber << ": expected 10 fields\n";
            return 1;
        }
        varnholt::manufacturers::ManufacturerRecord record;
        record.Name = fields[0];
        record.MinChambers = Number(fields[1]);
        record.ChamberChoices = Number(fields[2]) - record.MinChambers + 1;
        record.ShallowestCut = Number(fields[3]);
        record.DeepestCut = Number(fields[4]);
        record.MaxAdjacentCut = Number(fields[5]);
        record.StepIncrement = Number(fields[6]);
        record.IsICore = !fields[9].empty();
        if (record.IsICore) {
            record.ControlFactor = Number(fields[7]);
            record.StackTotal = Number(fields[8]);
            record.ControlChambers = fields[9];
        }
        if (const auto problem = varnholt::manufacturers::FindImpossibleValue(record)) {
            std::cerr << arguments[1] << ':' << lineNumber << ": " << *problem << '\n';
            return 1;
        }
        records.push_back(record);
    }
    std::ofstream database(arguments[2], std::ios::binary | std::ios::trunc);
    for (const auto& record : records) {
        const auto bytes = record.Encode();
        database.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
    }
    database.close();
    if (!database) {
        std::cerr << "cannot write " << arguments[2] << '\n';
        return 1;
    }
    return 0;
}
