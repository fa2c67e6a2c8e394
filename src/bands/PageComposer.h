#pragma once

#include "bands/Band.h"
#include "bands/Document.h"
#include "bands/FontMetrics.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::bands {

// Stacks printed bands down the pages of a document: page header on top of every page, page
// footer at the bottom, a band that does not fit on a new page, a band taller than a page
// continued row by row on the next ones. Nothing is clipped.
class PageComposer {
public:
    struct Frame {
        const Band* pageHeader = nullptr;
        const Band* pageFooter = nullptr;
        bool pageHeaderOnFirstPage = true;
        std::tm dateTime{};
        std::function<void(int)> pageFinished;
        // Takes each finished page out of the document, when given.
        std::function<void(DocumentPage&&)> pageSink;
        Recording recording = Recording::Everything;
    };

    PageComposer(Document& document, const FontMetrics& metrics, Frame frame);

    void StartFirstPage();
    void PrintBand(const Band& band);
    void FinishLastPage();

private:
    // One row of a label as it lands on paper, relative to the band's top.
    struct Row {
        std::size_t labelIndex = 0;
        std::size_t sourceLine = 0;
        double left = 0.0;
        double top = 0.0;
        double height = 0.0;
        // Only a row whose text is not its source line as it stands (carriage returns taken out,
        // wrapped, a variable) keeps a text of its own: most rows print their line unchanged.
        std::optional<std::string> ownText;
    };
    struct Measured {
        std::vector<Row> rows;
        std::vector<const Label*> labels;
        double height = 0.0;
    };

    static std::string_view TextOf(const Row& row, const Label& label);
    Measured Measure(const Band& band) const;
    void AddRows(const Label& label, std::size_t labelIndex, double bandWidth, Measured& measured) const;
    std::string VariableText(const Label& label) const;
    void Place(Measured measured, bool mayBreak);
    void StartPage();
    void FinishPage();
    double FooterHeight() const;

    Document& document;
    const FontMetrics& metrics;
    Frame frame;
    double pageBottom = 0.0;
    double cursor = 0.0;
    double contentTop = 0.0; // below the page header: nothing printed on the page yet
    int pagesStarted = 0;    // the number of the page in hand
};

} // namespace varnholt::bands