#include "bands/PageComposer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace varnholt::bands {
namespace {

constexpr double PointsPerInch = 72.0;
// Rounding slack so that a band that fits exactly is not pushed to the next page.
constexpr double Tolerance = 1e-6;

std::string WithoutCarriageReturns(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (const char character : line) {
        if (character != '\r') {
            text.push_back(character);
        }
    }
    return text;
}

// Greedy word wrap at blanks; a word longer than the width is broken where it must be.
std::vector<std::string> Wrap(const std::string& text, const Font& font, double width,
                              const FontMetrics& metrics) {
    std::vector<std::string> rows;
    if (width <= 0.0 || metrics.TextWidth(font, text) <= width + Tolerance) {
        rows.push_back(text);
        return rows;
    }
    std::string row;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t wordEnd = text.find(' ', position);
        if (wordEnd == std::string::npos) {
            wordEnd = text.size();
        }
        const std::string word = text.substr(position, wordEnd - position);
        const std::string candidate = row.empty() ? word : row + ' ' + word;
        if (metrics.TextWidth(font, candidate) <= width + Tolerance) {
            row = candidate;
        } else {
            if (!row.empty()) {
                rows.push_back(row);
                row.clear();
            }
            std::string rest = word;
            while (metrics.TextWidth(font, rest) > width + Tolerance && rest.size() > 1) {
                std::size_t cut = rest.size() - 1;
                while (cut > 1 && metrics.TextWidth(font, rest.substr(0, cut)) > width + Tolerance) {
                    --cut;
                }
                // Keep UTF-8 sequences whole.
                while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0U) == 0x80U) {
                    --cut;
                }
                rows.push_back(rest.substr(0, cut));
                rest.erase(0, cut);
            }
            row = rest;
        }
        position = wordEnd + 1;
    }
    rows.push_back(row);
    return rows;
}

} // namespace

PageComposer::PageComposer(Document& target, const FontMetrics& fontMetrics, Frame pageFrame)
    : document(target), metrics(fontMetrics), frame(std::move(pageFrame)) {}

void PageComposer::StartFirstPage() {
    StartPage();
}

void PageComposer::FinishLastPage() {
    FinishPage();
}

double PageComposer::FooterHeight() const {
    if (frame.pageFooter == nullptr || !frame.pageFooter->Visible()) {
        return 0.0;
    }
    return Measure(*frame.pageFooter).height;
}

void PageComposer::StartPage() {
    const PageSetup& setup = document.setup;
    DocumentPage page;
    page.number = ++pagesStarted;
    document.pages.push_back(std::move(page));
    cursor = setup.topMargin * PointsPerInch;
    pageBottom = (setup.paperHeight - setup.bottomMargin) * PointsPerInch - FooterHeight();
    const bool printHeader = pagesStarted > 1 || frame.pageHeaderOnFirstPage;
    if (printHeader && frame.pageHeader != nullptr && frame.pageHeader->Visible()) {
        Place(Measure(*frame.pageHeader), false);
    }
    contentTop = cursor;
}

void PageComposer::FinishPage() {
    if (frame.pageFooter != nullptr && frame.pageFooter->Visible()) {
        Measured footer = Measure(*frame.pageFooter);
        cursor = (document.setup.paperHeight - document.setup.bottomMargin) * PointsPerInch - footer.height;
        Place(std::move(footer), false);
    }
    if (frame.pageFinished) {
        frame.pageFinished(document.pages.back().number);
    }
    if (frame.pageSink) {
        frame.pageSink(std::move(document.pages.back()));
        document.pages.pop_back();
    }
}

void PageComposer::PrintBand(const Band& band) {
    if (!band.Visible()) {
        return;
    }
    Measured measured = Measure(band);
    const bool pageHasContent = cursor > contentTop + Tolerance;
    if (pageHasContent && (band.NewPage() || cursor + measured.height > pageBottom + Tolerance)) {
        FinishPage();
        StartPage();
    }
    Place(std::move(measured), true);
}

std::string PageComposer::VariableText(const Label& label) const {
    if (label.Variable() == LabelVariable::PageNumber) {
        return std::to_string(pagesStarted);
    }
    std::array<char, 256> buffer{};
    const std::size_t length =
        std::strftime(buffer.data(), buffer.size(), label.DateTimeFormat().c_str(), &frame.dateTime);
    return std::string(buffer.data(), length);
}

