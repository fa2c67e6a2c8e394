#include "toolkit/Application.h"

#include "toolkit/ConversionError.h"
#include "toolkit/Form.h"
#include "files/FileError.h"

#include <algorithm>

namespace varnholt::toolkit {

Application::Application(MessageService& messageService) : messages(messageService) {}

Answer Application::ShowMessage(BoxKind kind, std::string_view text, Buttons buttons) {
    return messages.Show(kind, text, buttons);
}

void Application::Beep() {
    messages.Beep();
}

Form* Application::FindForm(std::string_view name) const {
    const auto found =
        std::find_if(forms.begin(), forms.end(), [&](const Form* form) { return form->Name() == name; });
    return found != forms.end() ? *found : nullptr;
}

Form* Application::ActiveForm() const {
    const auto found = std::find_if(activation.rbegin(), activation.rend(),
                                    [](const Form* form) { return form->Visible(); });
    return found != activation.rend() ? *found : nullptr;
}

void Application::Activate(Form& form) {
    std::erase(activation, &form);
    activation.push_back(&form);
}

void Application::SetClipboardText(std::string text) {
    if (WriteClipboard) {
        WriteClipboard(text);
    } else {
        clipboard = std::move(text);
    }
}

void Application::Terminate() {
    terminated = true;
    if (OnTerminate) {
        OnTerminate();
    }
}

void Application::Dispatch(const std::function<void()>& reaction) {
    if (dispatchDepth > 0) {
        // Inside a reaction: an error travels up to the reaction the user started.
        reaction();
        return;
    }
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& counter) : depth(counter) { ++depth; }
        ~DepthGuard() { --depth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;
    };
    std::string failure;
    {
        DepthGuard guard(dispatchDepth);
        try {
            reaction();
        } catch (const ConversionError& error) {
            failure = error.what();
        } catch (const files::FileError& error) {
            failure = error.what();
        }
    }
    if (!failure.empty()) {
        messages.Show(BoxKind::Error, failure, Buttons::Ok);
    }
}

void Application::Register(Form& form) {
    forms.push_back(&form);
}

void Application::Unregister(Form& form) {
    std::erase(forms, &form);
    std::erase(activation, &form);
}

} // namespace varnholt::toolkit