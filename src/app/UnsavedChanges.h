#pragma once

#include <functional>

namespace varnholt::toolkit {
class Application;
}

namespace varnholt::app {

class PreviewedSystem;

// Before the system's window closes, is replaced or the program ends: with changes not yet
// saved, the user is asked Save / Discard / Cancel. True when it may go on: nothing was unsaved,
// the user saved (through save, which may fail or be cancelled), or discarded the changes, which
// are then dropped so that nobody asks about them again.
bool MayLeaveSystem(toolkit::Application& application, PreviewedSystem& system, const std::function<void()>& save);

} // namespace varnholt::app
