#include "qt/forms/QtFormWindow.h"
#include "qt/forms/QtMessageService.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <vector>

using namespace varnholt::toolkit;

namespace {

// One QApplication for the whole run, gone before the process's exit handlers tear Qt down.
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { application = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { application.reset(); }

private:
    int argc = 1;
    char name[16] = "qt_forms_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
};

// gtest owns registered environments.
const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

// Keys go where the user's keyboard sends them: to the widget that has Qt's focus.
QWidget* FocusWidget() {
    return QApplication::focusWidget();
}

// A form as the program builds them: a digits-only field that moves on when full, a name
// field, a check box, a list and OK / Cancel, rendered in a real (offscreen) window.
class QtFormStory : public testing::Test {
protected:
    HeadlessMessageService messages;
    Application application{messages};
    Form form{application, "Sample"};
    Edit& digits = form.Add<Edit>("Digits");
    Edit& name = form.Add<Edit>("NameField");
    CheckBox& option = form.Add<CheckBox>("Option");
    ListBox& list = form.Add<ListBox>("List");
    Button& ok = form.Add<Button>("OkButton");
    Button& cancel = form.Add<Button>("CancelButton");
    Label& status = form.Add<Label>("Status");
    int okClicks = 0;
    std::unique_ptr<varnholt::qtforms::QtFormWindow> window;

    QtFormStory() {
        form.SetCaption("Sample");
        form.SetClientSize(300, 220);
        digits.SetBounds(10, 10, 100, 24);
        digits.SetMaxLength(3);
        digits.OnKeyPress = [](char32_t& key) {
            if (key >= U' ' && (key < U'0' || key > U'9')) {
                key = 0;
            }
        };
        digits.OnChange = [this] {
            if (digits.Length() == 3) {
                name.SetFocus();
            }
        };
        name.SetBounds(10, 40, 200, 24);
        option.SetBounds(10, 70, 200, 24);
        option.SetCaption("Interchangeable Core");
        list.SetBounds(10, 100, 200, 60);
        list.SetItems({"Alpha", "Beta"});
        ok.SetBounds(10, 180, 80, 28);
        ok.SetCaption("OK");
        ok.OnClick = [this] { ++okClicks; };
        cancel.SetBounds(100, 180, 80, 28);
        cancel.SetCaption("Cancel");
        status.SetBounds(220, 10, 70, 24);
        form.SetDefaultButton(&ok);
        form.SetCancelButton(&cancel);
        window = std::make_unique<varnholt::qtforms::QtFormWindow>(form);
        form.Show();
        digits.SetFocus();
        QApplication::processEvents();
    }

