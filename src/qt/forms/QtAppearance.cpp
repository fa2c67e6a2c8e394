#include "qt/forms/QtAppearance.h"

#include "toolkit/Utf8.h"

#include <algorithm>

namespace varnholt::qtforms {

QColor ToQColor(toolkit::Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QFont ToQFont(const toolkit::Font& font) {
    QFont result(QString::fromStdString(font.family));
    if (font.pixelSize > 0) {
        result.setPixelSize(font.pixelSize);
    } else {
        result.setPointSize(std::max(1, font.pointSize));
    }
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int ToQStringIndex(std::string_view utf8, int characters) {
    const std::u32string decoded = toolkit::DecodeUtf8(utf8);
    const auto count =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(characters, 0)), 0, decoded.size());
    int index = 0;
    for (std::size_t position = 0; position < count; ++position) {
        index += decoded[position] > 0xFFFF ? 2 : 1;
    }
    return index;
}

int ToCharacterIndex(const QString& text, int utf16Index) {
    int characters = 0;
    const int end = std::clamp(utf16Index, 0, static_cast<int>(text.size()));
    for (int index = 0; index < end; ++index) {
        if (!text.at(index).isLowSurrogate()) {
            ++characters;
        }
    }
    return characters;
}

} // namespace varnholt::qtforms