void PageComposer::AddRows(const Label& label, std::size_t labelIndex, double bandWidth,
                           Measured& measured) const {
    const Font& font = label.Font();
    const double lineHeight = metrics.LineHeight(font);
    const double width = label.Width() > 0.0 ? label.Width() : bandWidth - label.Left();
    double top = label.Top();
    const auto addRow = [&](std::size_t sourceLine, std::optional<std::string> text) {
        double left = label.Left();
        if (label.Alignment() != Alignment::Left) {
            const std::string_view shown = text ? std::string_view(*text) : label.Lines()[sourceLine];
            const double slack = std::max(0.0, width - metrics.TextWidth(font, shown));
            left += label.Alignment() == Alignment::Right ? slack : slack / 2.0;
        }
        measured.rows.push_back(Row{labelIndex, sourceLine, left, top, lineHeight, std::move(text)});
        top += lineHeight;
    };
    if (label.Variable() != LabelVariable::None) {
        addRow(0, VariableText(label));
    } else {
        const auto& lines = label.Lines();
        measured.rows.reserve(measured.rows.size() + lines.size());
        for (std::size_t index = 0; index < lines.size(); ++index) {
            const std::string& line = lines[index];
            const bool plain = line.find('\r') == std::string::npos;
            if (label.WordWrap()) {
                for (std::string& row : Wrap(plain ? line : WithoutCarriageReturns(line), font, width, metrics)) {
                    addRow(index, std::move(row));
                }
            } else if (plain) {
                addRow(index, std::nullopt);
            } else {
                addRow(index, WithoutCarriageReturns(line));
            }
        }
    }
    const double bottom = label.Stretch() ? top : std::max(top, label.Top() + label.Height());
    measured.height = std::max(measured.height, bottom);
}

std::string_view PageComposer::TextOf(const Row& row, const Label& label) {
    if (row.ownText) {
        return *row.ownText;
    }
    return label.Lines()[row.sourceLine];
}

PageComposer::Measured PageComposer::Measure(const Band& band) const {
    Measured measured;
    const PageSetup& setup = document.setup;
    const double bandWidth = (setup.paperWidth - setup.leftMargin - setup.rightMargin) * PointsPerInch;
    for (const auto& label : band.Labels()) {
        if (label->Visible()) {
            measured.labels.push_back(label.get());
            AddRows(*label, measured.labels.size() - 1, bandWidth, measured);
        }
    }
    if (!band.Stretch()) {
        measured.height = std::max(measured.height, band.Height());
    }
    // Rows go down the page in order, which a single label gives already.
    const auto byTop = [](const Row& first, const Row& second) { return first.top < second.top; };
    if (!std::is_sorted(measured.rows.begin(), measured.rows.end(), byTop)) {
        std::stable_sort(measured.rows.begin(), measured.rows.end(), byTop);
    }
    return measured;
}

void PageComposer::Place(Measured measured, bool mayBreak) {
    const double left = document.setup.leftMargin * PointsPerInch;
    double offset = cursor;
    double bottom = cursor + measured.height;
    // Where each label's part on the current page is recorded, by label index.
    std::vector<std::size_t> partOf(measured.labels.size(), SIZE_MAX);
    std::vector<std::size_t> lastSourceLine(measured.labels.size(), SIZE_MAX);
    const auto partFor = [&](std::size_t labelIndex) -> PrintedLabel& {
        auto& labels = document.pages.back().labels;
        if (partOf[labelIndex] == SIZE_MAX) {
            const bool continued = lastSourceLine[labelIndex] != SIZE_MAX;
            partOf[labelIndex] = labels.size();
            labels.push_back(PrintedLabel{measured.labels[labelIndex]->Name(), {}, continued});
        }
        return labels[partOf[labelIndex]];
    };
    const bool keepLabelLines = frame.recording != Recording::PlacedTexts;
    const bool keepTexts = frame.recording != Recording::LabelLines;
    for (std::size_t index = 0; keepLabelLines && index < measured.labels.size(); ++index) {
        partFor(index);
    }
    for (Row& row : measured.rows) {
        double top = offset + row.top;
        if (mayBreak && top + row.height > pageBottom + Tolerance && top > contentTop + Tolerance) {
            FinishPage();
            StartPage();
            std::fill(partOf.begin(), partOf.end(), SIZE_MAX);
            offset = cursor - row.top;
            top = cursor;
            bottom = offset + measured.height;
        }
        const Label& label = *measured.labels[row.labelIndex];
        if (keepLabelLines) {
            PrintedLabel& part = partFor(row.labelIndex);
            if (lastSourceLine[row.labelIndex] != row.sourceLine) {
                lastSourceLine[row.labelIndex] = row.sourceLine;
                if (label.Variable() != LabelVariable::None) {
                    part.lines.emplace_back(TextOf(row, label));
                } else {
                    part.lines.push_back(label.Lines()[row.sourceLine]);
                }
            }
        }
        if (keepTexts) {
            std::string text = row.ownText ? std::move(*row.ownText) : std::string(TextOf(row, label));
            document.pages.back().texts.push_back(PlacedText{left + row.left, top, std::move(text), label.Font()});
        }
        bottom = std::max(bottom, top + row.height);
    }
    cursor = bottom;
}

} // namespace varnholt::bands