#pragma once

#include "bands/Font.h"

#include <string>
#include <vector>

namespace varnholt::bands {

enum class Alignment { Left, Center, Right };

// What a variable label shows instead of its lines.
enum class LabelVariable { None, PageNumber, DateTime };

// A multi-line text on a band. The program replaces its lines while the report runs; the engine
// copies them when the band prints. A carriage return left at the end of a line is kept in the
// lines and drawn as nothing.
class Label {
public:
    explicit Label(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    void AddLine(std::string line) { lines_.push_back(std::move(line)); }
    void ClearLines() { lines_.clear(); }

    const bands::Font& Font() const { return font_; }
    void SetFont(bands::Font font) { font_ = std::move(font); }
    void SetFontSize(double points) { font_.sizePoints = points; }

    // Position inside the band, in points from its top left corner.
    double Left() const { return left_; }
    double Top() const { return top_; }
    void SetPosition(double left, double top) { left_ = left; top_ = top; }
    // Width in points; 0 means up to the right margin.
    double Width() const { return width_; }
    void SetWidth(double points) { width_ = points; }
    // Design height in points; a stretched label grows to its lines, and no label is ever cut.
    double Height() const { return height_; }
    void SetHeight(double points) { height_ = points; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) { stretch_ = stretch; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; }
    bands::Alignment Alignment() const { return alignment_; }
    void SetAlignment(bands::Alignment alignment) { alignment_ = alignment; }

    LabelVariable Variable() const { return variable_; }
    void SetVariable(LabelVariable variable) { variable_ = variable; }
    // strftime-style format of a date/time label.
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(std::string format) { dateTimeFormat_ = std::move(format); }

private:
    std::string name_;
    std::vector<std::string> lines_;
    bands::Font font_;
    double left_ = 0.0;
    double top_ = 0.0;
    double width_ = 0.0;
    double height_ = 0.0;
    bool visible_ = true;
    bool stretch_ = true;
    bool wordWrap_ = false;
    bands::Alignment alignment_ = bands::Alignment::Left;
    LabelVariable variable_ = LabelVariable::None;
    std::string dateTimeFormat_ = "%d.%m.%Y %H:%M";
};

}  // namespace varnholt::bands