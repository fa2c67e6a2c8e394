#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Font.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string_view>

namespace varnholt::qtforms {

QColor ToQColor(toolkit::Colour colour);
QFont ToQFont(const toolkit::Font& font);
QString ToQString(std::string_view utf8);
// A caret position counted in characters (code points) as the position in a QString.
int ToQStringIndex(std::string_view utf8, int characters);
// A position in a QString as a count of characters (code points) before it.
int ToCharacterIndex(const QString& text, int utf16Index);

} // namespace varnholt::qtforms