#pragma once

#include "bands/PreviewControl.h"
#include "keyboard/Keys.h"

#include <cstdint>
#include <string>

// Keyboard navigation for the report preview: page changes with Page Up/Down (Ctrl: first and
// last page, Shift: previous and next page), scrolling with Page Up/Down, the arrows, Home and End,
// and Escape to close. The form itself is never shown; it only owns the handler.
class TFrmAceKey {
public:
    const std::string& Caption() const { return caption; }

    // Consumes a key it handles by setting it to 0; any other key passes on to the window.
    void FormKeyDown(varnholt::bands::PreviewControl& sender, std::uint16_t& key,
                     varnholt::keyboard::ShiftState shift);

private:
    std::string caption = "FrmAceKey";
};

// The preview-created hook: with a preview window, turns its key preview on and routes its
// key-down to the handler; without one it does nothing. The handler must outlive the window.
void HookPreviewKeys(TFrmAceKey& keyHandler, varnholt::bands::PreviewControl* preview);
