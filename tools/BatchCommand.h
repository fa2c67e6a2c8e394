#pragma once

#include "bands/Document.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace varnholt::tools {

// Exit statuses of varnholt-report.
inline constexpr int ExitDone = 0;
inline constexpr int ExitFileFailure = 1; // a file could not be read or written, or the print failed
inline constexpr int ExitRefused = 2;     // the request was refused, nothing written

// Outcome of drawing the report on paper; message says what went wrong.
struct PaperResult {
    bool succeeded = false;
    std::string message;
};

// What the command needs from the windowing side: drawing a PDF and printing on a queue, the
// same way the preview does. Kept apart so that the command itself needs no display.
struct PaperServices {
    std::function<PaperResult(const bands::Document&, const std::filesystem::path&)> writePdf;
    std::function<PaperResult(const bands::Document&, const std::string& queue)> printToQueue;
    // For --version: this program's version and the Qt version the paper output runs on.
    std::string programVersion;
    std::string qtVersion;
};

// Runs varnholt-report with its arguments (without the program name). The report or the key
// schedule goes to out or to the files the arguments name; messages go to err.
int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    bool outIsTerminal, const PaperServices& paper);

} // namespace varnholt::tools
