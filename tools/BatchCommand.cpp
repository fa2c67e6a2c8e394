#include "BatchCommand.h"

#include "BatchOptions.h"
#include "BatchRequest.h"
#include "Diagnostics.h"
#include "KeyScheduleCsv.h"
#include "ManufacturerList.h"
#include "OutputFile.h"

#include "bands/JsonOutput.h"
#include "bands/Paper.h"
#include "bands/TextOutput.h"
#include "engine/GenerationState.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "manufacturers/FileReplacement.h"
#include "manufacturers/ManufacturerRecord.h"
#include "manufacturers/RecordValidity.h"
#include "report/TForm3.h"
#include "toolkit/InputOutputError.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace varnholt::tools {

namespace {

// A refusal or failure on the way: what to tell the user and with which status to end.
struct Stop {
    int status = ExitRefused;
    std::string message;
    bool commandLine = false; // a fault of the command line: point to --help
};

struct DatabaseRecord {
    manufacturers::RecordBytes bytes{};
    manufacturers::ManufacturerRecord record;
    std::size_t number = 0; // 1-based, as the messages count
};

std::vector<std::uint8_t> ReadDatabase(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        throw Stop{ExitFileFailure, "The manufacturer file \"" + file.string() + "\" cannot be found or read."};
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        throw Stop{ExitFileFailure, "The manufacturer file \"" + file.string() + "\" cannot be opened for reading."};
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad())
        throw Stop{ExitFileFailure, "The manufacturer file \"" + file.string() + "\" could not be read."};
    return bytes;
}

std::vector<DatabaseRecord> SplitRecords(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& file)
{
    if (bytes.size() % manufacturers::RecordSize != 0)
        throw Stop{ExitRefused, "The manufacturer file \"" + file.string() + "\" is damaged:\nits size of " +
                                    std::to_string(bytes.size()) + " bytes is not a whole number of " +
                                    std::to_string(manufacturers::RecordSize) + "-byte records."};
    std::vector<DatabaseRecord> records(bytes.size() / manufacturers::RecordSize);
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * manufacturers::RecordSize),
                    manufacturers::RecordSize, records[i].bytes.begin());
        records[i].record = manufacturers::ManufacturerRecord::Decode(records[i].bytes);
        records[i].number = i + 1;
    }
    return records;
}

const DatabaseRecord& ChooseRecord(const std::vector<DatabaseRecord>& records, const BatchOptions& options)
{
    if (options.record) {
        const auto number = WholeNumber(*options.record);
        if (!number || *number < 1 || static_cast<std::size_t>(*number) > records.size())
            throw Stop{ExitRefused, "There is no record " + *options.record + " in the manufacturer file; it holds " +
                                        std::to_string(records.size()) + " record" + (records.size() == 1 ? "" : "s") +
                                        "."};
        return records[static_cast<std::size_t>(*number - 1)];
    }
    for (const DatabaseRecord& candidate : records)
        if (candidate.record.Name == *options.manufacturer)
            return candidate;
    throw Stop{ExitRefused, "There is no manufacturer \"" + *options.manufacturer + "\" in the manufacturer file."};
}

void CheckRecordUsable(const DatabaseRecord& chosen)
{
    if (auto damage = manufacturers::DescribeRecordDamage(chosen.bytes, chosen.number))
        throw Stop{ExitRefused, *damage};
}

void WriteText(const std::string& text, const BatchOptions& options, std::ostream& out)
{
    if (!options.output) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out)
            throw Stop{ExitFileFailure, "The report could not be written to standard output."};
        return;
    }
    if (auto failure = WriteFileWhole(*options.output, [&text](const std::filesystem::path& file) {
            return WriteTextFile(file, text);
        }))
        throw Stop{ExitFileFailure, *failure};
}

