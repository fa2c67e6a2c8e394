#include "qt/reports/PageRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <cmath>

namespace qtreports {
namespace {

QFont FontFor(const bands::Font& font, double pixelsPerPoint) {
    QFont qtFont(QString::fromStdString(font.family));
    qtFont.setStyleHint(QFont::TypeWriter);
    qtFont.setKerning(false);
    qtFont.setHintingPreference(QFont::PreferNoHinting);
    qtFont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.sizePoints * pixelsPerPoint))));
    return qtFont;
}

}  // namespace

void DrawPage(QPainter& painter, const bands::DocumentPage& page, double pixelsPerPoint) {
    painter.setPen(Qt::black);
    const bands::Font* currentFont = nullptr;
    double ascent = 0.0;
    for (const bands::PlacedText& text : page.texts) {
        if (text.text.empty()) {
            continue;
        }
        if (currentFont == nullptr || !(*currentFont == text.font)) {
            const QFont qtFont = FontFor(text.font, pixelsPerPoint);
            painter.setFont(qtFont);
            ascent = QFontMetricsF(qtFont, painter.device()).ascent();
            currentFont = &text.font;
        }
        painter.drawText(QPointF(text.left * pixelsPerPoint, text.top * pixelsPerPoint + ascent),
                         QString::fromStdString(text.text));
    }
}

}  // namespace qtreports