    template <typename W> W& Widget(const Component& component) {
        return *qobject_cast<W*>(window->WidgetOf(component));
    }
};

TEST_F(QtFormStory, TypedKeysGoThroughTheModelAndTheFieldShowsTheModelsText) {
    QTest::keyClicks(nullptr, "1a2");
    EXPECT_EQ(digits.Text(), "12");
    EXPECT_EQ(Widget<QLineEdit>(digits).text(), "12");
    EXPECT_EQ(Widget<QLineEdit>(digits).cursorPosition(), 2);
    QTest::keyClick(FocusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(Widget<QLineEdit>(digits).text(), "1");
}

TEST_F(QtFormStory, TheQtFocusFollowsTheModel) {
    QTest::keyClicks(nullptr, "123");
    EXPECT_EQ(form.Focused(), &name);
    EXPECT_EQ(QApplication::focusWidget(), window->WidgetOf(name));
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form.Focused(), &option);
    EXPECT_EQ(QApplication::focusWidget(), window->WidgetOf(option));
    QTest::keyClick(FocusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(form.Focused(), &name);
}

TEST_F(QtFormStory, ProgramChangesAppearOnScreen) {
    name.SetText("Müller");
    status.SetCaption("Ready");
    option.SetChecked(true);
    list.SetItemIndex(1);
    cancel.Hide();
    EXPECT_EQ(Widget<QLineEdit>(name).text(), QString::fromUtf8("Müller"));
    EXPECT_EQ(Widget<QLabel>(status).text(), "Ready");
    EXPECT_TRUE(Widget<QCheckBox>(option).isChecked());
    EXPECT_EQ(Widget<QListWidget>(list).currentRow(), 1);
    EXPECT_FALSE(Widget<QPushButton>(cancel).isVisible());
    EXPECT_TRUE(Widget<QPushButton>(ok).isDefault());
}

TEST_F(QtFormStory, AComponentAddedAfterTheWindowWasBuiltAppearsToo) {
    Button& late = form.Add<Button>("LateButton");
    ASSERT_NE(window->WidgetOf(late), nullptr);
    late.SetBounds(200, 180, 80, 28);
    late.SetCaption("Help");
    EXPECT_EQ(Widget<QPushButton>(late).text(), "Help");
    EXPECT_EQ(Widget<QPushButton>(late).geometry(), QRect(200, 180, 80, 28));
}

TEST_F(QtFormStory, TheWindowHasTheModelsCaptionSizeFontAndColours) {
    form.SetTextFont(Font{"Times New Roman", 12, 0, true, false, Colours::Black});
    status.SetTextFont(Font{"Times New Roman", 0, 30, true, false, Colours::Navy});
    form.SetCaption("Varnholt");
    EXPECT_EQ(window->windowTitle(), "Varnholt");
    EXPECT_EQ(window->size(), QSize(300, 220));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const QFont nameFont = Widget<QLineEdit>(name).font();
    EXPECT_EQ(nameFont.family(), "Times New Roman");
    EXPECT_TRUE(nameFont.bold());
    EXPECT_EQ(nameFont.pointSize(), 12);
    EXPECT_EQ(Widget<QLabel>(status).font().pixelSize(), 30);
    EXPECT_EQ(Widget<QLabel>(status).palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(Widget<QLineEdit>(name).palette().color(QPalette::Base), QColor(255, 255, 255));
}

TEST_F(QtFormStory, MouseClicksReachTheModel) {
    QTest::mouseClick(&Widget<QCheckBox>(option), Qt::LeftButton);
    EXPECT_TRUE(option.Checked());
    EXPECT_EQ(form.Focused(), &option);
    QTest::mouseClick(&Widget<QPushButton>(ok), Qt::LeftButton);
    EXPECT_EQ(okClicks, 1);
    auto& view = Widget<QListWidget>(list);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(view.item(1)).center());
    EXPECT_EQ(list.ItemIndex(), 1);
}

TEST_F(QtFormStory, ADoubleClickOnAListItemSelectsItAndThenReportsTheDoubleClick) {
    std::vector<std::string> events;
    list.OnClick = [&] { events.push_back("click " + list.SelectedItem()); };
    list.OnDblClick = [&] { events.push_back("double click " + list.SelectedItem()); };
    auto& view = Widget<QListWidget>(list);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(view.item(0)).center());
    EXPECT_EQ(events, (std::vector<std::string>{"click Alpha", "double click Alpha"}));
    EXPECT_EQ(form.Focused(), &list);
}

TEST_F(QtFormStory, AClickIsLostWhenTheLeavingFieldKeepsTheFocus) {
    digits.OnExit = [this] {
        if (digits.Length() < 3) {
            digits.SetFocus();
        }
    };
    QTest::mouseClick(&Widget<QPushButton>(ok), Qt::LeftButton);
    EXPECT_EQ(okClicks, 0);
    EXPECT_EQ(form.Focused(), &digits);
    EXPECT_EQ(QApplication::focusWidget(), window->WidgetOf(digits));
}

TEST_F(QtFormStory, EnterClicksTheDefaultButtonAndClosingRunsTheCloseHandler) {
    QTest::keyClick(FocusWidget(), Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    bool closed = false;
    form.OnClose = [&] { closed = true; };
    window->close();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtFormStory, AFaultInAReactionIsShownInsteadOfEndingTheProgram) {
    ok.OnClick = [] { throw std::runtime_error("The list is broken."); };
    QTest::keyClick(FocusWidget(), Qt::Key_Return);
    ASSERT_EQ(messages.Boxes().size(), 1U);
    EXPECT_EQ(messages.Boxes().back().kind, BoxKind::Error);
    EXPECT_EQ(messages.Boxes().back().text, "The list is broken.");
    QTest::keyClicks(nullptr, "5");
    EXPECT_EQ(digits.Text(), "5");
}

TEST_F(QtFormStory, HidingADialogGivesTheKeyboardBackToTheWindowBelow) {
    Form dialog{application, "Dialog"};
    Edit& field = dialog.Add<Edit>("Field");
    field.SetBounds(10, 10, 100, 24);
    varnholt::qtforms::QtFormWindow dialogWindow(dialog);
    dialog.Show();
    field.SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &dialogWindow);
    QTest::keyClicks(nullptr, "ab");
    EXPECT_EQ(field.Text(), "ab");
    dialog.Hide();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), window.get());
    QTest::keyClicks(nullptr, "4");
    EXPECT_EQ(digits.Text(), "4");
}

TEST(QtMessageService, AQuestionReturnsTheButtonTheUserPressed) {
    varnholt::qtforms::QtMessageService service;
    HeadlessMessageService unused;
    Application application{unused};
    application.SetTitle("VarnholtLite");
    service.SetApplication(application);
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(service.Show(BoxKind::Confirmation, "Overwrite?\nThe record exists.", Buttons::YesNo),
              Answer::No);
    EXPECT_EQ(title, "VarnholtLite");
    EXPECT_EQ(text, "Overwrite?\nThe record exists.");
}

} // namespace
