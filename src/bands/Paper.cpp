#include "bands/Paper.h"

namespace varnholt::bands {
namespace {

constexpr double PointsPerInch = 72.0;

struct PaperSize {
    double width;
    double height;
};

PaperSize SizeOf(Paper paper) {
    switch (paper) {
    case Paper::A4:
        return {210.0 / 25.4, 297.0 / 25.4};
    case Paper::Letter:
        break;
    }
    return {8.5, 11.0};
}

} // namespace

std::string_view PaperName(Paper paper) {
    return paper == Paper::A4 ? "a4" : "letter";
}

std::optional<Paper> PaperNamed(std::string_view name) {
    if (name == "letter") {
        return Paper::Letter;
    }
    if (name == "a4") {
        return Paper::A4;
    }
    return std::nullopt;
}

void PlaceOnPaper(Document& document, Paper paper) {
    const PaperSize size = SizeOf(paper);
    PageSetup& setup = document.setup;
    const double right = (size.width - setup.paperWidth) / 2.0;
    const double down = (size.height - setup.paperHeight) / 2.0;
    setup.paperWidth = size.width;
    setup.paperHeight = size.height;
    setup.leftMargin += right;
    setup.rightMargin += right;
    setup.topMargin += down;
    setup.bottomMargin += down;
    for (DocumentPage& page : document.pages) {
        for (PlacedText& text : page.texts) {
            text.left += right * PointsPerInch;
            text.top += down * PointsPerInch;
        }
    }
}

} // namespace varnholt::bands