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

    PageSetup& Setup() { return setup_; }
    const PageSetup& Setup() const { return setup_; }
    void SetMargins(double left, double right, double top, double bottom) {
        setup_.leftMargin = left;
        setup_.rightMargin = right;
        setup_.topMargin = top;
        setup_.bottomMargin = bottom;
    }

    bool Done() const { return done_; }
    void SetDone(bool done) { done_ = done; }

    // Whether the page header also prints on the first page, above the report header.
    bool PageHeaderOnFirstPage() const { return pageHeaderOnFirstPage_; }
    void SetPageHeaderOnFirstPage(bool print) { pageHeaderOnFirstPage_ = print; }

    // Shown in the preview's title and used as the printer's job name.
    const std::string& Description() const { return description_; }
    void SetDescription(std::string description) { description_ = std::move(description); }

    Event OnDataStart;
    Event OnDataSkip;

private:
    PageSetup setup_;
    bool done_ = false;
    bool pageHeaderOnFirstPage_ = true;
    std::string description_;
};

}  // namespace varnholt::bands