void WritePdf(const bands::Document& document, const BatchOptions& options, std::ostream& out, bool outIsTerminal,
              const PaperServices& paper)
{
    const auto draw = [&](const std::filesystem::path& file) -> std::optional<std::string> {
        const PaperResult result = paper.writePdf(document, file);
        if (!result.succeeded)
            return result.message;
        return std::nullopt;
    };
    if (options.output) {
        if (auto failure = WriteFileWhole(*options.output, draw))
            throw Stop{ExitFileFailure, *failure};
        return;
    }
    if (outIsTerminal)
        throw Stop{ExitRefused, "A PDF is not written to a terminal: name a file with --output, redirect standard "
                                "output, or choose another --format."};
    // The PDF is drawn into a file first; it lies in a folder only the user can enter, and goes
    // with the folder however the run ends.
    std::optional<manufacturers::TemporaryFile> file;
    try {
        file.emplace(manufacturers::TemporaryFile::InPrivateFolder{"varnholt-report.pdf"});
    } catch (const toolkit::InputOutputError& failure) {
        throw Stop{ExitFileFailure, failure.what()};
    }
    if (auto failure = draw(file->Path()))
        throw Stop{ExitFileFailure, *failure};
    std::ifstream stream(file->Path(), std::ios::binary);
    out << stream.rdbuf();
    out.flush();
    if (!stream || !out)
        throw Stop{ExitFileFailure, "The PDF could not be written to standard output."};
}

int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool outIsTerminal,
        const PaperServices& paper)
{
    const ParsedOptions parsed = ParseBatchOptions(arguments);
    if (parsed.options.help) {
        out << BatchUsage();
        return ExitDone;
    }
    if (parsed.options.version) {
        out << ProgramName << " (Varnholt Lite) " << paper.programVersion << "\nQt " << paper.qtVersion << "\n";
        return ExitDone;
    }
    if (parsed.error)
        throw Stop{ExitRefused, *parsed.error, true};
    const BatchOptions& options = parsed.options;
    if (options.list) {
        const std::vector<DatabaseRecord> records = SplitRecords(ReadDatabase(options.database), options.database);
        std::vector<manufacturers::ManufacturerRecord> listed;
        for (const DatabaseRecord& record : records)
            listed.push_back(record.record);
        WriteText(options.format == OutputFormat::Json ? ManufacturerListJson(listed) : ManufacturerListText(listed),
                  options, out);
        return ExitDone;
    }
    // The database is the user's only copy of the manufacturers; a report never takes its place.
    std::error_code sameFileError;
    if (options.output && std::filesystem::equivalent(*options.output, options.database, sameFileError))
        throw Stop{ExitRefused, "The report would replace the manufacturer file \"" + options.database +
                                    "\"; name another file with --output."};

    const std::vector<DatabaseRecord> records = SplitRecords(ReadDatabase(options.database), options.database);
    const DatabaseRecord& chosen = ChooseRecord(records, options);
    CheckRecordUsable(chosen);

    const BatchRequest built = BuildBatchRequest(options, chosen.record, err);
    if (built.refusal)
        throw Stop{ExitRefused, *built.refusal};
    GenerationState state;
    static_cast<KeySystemRequest&>(state) = built.request;
    ClearProgressionTable(state);
    GenerateProgression(state);

    // The report is run only for what is drawn from it; the key schedule is the system itself.
    const auto runReport = [&state, &options] {
        report::TForm3 form(state);
        bands::Document document = form.StartReport();
        if (options.a4)
            bands::PlaceOnPaper(document, bands::Paper::A4);
        return document;
    };
    if (options.printer) {
        const PaperResult result = paper.printToQueue(runReport(), *options.printer);
        if (!result.succeeded)
            throw Stop{ExitFileFailure, result.message};
        return ExitDone;
    }
    switch (options.format) {
    case OutputFormat::Json:
        WriteText(bands::ToJson(runReport()), options, out);
        break;
    case OutputFormat::Text:
        WriteText(bands::ToText(runReport()), options, out);
        break;
    case OutputFormat::Csv:
        WriteText(KeyScheduleCsvText(ComputeKeySchedule(state)), options, out);
        break;
    case OutputFormat::Pdf:
        WritePdf(runReport(), options, out, outIsTerminal, paper);
        break;
    }
    return ExitDone;
}

} // namespace

int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    bool outIsTerminal, const PaperServices& paper)
{
    try {
        return Run(arguments, out, err, outIsTerminal, paper);
    } catch (const Stop& stop) {
        err << (stop.commandLine ? UsageErrorText(stop.message) : DiagnosticLine(stop.message));
        return stop.status;
    } catch (const std::exception& failure) {
        err << DiagnosticLine(std::string("The report could not be made: ") + failure.what());
        return ExitFileFailure;
    }
}

} // namespace varnholt::tools
