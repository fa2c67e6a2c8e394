#pragma once

#include <string_view>

namespace varnholt::toolkit {

enum class BoxKind { Warning, Error, Information, Confirmation };
// SaveDiscardCancel: what to do with changes not yet saved; Cancel is also the answer of Escape.
enum class Buttons { Ok, YesNo, SaveDiscardCancel };
enum class Answer { Ok, Yes, No, Save, Discard, Cancel };

// Modal message boxes and the system beep. Lines of a message are separated by '\n'.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box and returns the button the user pressed.
    virtual Answer Show(BoxKind kind, std::string_view text, Buttons buttons) = 0;
    virtual void Beep() = 0;
};

} // namespace varnholt::toolkit