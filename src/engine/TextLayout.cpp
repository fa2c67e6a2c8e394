#include "engine/TextLayout.h"

namespace varnholt {

std::string PadLeft(std::string_view text, char fill, int width)
{
    const auto length = static_cast<int>(text.size());
    if (width <= length)
        return std::string(text);
    std::string result(static_cast<std::size_t>(width - length), fill);
    result += text;
    return result;
}

std::string CentreText(std::string_view text, int width)
{
    const auto length = static_cast<int>(text.size());
    if (width <= length)
        return std::string(text);
    return PadLeft(text, ' ', width / 2 + length / 2);
}

} // namespace varnholt
