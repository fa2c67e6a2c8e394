#include "PrintJobWait.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

namespace varnholt::testing {
namespace {

// The jobs `lpstat -o` still lists for the queue; nothing when lpstat itself failed.
std::optional<std::string> PendingJobs(const std::string& queue) {
    const std::string command = "lpstat -o '" + queue + "' 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string listing;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr)
        listing += buffer.data();
    const int status = ::pclose(pipe);
    if (status != 0)
        return std::nullopt;
    return listing;
}

std::vector<std::filesystem::path> PdfsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> pdfs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".pdf")
            pdfs.push_back(entry.path());
    return pdfs;
}

// A PDF is whole once its last line is the end-of-file marker (trailing line ends allowed).
bool EndsWithTrailer(const std::filesystem::path& pdf) {
    std::ifstream stream(pdf, std::ios::binary);
    stream.seekg(0, std::ios::end);
    const std::streamoff size = stream.tellg();
    if (size < 5)
        return false;
    const std::streamoff tail = std::min<std::streamoff>(size, 32);
    stream.seekg(size - tail);
    std::string end(static_cast<std::size_t>(tail), '\0');
    stream.read(end.data(), tail);
    while (!end.empty() && (end.back() == '\n' || end.back() == '\r' || end.back() == ' '))
        end.pop_back();
    return end.ends_with("%%EOF");
}

} // namespace

PrintedPdf WaitForPrintedPdf(const std::string& queue, const std::filesystem::path& spoolFolder,
                             std::chrono::seconds deadline) {
    const auto giveUp = std::chrono::steady_clock::now() + deadline;
    std::uintmax_t lastSize = 0;
    std::filesystem::path lastSeen;
    std::string state = "no PDF appeared";
    while (std::chrono::steady_clock::now() < giveUp) {
        const std::optional<std::string> pending = PendingJobs(queue);
        const std::vector<std::filesystem::path> pdfs = PdfsIn(spoolFolder);
        if (!pending) {
            state = "lpstat could not list the jobs of the queue";
        } else if (!pending->empty()) {
            state = "the queue still lists the job: " + *pending;
        } else if (pdfs.size() > 1) {
            return {{},
                    "the spool folder " + spoolFolder.string() + " holds " + std::to_string(pdfs.size()) +
                        " PDFs, expected the one of this job"};
        } else if (pdfs.size() == 1) {
            std::error_code error;
            const std::uintmax_t size = std::filesystem::file_size(pdfs.front(), error);
            // Whole and no longer growing between two looks: the backend has let go of it.
            if (!error && EndsWithTrailer(pdfs.front()) && pdfs.front() == lastSeen && size == lastSize)
                return {pdfs.front(), {}};
            state = pdfs.front().filename().string() + " is not complete yet (" + std::to_string(size) +
                    " bytes)";
            lastSeen = pdfs.front();
            lastSize = error ? 0 : size;
        } else {
            state = "the job left the queue but no PDF appeared";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {{},
            "the print job on queue " + queue + " did not finish within " + std::to_string(deadline.count()) +
                " s (" + state + "); spool folder " + spoolFolder.string()};
}

void ClearSpoolFolder(const std::filesystem::path& spoolFolder) {
    for (const std::filesystem::path& pdf : PdfsIn(spoolFolder))
        std::filesystem::remove(pdf);
}

} // namespace varnholt::testing
