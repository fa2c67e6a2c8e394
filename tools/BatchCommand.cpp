#include "BatchCommand.h"

#include "BatchDoors.h"
#include "BatchOptions.h"
#include "BatchRequest.h"
#include "BatchStop.h"
#include "BatchSystemFile.h"
#include "DatabaseReader.h"
#include "Diagnostics.h"
#include "ManufacturerList.h"
#include "OutputFile.h"

#include "bands/JsonOutput.h"
#include "bands/Paper.h"
#include "bands/TextOutput.h"
#include "engine/GenerationState.h"
#include "engine/KeyCounts.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "exports/KeyScheduleCsv.h"
#include "exports/PinningListCsv.h"
#include "exports/ReportDocuments.h"
#include "files/FileError.h"
#include "files/FileReplacement.h"
#include "files/Utf8Path.h"
#include "manufacturers/CodePage1252.h"
#include "manufacturers/ManufacturerRecord.h"
#include "manufacturers/RecordValidity.h"
#include "report/SummaryPage.h"
#include "systems/KeyListFingerprint.h"
#include "systems/SystemFile.h"
#include "systems/SystemRebuild.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace varnholt::tools {

namespace {

void CheckRecordUsable(const DatabaseRecord& chosen) {
    if (auto damage = manufacturers::DescribeRecordDamage(chosen.bytes, chosen.number))
        throw BatchStop{ExitRefused, *damage};
}

// Where a report goes to --output, `alongside` is what must be written with it or not at all
// (the saved system): it runs once the report is complete and before the report takes its name.
void WriteStreamed(const StreamWriter& write, const BatchOptions& options, std::ostream& out,
                   const files::Companion& alongside = {}) {
    if (!options.output) {
        write(out);
        out.flush();
        if (!out)
            throw BatchStop{ExitFileFailure, "The report could not be written to standard output."};
        return;
    }
    if (auto failure = files::WriteFileWhole(
            files::PathFromUtf8(*options.output),
            [&write](const std::filesystem::path& file) { return WriteStreamFile(file, write); }, alongside))
        throw BatchStop{ExitFileFailure, *failure};
}

void WriteText(const std::string& text, const BatchOptions& options, std::ostream& out,
               const files::Companion& alongside = {}) {
    WriteStreamed(
        [&text](std::ostream& stream) {
            stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        },
        options, out, alongside);
}

// The document keeps only what the output is written from.
bands::Recording RecordingFor(OutputFormat format) {
    return format == OutputFormat::Json ? bands::Recording::LabelLines : bands::Recording::PlacedTexts;
}

void WriteCsv(const GenerationState& state, const KeySchedule& schedule, const BatchOptions& options,
              const std::vector<systems::Door>& doors, std::ostream& out, const files::Companion& alongside) {
    if (options.report == ReportKind::Doors || options.lostKey) {
        WriteText(DoorsCsvText(options, state, schedule, doors), options, out, alongside);
        return;
    }
    if (options.report == ReportKind::System) {
        WriteStreamed([&](std::ostream& stream) { exports::WriteKeyScheduleCsv(schedule, stream); }, options,
                      out, alongside);
        return;
    }
    WriteStreamed([&](std::ostream& stream) { exports::WritePinningListCsv(state, schedule, stream); },
                  options, out, alongside);
}

void WritePdf(const bands::Document& document, const BatchOptions& options, std::ostream& out,
              bool outIsTerminal, const PaperServices& paper, const files::Companion& alongside) {
    const auto draw = [&](const std::filesystem::path& file) -> std::optional<std::string> {
        const PaperResult result = paper.writePdf(document, file);
        if (!result.succeeded)
            return result.message;
        return std::nullopt;
    };
    if (options.output) {
        if (auto failure = files::WriteFileWhole(files::PathFromUtf8(*options.output), draw, alongside))
            throw BatchStop{ExitFileFailure, *failure};
        return;
    }
    if (outIsTerminal)
        throw BatchStop{ExitRefused,
                        "A PDF is not written to a terminal: name a file with --output, redirect standard "
                        "output, or choose another --format."};
    // The PDF is drawn into a file first; it lies in a folder only the user can enter, and goes
    // with the folder however the run ends.
    std::optional<files::TemporaryFile> file;
    try {
        file.emplace(files::TemporaryFile::InPrivateFolder{"varnholt-report.pdf"});
    } catch (const files::FileError& failure) {
        throw BatchStop{ExitFileFailure, failure.what()};
    }
    if (auto failure = draw(file->Path()))
        throw BatchStop{ExitFileFailure, *failure};
    std::ifstream stream(file->Path(), std::ios::binary);
    out << stream.rdbuf();
    out.flush();
    if (!stream || !out)
        throw BatchStop{ExitFileFailure, "The PDF could not be written to standard output."};
}

// The system the command line asks for: a saved one, or one built from the database's record.
BatchSystem ChooseSystem(const BatchOptions& options, std::ostream& err) {
    if (options.system)
        return ReadBatchSystem(*options.system);
    const DatabaseRecord chosen = ReadChosenRecord(files::PathFromUtf8(options.database), options.record, options.manufacturer);
    CheckRecordUsable(chosen);
    BatchSystem system;
    static_cast<KeySystemRequest&>(system.state) = BuildBatchRequest(options, chosen.record, err);
    ClearProgressionTable(system.state);
    GenerateProgression(system.state);
    // Only a system that is saved needs its fingerprint.
    if (options.saveSystem)
        system.saved = systems::CaptureSystem(chosen.record, system.state, {});
    return system;
}

bool SameFile(const std::string& one, const std::string& other) {
    std::error_code error;
    const std::filesystem::path first = files::PathFromUtf8(one);
    const std::filesystem::path second = files::PathFromUtf8(other);
    return first.lexically_normal() == second.lexically_normal() || std::filesystem::equivalent(first, second, error);
}

// Text that is not UTF-8 (typed on a terminal of another character set) would be printed as
// garbage and saved into a system file that no program opens again.
void CheckJobDetailsText(const BatchOptions& options) {
    const std::pair<const char*, const std::optional<std::string>*> details[] = {
        {"--customer", &options.customer},
        {"--site", &options.site},
        {"--job", &options.job},
        {"--notes", &options.notes}};
    for (const auto& [option, text] : details) {
        if (!*text)
            continue;
        for (std::string_view rest = **text; !rest.empty();) {
            const auto character = manufacturers::ReadCodePoint(rest);
            if (!character)
                throw BatchStop{
                    ExitRefused,
                    std::string("the text of option '") + option +
                        "' is not UTF-8; give it as UTF-8 (the terminal may use another character set)",
                    true};
            rest.remove_prefix(character->length);
        }
    }
}

// The saved system goes into a file of its own, never over the database or the report.
void CheckSaveTarget(const BatchOptions& options) {
    if (!options.saveSystem)
        return;
    if (!options.database.empty() && SameFile(*options.saveSystem, options.database))
        throw BatchStop{ExitRefused, "The system file would replace the manufacturer file \"" +
                                         options.database + "\"; name another file with --save-system."};
    if (options.output && SameFile(*options.saveSystem, *options.output))
        throw BatchStop{ExitRefused, "--save-system and --output name the same file \"" + *options.output +
                                         "\"; name two files."};
}

// --help, --version and --list are answered without a system; nothing when a report is asked for.
std::optional<int> AnswerWithoutSystem(const ParsedOptions& parsed, std::ostream& out,
                                       const PaperServices& paper) {
    if (parsed.options.help) {
        out << BatchUsage();
        return ExitDone;
    }
    if (parsed.options.version) {
        out << ProgramName << " (Varnholt Lite) " << paper.programVersion << "\nQt " << paper.qtVersion
            << "\n";
        return ExitDone;
    }
    if (parsed.error)
        throw BatchStop{ExitRefused, *parsed.error, true};
    const BatchOptions& options = parsed.options;
    if (!options.list)
        return std::nullopt;
    const std::vector<DatabaseRecord> listed = ReadEveryRecord(files::PathFromUtf8(options.database));
    WriteText(options.format == OutputFormat::Json ? ManufacturerListJson(listed)
                                                   : ManufacturerListText(listed),
              options, out);
    return ExitDone;
}

// What is written never takes the place of a file the system is made from; what is saved is
// readable again.
void CheckTargets(const BatchOptions& options) {
    // The database is the user's only copy of the manufacturers; a report never takes its place.
    std::error_code sameFileError;
    if (options.output && std::filesystem::equivalent(files::PathFromUtf8(*options.output), files::PathFromUtf8(options.database), sameFileError))
        throw BatchStop{ExitRefused, "The report would replace the manufacturer file \"" + options.database +
                                         "\"; name another file with --output."};

    // Nor does it take the place of the saved system it is made from.
    if (options.output && options.system && SameFile(*options.output, *options.system))
        throw BatchStop{ExitRefused, "The report would replace the system file \"" + *options.system +
                                         "\"; name another file with --output."};
    if (options.output && options.doors && SameFile(*options.output, *options.doors))
        throw BatchStop{ExitRefused, "The report would replace the door list \"" + *options.doors +
                                         "\"; name another file with --output."};
    CheckSaveTarget(options);
    CheckJobDetailsText(options);
}

// The report the options ask for, printed or written in its format; `saveSystem` is written with
// it or not at all.
void WriteReport(const BatchOptions& options, BatchSystem& system, std::optional<KeySchedule>& schedule,
                 const std::vector<systems::Door>& doors, const files::Companion& saveSystem, std::ostream& out,
                 bool outIsTerminal, const PaperServices& paper) {
    GenerationState& state = system.state;
    // The report is run only for what is drawn from it; the key schedule is the system itself.
    const auto runReport = [&](OutputFormat format, bands::Report::PageSink sink = {}) {
        bands::Document document =
            options.report == ReportKind::Doors || options.lostKey
                ? DoorsDocument(options, state, doors, system.saved.job, RecordingFor(format))
            : options.report == ReportKind::Pinning
                ? exports::PinningListDocument(state, schedule, system.saved.job, RecordingFor(format),
                                               std::move(sink))
                : exports::SystemReportDocument(state, *schedule, system.saved.job, RecordingFor(format),
                                                std::move(sink));
        // The pages hold all that is drawn from them: the keys go before the paper is drawn.
        schedule.reset();
        if (options.a4)
            bands::PlaceOnPaper(document, bands::Paper::A4);
        return document;
    };
    // JSON goes out page by page as the report finishes them (the paper size does not show in it);
    // a report that takes no sink keeps its pages.
    const auto writeJson = [&](std::ostream& stream) {
        bands::JsonPageWriter writer(stream);
        const bands::Document kept =
            runReport(OutputFormat::Json, [&writer](bands::DocumentPage&& page) { writer.WritePage(page); });
        for (const bands::DocumentPage& page : kept.pages)
            writer.WritePage(page);
        writer.Finish();
    };
    // A printer is given the pages as paper has them, whatever the format.
    if (options.printer) {
        const PaperResult result = paper.printToQueue(runReport(OutputFormat::Pdf), *options.printer);
        if (!result.succeeded)
            throw BatchStop{ExitFileFailure, result.message};
        if (auto failure = saveSystem())
            throw BatchStop{ExitFileFailure, *failure};
        return;
    }
    switch (options.format) {
    case OutputFormat::Json:
        WriteStreamed(writeJson, options, out, saveSystem);
        break;
    case OutputFormat::Text:
        WriteStreamed([&](std::ostream& stream) { bands::WriteText(runReport(OutputFormat::Text), stream); },
                      options, out, saveSystem);
        break;
    case OutputFormat::Csv:
        WriteCsv(state, *schedule, options, doors, out, saveSystem);
        break;
    case OutputFormat::Pdf:
        WritePdf(runReport(OutputFormat::Pdf), options, out, outIsTerminal, paper, saveSystem);
        break;
    }
}

int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool outIsTerminal,
        const PaperServices& paper) {
    const ParsedOptions parsed = ParseBatchOptions(arguments);
    if (const auto answered = AnswerWithoutSystem(parsed, out, paper))
        return *answered;
    const BatchOptions& options = parsed.options;
    CheckTargets(options);

    BatchSystem system = ChooseSystem(options, err);
    // The keys are worked out once, for the note, the doors, the report and the CSV alike.
    std::optional<KeySchedule> schedule(ComputeKeySchedule(system.state));
    // Fewer keys than asked is no failure, but the user hears of it once what was asked is written.
    const std::string shortfall = report::ShortfallNote(CountKeys(system.state, *schedule));
    const auto done = [&shortfall, &err] {
        if (!shortfall.empty())
            err << DiagnosticLine("note: " + shortfall);
        return ExitDone;
    };
    if (system.note)
        err << DiagnosticLine("note: " + *system.note);
    system.saved.job = JobDetailsFrom(options, system.saved.job);
    // The system is saved with its report or not at all: a report that fails leaves no saved
    // system behind, and a failed save no report.
    const files::Companion saveSystem = [&options, &system]() -> std::optional<std::string> {
        if (!options.saveSystem)
            return std::nullopt;
        return systems::SaveSystemFile(files::PathFromUtf8(*options.saveSystem), system.saved, std::chrono::system_clock::now());
    };
    GenerationState& state = system.state;
    // A door list is checked whole before anything is written; it takes the place of the saved
    // doors, in the report and in the system saved.
    if (options.doors) {
        system.saved.doors = ReadBatchDoors(*options.doors, state, *schedule);
        if (options.saveSystem)
            system.saved.fingerprint = systems::KeysAndPinsFingerprint(state, *schedule, system.saved.doors);
    } else if ((options.report == ReportKind::Doors || options.lostKey) && system.saved.doors.empty()) {
        throw BatchStop{ExitRefused, "The system file \"" + options.system.value_or("") +
                                         "\" holds no doors; give the door list with --doors FILE.csv."};
    }
    const std::vector<systems::Door>& doors = system.saved.doors;
    if (options.saveSystem && !options.output && !options.printer) {
        if (auto failure = saveSystem())
            throw BatchStop{ExitFileFailure, *failure};
        return done();
    }
    WriteReport(options, system, schedule, doors, saveSystem, out, outIsTerminal, paper);
    return done();
}

} // namespace

int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    bool outIsTerminal, const PaperServices& paper) {
    try {
        return Run(arguments, out, err, outIsTerminal, paper);
    } catch (const BatchStop& stop) {
        err << (stop.commandLine ? UsageErrorText(stop.message) : DiagnosticLine(stop.message));
        return stop.status;
    } catch (const std::exception& failure) {
        err << DiagnosticLine(std::string("The report could not be made: ") + failure.what());
        return ExitFileFailure;
    }
}

} // namespace varnholt::tools
