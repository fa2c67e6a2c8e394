#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace varnholt::testing {

// What became of a print job sent to a PDF print queue.
struct PrintedPdf {
    std::filesystem::path file; // empty when the job did not finish in time
    std::string failure;        // why, naming the queue and the spool folder
};

// Waits until a job sent to `queue` has really finished: the queue lists no pending job, and the
// PDF it wrote into `spoolFolder` ends with its trailer and no longer grows. The print backend
// writes the file while the job is still listed, so reading it any earlier can catch it half
// written. The spool folder should hold no other PDF.
PrintedPdf WaitForPrintedPdf(const std::string& queue, const std::filesystem::path& spoolFolder,
                             std::chrono::seconds deadline = std::chrono::seconds(30));

// Removes every PDF from the spool folder, so that the next one found is the next job's.
void ClearSpoolFolder(const std::filesystem::path& spoolFolder);

} // namespace varnholt::testing
