#include "report/JobDetailsText.h"

#include "bands/Label.h"
#include "report/FreeText.h"

#include <string_view>

namespace varnholt::report {

namespace {

constexpr std::size_t BlockIndent = 10;  // in line with the header's rows of asterisks
constexpr std::size_t CaptionWidth = 10; // "Job No.:" and the blanks after it
constexpr std::size_t TextWidth = 90 - BlockIndent - CaptionWidth;
constexpr std::size_t PageNumberCaptionEnd = 65; // "Page No." ends here (see BuildPageHeader)
constexpr std::string_view PageNumberCaption = "Page No.";

void AddField(std::vector<std::string>& lines, std::string_view caption, std::string_view text) {
    if (text.empty())
        return;
    bool first = true;
    for (const auto& textLine : TextLines(text)) {
        for (const std::string& piece : Wrapped(textLine, TextWidth)) {
            std::string line(BlockIndent, ' ');
            line += first ? caption : "";
            line.append(CaptionWidth - (first ? caption.size() : 0), ' ');
            line += piece;
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
            lines.push_back(std::move(line));
            first = false;
        }
    }
}

} // namespace

std::vector<std::string> JobDetailsLines(const JobDetails& job) {
    std::vector<std::string> lines;
    AddField(lines, "Customer:", job.customer);
    AddField(lines, "Site:", job.site);
    AddField(lines, "Job No.:", job.jobNumber);
    AddField(lines, "Notes:", job.notes);
    return lines;
}

void AddJobDetailsToCoverSheet(const JobDetails& job, bands::Label& RCoverSheet) {
    if (job.Empty())
        return;
    std::vector<std::string> lines = RCoverSheet.Lines();
    for (int i = 0; i < 3; ++i)
        lines.emplace_back("\r");
    for (std::string& line : JobDetailsLines(job))
        lines.push_back(std::move(line));
    RCoverSheet.SetLines(std::move(lines));
}

void AddJobNumberToPageHeader(const JobDetails& job, bands::Label& RHeader) {
    if (job.jobNumber.empty())
        return;
    std::vector<std::string> lines = RHeader.Lines();
    for (std::string& line : lines) {
        if (line.size() != PageNumberCaptionEnd || !line.ends_with(PageNumberCaption))
            continue;
        const std::size_t room = PageNumberCaptionEnd - PageNumberCaption.size() - BlockIndent - 2;
        std::vector<std::string_view> number = TextLines(job.jobNumber).front();
        const std::string caption = "Job No. ";
        std::string text = caption;
        if (number.size() + caption.size() > room)
            text += Joined(number, 0, room - caption.size() - 1) + "…";
        else
            text += Joined(number, 0, number.size());
        const std::size_t width = Characters(text).size();
        line = std::string(BlockIndent, ' ') + text +
               std::string(PageNumberCaptionEnd - PageNumberCaption.size() - BlockIndent - width, ' ') +
               std::string(PageNumberCaption);
    }
    RHeader.SetLines(std::move(lines));
}

} // namespace varnholt::report
