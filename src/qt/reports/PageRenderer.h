#pragma once

#include "bands/Document.h"

class QPainter;

namespace varnholt::qtreports {

// Draws one page of a document with its top left paper corner at the painter's origin, at the
// given number of device pixels per point. Positions come from the document's layout; Qt only
// supplies the glyphs.
void DrawPage(QPainter& painter, const bands::DocumentPage& page, double pixelsPerPoint);

} // namespace varnholt::qtreports