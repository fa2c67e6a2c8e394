#pragma once

namespace varnholt::toolkit {

class Component;

// Told about every change of a form's model, so that an on-screen view can follow it.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    // A property of the component changed (text, caption, geometry, visibility, items...).
    virtual void ComponentChanged(Component& component) = 0;
    // A property of the form itself changed (caption, size, position, visibility...).
    virtual void FormChanged() = 0;
    // The form's focused component changed.
    virtual void FocusChanged() = 0;
};

} // namespace varnholt::toolkit