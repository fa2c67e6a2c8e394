#pragma once

namespace varnholt::toolkit {

// The part of the screen windows may take (without the desktop's panels).
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 1280;
    int height = 1024;
};

// What the window manager puts around a window's client area: borders and the title bar.
struct WindowFrame {
    int width = 0;
    int height = 0;
};

// The top-left corner of a window's frame.
struct FramePosition {
    int left = 0;
    int top = 0;
    bool operator==(const FramePosition&) const = default;
};

// How far a window of each further copy of the program lies down and right of the one before,
// so that the title bar of the one below stays in sight.
constexpr int CascadeStep = 32;

// The frame wholly inside the area where it fits. A window taller or wider than the area starts
// at the area's top or left edge: its title bar, by which it is moved, can always be reached.
FramePosition KeptInArea(FramePosition wanted, int clientWidth, int clientHeight, const ScreenArea& area,
                         const WindowFrame& frame);

// The frame in the middle of the area, then kept in it; the window of the program's copy number
// `copy` (0 for the first) lies `copy` cascade steps down and right of that, as far as the area
// has room, starting again from the middle when it has no more.
FramePosition CentredInArea(int clientWidth, int clientHeight, const ScreenArea& area,
                            const WindowFrame& frame, int copy);

} // namespace varnholt::toolkit
