#pragma once

#include "toolkit/Keys.h"

#include <optional>

class QKeyEvent;

namespace varnholt::qtforms {

// A Qt key event as the platform's key stroke: virtual key, shift state and, for keys that
// type one, the character. Nothing for bare modifier presses the model does not need.
std::optional<toolkit::KeyStroke> StrokeFromQt(const QKeyEvent& event);

} // namespace varnholt::qtforms