#pragma once

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedDriver.h"

// A small dialog for the stories: two fields on the form, a panel with a field and a check
// box, a list, OK (default) and Cancel (cancel) buttons.
struct TestDialog {
    varnholt::toolkit::HeadlessMessageService messages;
    varnholt::toolkit::Application application{messages};
    varnholt::toolkit::Form form{application, "Dialog"};
    varnholt::toolkit::Edit& name = form.Add<varnholt::toolkit::Edit>("NameField");
    varnholt::toolkit::Edit& count = form.Add<varnholt::toolkit::Edit>("CountField");
    varnholt::toolkit::Panel& panel = form.Add<varnholt::toolkit::Panel>("Panel1");
    varnholt::toolkit::Edit& factor = form.Add<varnholt::toolkit::Edit>("FactorField", panel);
    varnholt::toolkit::CheckBox& option = form.Add<varnholt::toolkit::CheckBox>("Option", panel);
    varnholt::toolkit::ListBox& list = form.Add<varnholt::toolkit::ListBox>("List");
    varnholt::toolkit::Button& ok = form.Add<varnholt::toolkit::Button>("OkButton");
    varnholt::toolkit::Button& cancel = form.Add<varnholt::toolkit::Button>("CancelButton");
    varnholt::toolkit::Label& status = form.Add<varnholt::toolkit::Label>("Status");
    varnholt::toolkit::ScriptedDriver driver{application, messages};

    TestDialog() {
        ok.SetCaption("OK");
        cancel.SetCaption("Cancel");
        form.SetDefaultButton(&ok);
        form.SetCancelButton(&cancel);
        form.Show();
        name.SetFocus();
    }
};
