#pragma once

#include "toolkit/MessageService.h"

#include <deque>
#include <string>
#include <vector>

namespace varnholt::toolkit {

struct ShownBox {
    BoxKind kind = BoxKind::Information;
    std::string text;
    Buttons buttons = Buttons::Ok;
    // Whether a beep sounded since the box before this one (refusals beep first).
    bool afterBeep = false;
};

// Message boxes without a screen: records every box and beep in order and answers Yes/No
// questions from a queue the test fills. A question nobody prepared an answer for is a fault
// of the test: it throws std::logic_error, which no dispatcher catches.
class HeadlessMessageService : public MessageService {
public:
    Answer Show(BoxKind kind, std::string_view text, Buttons buttons) override;
    void Beep() override;

    void QueueAnswer(Answer answer);
    int PendingAnswers() const { return static_cast<int>(answers.size()); }

    const std::vector<ShownBox>& Boxes() const { return boxes; }
    int Beeps() const { return beeps; }
    // Everything in order, one line each: "beep" or "<kind>: <text>" with kind in lower case
    // ("warning: ...", "error: ...", "information: ...", "confirmation: ...").
    const std::vector<std::string>& Transcript() const { return transcript; }
    // Forgets what was recorded (the queue of answers stays).
    void ClearRecord();

private:
    std::deque<Answer> answers;
    std::vector<ShownBox> boxes;
    std::vector<std::string> transcript;
    int beeps = 0;
    bool beepPending = false;
};

} // namespace varnholt::toolkit