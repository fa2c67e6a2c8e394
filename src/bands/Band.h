#pragma once

#include "bands/Label.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::bands {

enum class BandKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter, SubBand, SubData };

// One band of a report. Sub-bands and sub-data bands hang below a parent band; a sub-data band
// has no data source of its own: its events make up its records (see Report::Run).
class Band {
public:
    using Event = std::function<void(Band&)>;

    Band(BandKind kind, std::string name, Band* parent) : kind_(kind), name_(std::move(name)), parent_(parent) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    Band* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<Band>>& Children() const { return children_; }

    // The flags may change while the report runs; they are read when the band prints.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool NewPage() const { return newPage_; }
    void SetNewPage(bool newPage) { newPage_ = newPage; }
    // A stretched band takes the height of its content; an unstretched one keeps its design
    // height unless its content needs more (content is never cut off).
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) { stretch_ = stretch; }
    double Height() const { return height_; }
    void SetHeight(double points) { height_ = points; }

    // End of data of a sub-data band: cleared by the engine before OnDataStart; a handler sets
    // it to end the band's loop (any handler may set it, also of another band).
    bool Done() const { return done_; }
    void SetDone(bool done) { done_ = done; }

    Label& AddLabel(std::string name);
    const std::vector<std::unique_ptr<Label>>& Labels() const { return labels_; }
    Label* FindLabel(std::string_view name) const;

    Event OnDataStart;
    Event OnDataSkip;
    Event OnAfterDataSkip;

private:
    friend class Report;
    Band& AddChild(BandKind kind, std::string name);

    BandKind kind_;
    std::string name_;
    Band* parent_;
    std::vector<std::unique_ptr<Band>> children_;
    std::vector<std::unique_ptr<Label>> labels_;
    bool visible_ = true;
    bool newPage_ = false;
    bool stretch_ = false;
    double height_ = 0.0;
    bool done_ = false;
};

}  // namespace varnholt::bands