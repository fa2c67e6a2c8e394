#include "toolkit/WindowPlacement.h"

#include <algorithm>

namespace varnholt::toolkit {

namespace {

// From the area's start up to where the frame's far edge meets the area's; the start where the
// frame is longer than the area.
int KeptInRange(int wanted, int start, int areaLength, int frameLength) {
    return std::max(start, std::min(wanted, start + areaLength - frameLength));
}

} // namespace

FramePosition KeptInArea(FramePosition wanted, int clientWidth, int clientHeight, const ScreenArea& area,
                         const WindowFrame& frame) {
    return {KeptInRange(wanted.left, area.left, area.width, clientWidth + frame.width),
            KeptInRange(wanted.top, area.top, area.height, clientHeight + frame.height)};
}

FramePosition CentredInArea(int clientWidth, int clientHeight, const ScreenArea& area,
                            const WindowFrame& frame, int copy) {
    const int outerWidth = clientWidth + frame.width;
    const int outerHeight = clientHeight + frame.height;
    const FramePosition centre =
        KeptInArea({area.left + (area.width - outerWidth) / 2, area.top + (area.height - outerHeight) / 2},
                   clientWidth, clientHeight, area, frame);
    if (copy <= 0) {
        return centre;
    }
    // Room down and right of the middle; steps of the same length both ways keep the copies on
    // one diagonal.
    const int room = std::max(0, std::min(area.left + area.width - outerWidth - centre.left,
                                          area.top + area.height - outerHeight - centre.top));
    const int steps = room / CascadeStep;
    // Less room than one step: as far as there is, so that the copy is at least not hidden whole.
    const int shift = steps == 0 ? room : (copy % (steps + 1)) * CascadeStep;
    return {centre.left + shift, centre.top + shift};
}

} // namespace varnholt::toolkit
