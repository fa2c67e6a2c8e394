#pragma once

#include <functional>
#include <string>

namespace varnholt::bands {

// Paper and margins in inches.
struct PageSetup {
    double paperWidth = 8.5;
    double paperHeight = 11.0;
    double leftMargin = 0.5;
    double rightMargin = 0.5;
    double topMargin = 0.5;
    double bottomMargin = 0.5;
};

// The report's page: its setup and the events around its records. The page has one detail
// record per OnDataSkip; without an OnDataSkip handler it has exactly one.
class Page {
public:
    using Event = std::function<void(Page&)>;

    PageSetup& Setup() { return setup; }
    const PageSetup& Setup() const { return setup; }
    void SetMargins(double left, double right, double top, double bottom) {
        setup.leftMargin = left;
        setup.rightMargin = right;
        setup.topMargin = top;
        setup.bottomMargin = bottom;
    }

    bool Done() const { return done; }
    void SetDone(bool isDone) { done = isDone; }

    // Whether the page header also prints on the first page, above the report header.
    bool PageHeaderOnFirstPage() const { return pageHeaderOnFirstPage; }
    void SetPageHeaderOnFirstPage(bool print) { pageHeaderOnFirstPage = print; }

    // Shown in the preview's title and used as the printer's job name.
    const std::string& Description() const { return description; }
    void SetDescription(std::string text) { description = std::move(text); }

    Event OnDataStart;
    Event OnDataSkip;

private:
    PageSetup setup;
    bool done = false;
    bool pageHeaderOnFirstPage = true;
    std::string description;
};

} // namespace varnholt::bands