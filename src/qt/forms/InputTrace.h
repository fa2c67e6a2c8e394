#pragma once

#include <QObject>

class QWidget;

namespace varnholt::qtforms {

// Writes where the keyboard focus is and which windows come and go, one line each, under the
// logging category "varnholt.input" (off unless QT_LOGGING_RULES switches it on). Scripts that
// drive the real program with real key presses wait for these lines instead of guessing how long
// the program takes: a key sent before the program is ready for it lands in the wrong place.
class InputTrace : public QObject {
public:
    InputTrace();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusChanged(QWidget* now);
};

} // namespace varnholt::qtforms
