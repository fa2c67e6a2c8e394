#include "qt/reports/PageRenderer.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>

namespace varnholt::qtreports {
namespace {

QFont FontFor(const bands::Font& font, double pixelsPerPoint) {
    QFont qtFont(QString::fromStdString(font.family));
    qtFont.setStyleHint(QFont::TypeWriter);
    qtFont.setKerning(false);
    qtFont.setHintingPreference(QFont::PreferNoHinting);
    qtFont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.sizePoints * pixelsPerPoint))));
    return qtFont;
}

// The painter's current font with what drawing a line needs of it.
struct ActiveFont {
    bands::Font font;
    std::optional<QFontMetricsF> metrics;
    double ascent = 0.0;
    double characterAdvance = 0.0; // 0 unless the font is fixed-pitch
    QRawFont rawFont;
};

void Activate(QPainter& painter, const bands::Font& font, double pixelsPerPoint, ActiveFont& active) {
    const QFont qtFont = FontFor(font, pixelsPerPoint);
    painter.setFont(qtFont);
    active.font = font;
    active.metrics.emplace(qtFont, painter.device());
    active.ascent = active.metrics->ascent();
    active.characterAdvance =
        QFontInfo(qtFont).fixedPitch() ? active.metrics->horizontalAdvance(QChar('0')) : 0.0;
    active.rawFont = QRawFont::fromFont(qtFont);
}

// Draws a line of a fixed-pitch font as one glyph run, character i at column i, leaving the
// blanks out: the report's columns are made of blanks, and a printer or PDF need not carry them.
// This also spares the text shaping, which a fixed-pitch line does not need.
bool DrawFixedPitch(QPainter& painter, const ActiveFont& active, QPointF origin, const QString& line) {
    if (active.characterAdvance <= 0.0 || !active.rawFont.isValid()) {
        return false;
    }
    QList<QPointF> positions;
    QString visible;
    positions.reserve(line.size());
    visible.reserve(line.size());
    for (qsizetype index = 0; index < line.size(); ++index) {
        const QChar character = line[index];
        if (character.unicode() < 0x20 || character.unicode() > 0x7E) {
            return false; // anything beyond plain ASCII goes through the full text engine
        }
        if (character != QChar(' ')) {
            visible.append(character);
            positions.append(QPointF(static_cast<double>(index) * active.characterAdvance, 0.0));
        }
    }
    const QList<quint32> glyphs = active.rawFont.glyphIndexesForString(visible);
    if (glyphs.size() != positions.size() || glyphs.contains(0U)) {
        return false;
    }
    QGlyphRun run;
    run.setRawFont(active.rawFont);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(origin, run);
    return true;
}

} // namespace

void DrawPage(QPainter& painter, const bands::DocumentPage& page, double pixelsPerPoint) {
    painter.setPen(Qt::black);
    std::optional<ActiveFont> active;
    for (const bands::PlacedText& text : page.texts) {
        if (text.text.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        if (!active || !(active->font == text.font)) {
            active.emplace();
            Activate(painter, text.font, pixelsPerPoint, *active);
        }
        const QPointF origin(text.left * pixelsPerPoint, text.top * pixelsPerPoint + active->ascent);
        const QString line = QString::fromStdString(text.text);
        if (!DrawFixedPitch(painter, *active, origin, line)) {
            painter.drawText(origin, line);
        }
    }
}

} // namespace varnholt::qtreports