#include "SyntheticReport.h"

#include <string>

namespace varnholt::benchbands {

SyntheticReport::SyntheticReport(int pages) : pages_(pages) {
    bands::Page& page = report_.ReportPage();
    page.SetMargins(0.25, 0.25, 0.25, 0.25);
    page.SetDescription("Synthetic Report");
    bands::Band& header = report_.AddPageHeader("PageHeader");
    header.SetStretch(true);
    header.AddLabel("RHeader").SetLines(
        {std::string(70, '*'), "SYNTHETIC 6 Pin", "Page No.", std::string(70, '*') + "\r"});
    bands::Label& pageNumber = header.AddLabel("varlabel");
    pageNumber.SetVariable(bands::LabelVariable::PageNumber);
    pageNumber.SetPosition(9 * 6.0, 2 * 10.5);
    report_.AddPageFooter("PageFooter").AddLabel("RFooter");

    bands::Band& detail = report_.AddDetail("Detail");
    bands::Band* parent = &report_.AddSubBand(detail, "DetailBandSub1");
    bands::Band& pagesBand = report_.AddSubDataBand(*parent, "Pages");
    pagesBand.SetVisible(false);
    pagesBand.OnDataStart = [this](bands::Band&) { page_ = 0; };
    pagesBand.OnAfterDataSkip = [this](bands::Band&) { ++page_; };
    pagesBand.OnDataSkip = [this](bands::Band& band) { band.SetDone(page_ == pages_); };
    parent = &pagesBand;
    for (int level = 1; level <= 19; ++level) {
        bands::Band& through = report_.AddSubDataBand(*parent, "Level" + std::to_string(level));
        through.SetVisible(false);
        through.OnDataSkip = [](bands::Band& band) { band.SetDone(true); };
        parent = &through;
    }
    bands::Band& rows = report_.AddSubDataBand(*parent, "Rows");
    rows.SetVisible(false);
    rows.OnDataStart = [this](bands::Band&) { row_ = 0; };
    rows.OnAfterDataSkip = [this](bands::Band&) {
        ++row_;
        std::string line;
        for (int column = 0; column < 4; ++column) {
            const std::string entry =
                "AB" + std::to_string(page_) + "-" + std::to_string(row_ * 4 + column) + "  *54321";
            line.append(20 - entry.size(), ' ');
            line += entry;
        }
        gathered_.push_back(std::move(line));
    };
    rows.OnDataSkip = [this](bands::Band& band) { band.SetDone(row_ == 60); };

    bands::Band& output = report_.AddSubDataBand(rows, "ForPrinting");
    bands::Label& outputLabel = output.AddLabel("Output");
    output.OnAfterDataSkip = [this, &output, &outputLabel](bands::Band&) {
        const bool full = gathered_.size() == 60;
        output.SetVisible(full);
        output.SetNewPage(full);
        output.SetStretch(full);
        if (full) {
            outputLabel.SetLines(std::move(gathered_));
            gathered_.clear();
        }
    };
    output.OnDataSkip = [](bands::Band& band) { band.SetDone(true); };
}

} // namespace varnholt::benchbands