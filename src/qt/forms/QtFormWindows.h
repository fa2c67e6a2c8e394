#pragma once

#include "qt/forms/QtFormWindow.h"

#include <memory>
#include <vector>

namespace varnholt::toolkit {
class Application;
class Form;
} // namespace varnholt::toolkit

namespace varnholt::qtforms {

// The real windows of all the application's forms. Create it after the forms and after the
// QApplication; it tells the model the screen size (for centred forms) and quits the Qt
// event loop when the program terminates. A program's start:
//
//   QApplication qtApplication(argc, argv);
//   qtforms::QtMessageService messages;
//   toolkit::Application application(messages);
//   messages.SetApplication(application);
//   ... create the forms, show the main window ...
//   qtforms::QtFormWindows windows(application);
//   return qtApplication.exec();
class QtFormWindows {
public:
    explicit QtFormWindows(toolkit::Application& application);
    ~QtFormWindows();
    QtFormWindows(const QtFormWindows&) = delete;
    QtFormWindows& operator=(const QtFormWindows&) = delete;

    // Creates the windows of forms registered since (idempotent).
    void AddMissingWindows();
    // The window of a form, nullptr if it has none.
    QtFormWindow* WindowOf(const toolkit::Form& form) const;

private:
    toolkit::Application& application;
    std::vector<std::unique_ptr<QtFormWindow>> windows;
};

} // namespace varnholt::qtforms
