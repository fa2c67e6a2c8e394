#pragma once

#include "keyboard/Keys.h"

#include <cstdint>
#include <functional>

namespace varnholt::bands {

enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition };

// A scroll request as the page display receives it; position only counts for ThumbPosition.
struct ScrollRequest {
    ScrollCode code = ScrollCode::LineDown;
    int position = 0;
    bool operator==(const ScrollRequest&) const = default;
};

// What a key handler may ask of a report preview window. The Qt preview implements it; tests use
// a fake. Scroll requests are queued to the page display, not carried out inside the call.
class PreviewControl {
public:
    using KeyDownHandler =
        std::function<void(PreviewControl& sender, std::uint16_t& key, keyboard::ShiftState shift)>;

    virtual ~PreviewControl() = default;

    virtual int PageCount() const = 0;
    virtual int CurrentPage() const = 0; // 1-based
    virtual void FirstPage() = 0;
    virtual void PreviousPage() = 0;
    virtual void NextPage() = 0;
    virtual void LastPage() = 0;
    virtual void RefreshPageIndicator() = 0;

    virtual void ScrollVertical(ScrollRequest request) = 0;
    virtual void ScrollHorizontal(ScrollRequest request) = 0;

    // With key preview on, the window sees keys before its child controls.
    virtual void SetKeyPreview(bool on) = 0;
    // The handler runs first for every key; setting the key to 0 consumes it.
    virtual void SetKeyDownHandler(KeyDownHandler handler) = 0;

    virtual void Close() = 0;
};

// Called with every preview window the Qt part creates (or with none); the program keeps the
// hook in an object it owns and hands it to the preview.
using PreviewCreatedHook = std::function<void(PreviewControl* preview)>;

} // namespace varnholt::bands