#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnholt::tools {

enum class OutputFormat { Pdf, Text, Json, Csv };

// What is made of the system: its report with the key lists, the pinning list of its cylinders,
// or the keying schedule of its doors.
enum class ReportKind { System, Pinning, Doors };

// A quantity as typed: a number, "all" for everything available, or nothing (the default).
struct Quantity {
    bool all = false;
    std::string number; // the text as given, checked against the manufacturer's message later
};

// The command line of varnholt-report, checked for form only; the rules of the "Data Input"
// dialog are applied once the manufacturer is known.
struct BatchOptions {
    std::string database;
    std::optional<std::string> manufacturer;
    std::optional<std::string> record;
    std::string chambers;
    std::string masterKey; // a bitting, or "random"
    std::optional<std::string> controlKey;
    std::optional<Quantity> masters;
    std::optional<Quantity> subMasters;
    std::optional<Quantity> keys;
    OutputFormat format = OutputFormat::Pdf;
    ReportKind report = ReportKind::System;
    bool formatGiven = false;
    std::optional<std::string> output;
    std::optional<std::string> printer;
    bool a4 = false;                       // --paper a4; letter otherwise
    std::optional<std::string> system;     // a saved system to read instead of the definition options
    std::optional<std::string> saveSystem; // where to save the system
    std::optional<std::string> customer;   // job details
    std::optional<std::string> site;
    std::optional<std::string> job;
    std::optional<std::string> notes;
    std::optional<std::string> doors;   // a door list (CSV) read into the system
    std::optional<std::string> lostKey; // the key whose lost-key list is written
    bool help = false;
    bool version = false;
    bool list = false; // list the database's manufacturers instead of making a report
};

struct ParsedOptions {
    BatchOptions options;
    std::optional<std::string> error; // what is wrong with the command line
};

ParsedOptions ParseBatchOptions(const std::vector<std::string>& arguments);

std::string BatchUsage();

} // namespace varnholt::tools
