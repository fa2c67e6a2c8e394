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

    Band(BandKind bandKind, std::string bandName, Band* parentBand)
        : kind(bandKind), name(std::move(bandName)), parent(parentBand) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandKind Kind() const { return kind; }
    const std::string& Name() const { return name; }
    Band* Parent() const { return parent; }
    const std::vector<std::unique_ptr<Band>>& Children() const { return children; }

    // The flags may change while the report runs; they are read when the band prints.
    bool Visible() const { return visible; }
    void SetVisible(bool shown) { visible = shown; }
    bool NewPage() const { return newPage; }
    void SetNewPage(bool startsPage) { newPage = startsPage; }
    // A stretched band takes the height of its content; an unstretched one keeps its design
    // height unless its content needs more (content is never cut off).
    bool Stretch() const { return stretch; }
    void SetStretch(bool stretches) { stretch = stretches; }
    double Height() const { return height; }
    void SetHeight(double points) { height = points; }

    // End of data of a sub-data band: cleared by the engine before OnDataStart; a handler sets
    // it to end the band's loop (any handler may set it, also of another band).
    bool Done() const { return done; }
    void SetDone(bool isDone) { done = isDone; }

    Label& AddLabel(std::string name);
    const std::vector<std::unique_ptr<Label>>& Labels() const { return labels; }
    Label* FindLabel(std::string_view name) const;

    Event OnDataStart;
    Event OnDataSkip;
    Event OnAfterDataSkip;

private:
    friend class Report;
    Band& AddChild(BandKind kind, std::string name);

    BandKind kind;
    std::string name;
    Band* parent;
    std::vector<std::unique_ptr<Band>> children;
    std::vector<std::unique_ptr<Label>> labels;
    bool visible = true;
    bool newPage = false;
    bool stretch = false;
    double height = 0.0;
    bool done = false;
};

} // namespace varnholt::bands