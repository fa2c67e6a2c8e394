#include "toolkit/HeadlessMessageService.h"

#include <stdexcept>

namespace varnholt::toolkit {

namespace {

const char* KindName(BoxKind kind) {
    switch (kind) {
    case BoxKind::Warning:
        return "warning";
    case BoxKind::Error:
        return "error";
    case BoxKind::Information:
        return "information";
    case BoxKind::Confirmation:
        return "confirmation";
    }
    return "box";
}

} // namespace

Answer HeadlessMessageService::Show(BoxKind kind, std::string_view text, Buttons buttons) {
    boxes.push_back(ShownBox{kind, std::string(text), buttons, beepPending});
    beepPending = false;
    transcript.push_back(std::string(KindName(kind)) + ": " + std::string(text));
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    if (answers.empty()) {
        throw std::logic_error("unexpected question, no answer queued: " + std::string(text));
    }
    const Answer answer = answers.front();
    answers.pop_front();
    const bool yesNo = answer == Answer::Yes || answer == Answer::No;
    if (answer == Answer::Ok || yesNo != (buttons == Buttons::YesNo)) {
        throw std::logic_error("an answer the question does not offer was queued: " + std::string(text));
    }
    return answer;
}

void HeadlessMessageService::Beep() {
    ++beeps;
    beepPending = true;
    transcript.emplace_back("beep");
}

void HeadlessMessageService::QueueAnswer(Answer answer) {
    answers.push_back(answer);
}

void HeadlessMessageService::ClearRecord() {
    boxes.clear();
    transcript.clear();
    beeps = 0;
    beepPending = false;
}

} // namespace varnholt::toolkit