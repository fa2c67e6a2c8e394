#pragma once

#include "bands/Font.h"
#include "bands/Page.h"

#include <string>
#include <vector>

namespace varnholt::bands {

// One line of text at its place on the paper, in points from the paper's top left corner
// (top is the top of the line's box). Carriage returns are already removed.
struct PlacedText {
    double left = 0.0;
    double top = 0.0;
    std::string text;
    Font font;
};

// The part of a label printed on one page, with its lines exactly as the program set them.
struct PrintedLabel {
    std::string name;
    std::vector<std::string> lines;
    bool continued = false; // runs on from the previous page
};

struct DocumentPage {
    int number = 0;
    std::vector<PlacedText> texts;
    std::vector<PrintedLabel> labels;
};

// What a run keeps of each page: the placed texts that paper, the preview and plain text are
// drawn from, the label lines that JSON is written from, or both (the default). A very long
// report written to one output needs only its part.
enum class Recording { Everything, PlacedTexts, LabelLines };

// A finished report: what the preview shows, the printer prints and the outputs write.
struct Document {
    std::string title;
    PageSetup setup;
    // The fixed-pitch grid of the report font, for plain text: a column and a row in points.
    double columnWidth = 6.0;
    double rowHeight = 10.5;
    std::vector<DocumentPage> pages;
    bool aborted = false;
};

} // namespace varnholt::bands