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
    toolkit::HeadlessMessageService messages;
    toolkit::Application application{messages};
    toolkit::Form form{application, "Dialog"};
    toolkit::Edit& name = form.Add<toolkit::Edit>("NameField");
    toolkit::Edit& count = form.Add<toolkit::Edit>("CountField");
    toolkit::Panel& panel = form.Add<toolkit::Panel>("Panel1");
    toolkit::Edit& factor = form.Add<toolkit::Edit>("FactorField", panel);
    toolkit::CheckBox& option = form.Add<toolkit::CheckBox>("Option", panel);
    toolkit::ListBox& list = form.Add<toolkit::ListBox>("List");
    toolkit::Button& ok = form.Add<toolkit::Button>("OkButton");
    toolkit::Button& cancel = form.Add<toolkit::Button>("CancelButton");
    toolkit::Label& status = form.Add<toolkit::Label>("Status");
    toolkit::ScriptedDriver driver{application, messages};

    TestDialog() {
        ok.SetCaption("OK");
        cancel.SetCaption("Cancel");
        form.SetDefaultButton(&ok);
        form.SetCancelButton(&cancel);
        form.Show();
        name.SetFocus();
    }
};
