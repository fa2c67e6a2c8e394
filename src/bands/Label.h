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
    explicit Label(std::string labelName) : name(std::move(labelName)) {}

    const std::string& Name() const { return name; }

    const std::vector<std::string>& Lines() const { return lines; }
    void SetLines(std::vector<std::string> newLines) { lines = std::move(newLines); }
    void AddLine(std::string line) { lines.push_back(std::move(line)); }
    void ClearLines() { lines.clear(); }

    const bands::Font& Font() const { return font; }
    void SetFont(bands::Font newFont) { font = std::move(newFont); }
    void SetFontSize(double points) { font.sizePoints = points; }

    // Position inside the band, in points from its top left corner.
    double Left() const { return left; }
    double Top() const { return top; }
    void SetPosition(double newLeft, double newTop) {
        left = newLeft;
        top = newTop;
    }
    // Width in points; 0 means up to the right margin.
    double Width() const { return width; }
    void SetWidth(double points) { width = points; }
    // Design height in points; a stretched label grows to its lines, and no label is ever cut.
    double Height() const { return height; }
    void SetHeight(double points) { height = points; }

    bool Visible() const { return visible; }
    void SetVisible(bool shown) { visible = shown; }
    bool Stretch() const { return stretch; }
    void SetStretch(bool stretches) { stretch = stretches; }
    bool WordWrap() const { return wordWrap; }
    void SetWordWrap(bool wraps) { wordWrap = wraps; }
    bands::Alignment Alignment() const { return alignment; }
    void SetAlignment(bands::Alignment newAlignment) { alignment = newAlignment; }

    LabelVariable Variable() const { return variable; }
    void SetVariable(LabelVariable newVariable) { variable = newVariable; }
    // strftime-style format of a date/time label.
    const std::string& DateTimeFormat() const { return dateTimeFormat; }
    void SetDateTimeFormat(std::string format) { dateTimeFormat = std::move(format); }

private:
    std::string name;
    std::vector<std::string> lines;
    bands::Font font;
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    bool visible = true;
    bool stretch = true;
    bool wordWrap = false;
    bands::Alignment alignment = bands::Alignment::Left;
    LabelVariable variable = LabelVariable::None;
    std::string dateTimeFormat = "%d.%m.%Y %H:%M";
};

} // namespace varnholt::bands