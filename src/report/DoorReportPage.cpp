#include "report/DoorReportPage.h"

#include "bands/FontMetrics.h"

#include <utility>

namespace varnholt::report {

namespace {

constexpr double FontSize = 10.0;
constexpr double MarginInches = 0.25;

} // namespace

void SetUpDoorReportPage(bands::Page& page, std::string description, std::initializer_list<bands::Label*> labels,
                         bands::Label& pageNumber) {
    page.Setup().paperWidth = 8.5;
    page.Setup().paperHeight = 11.0;
    page.SetMargins(MarginInches, MarginInches, MarginInches, MarginInches);
    page.SetDescription(std::move(description));
    page.SetPageHeaderOnFirstPage(false);
    for (bands::Label* label : labels)
        label->SetFontSize(FontSize);
    pageNumber.SetFontSize(FontSize);

    const bands::FixedPitchMetrics metrics;
    const bands::Font font{"Courier New", FontSize};
    pageNumber.SetVariable(bands::LabelVariable::PageNumber);
    pageNumber.SetPosition(metrics.TextWidth(font, std::string(DoorPageNumberColumn, ' ')), 0.0);
    pageNumber.SetWidth(metrics.TextWidth(font, "00000"));
    pageNumber.SetAlignment(bands::Alignment::Right);
    page.OnDataSkip = [](bands::Page& done) { done.SetDone(true); };
}

} // namespace varnholt::report
