#include "TestForm.h"

#include "toolkit/ConversionError.h"
#include "files/FileError.h"
#include "toolkit/Utf8.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace varnholt::toolkit;
using testing::ElementsAre;

namespace {

class MessageStory : public testing::Test, protected TestDialog {};

TEST_F(MessageStory, BoxesAndBeepsAreRecordedInOrder) {
    ok.OnClick = [&] {
        application.Beep();
        application.ShowMessage(BoxKind::Warning, "Name is missing.\nPlease enter one.");
        application.ShowMessage(BoxKind::Information, "Saved.");
    };
    driver.Click("OkButton");
    EXPECT_THAT(driver.Transcript(),
                ElementsAre("beep", "warning: Name is missing.\nPlease enter one.", "information: Saved."));
    ASSERT_EQ(driver.Boxes().size(), 2U);
    EXPECT_TRUE(driver.Boxes()[0].afterBeep);
    EXPECT_FALSE(driver.Boxes()[1].afterBeep);
    EXPECT_EQ(driver.Beeps(), 1);
}

TEST_F(MessageStory, QuestionsAreAnsweredFromTheQueueInOrder) {
    std::vector<Answer> answers;
    ok.OnClick = [&] {
        answers.push_back(application.ShowMessage(BoxKind::Confirmation, "Overwrite?", Buttons::YesNo));
        answers.push_back(application.ShowMessage(BoxKind::Confirmation, "Really?", Buttons::YesNo));
        answers.push_back(application.ShowMessage(BoxKind::Information, "Done."));
    };
    driver.AnswerNext(Answer::Yes).AnswerNext(Answer::No).Click("OkButton");
    EXPECT_THAT(answers, ElementsAre(Answer::Yes, Answer::No, Answer::Ok));
    EXPECT_EQ(messages.PendingAnswers(), 0);
}

TEST_F(MessageStory, AnUnexpectedQuestionFailsTheTestLoudly) {
    ok.OnClick = [&] { application.ShowMessage(BoxKind::Confirmation, "Delete?", Buttons::YesNo); };
    EXPECT_THROW(driver.Click("OkButton"), std::logic_error);
}

TEST_F(MessageStory, ANonIntegerStopsTheReactionWithAnErrorBoxAndTheProgramGoesOn) {
    bool finished = false;
    ok.OnClick = [&] {
        StrToInt(count.Text());
        finished = true;
    };
    driver.Focus("CountField").Type("1x").Click("OkButton");
    EXPECT_FALSE(finished);
    EXPECT_EQ(driver.LastBox().kind, BoxKind::Error);
    EXPECT_EQ(driver.LastBox().text, "'1x' is not a valid integer value");
    driver.Focus("CountField").Press(Key::Back).Click("OkButton");
    EXPECT_TRUE(finished);
    EXPECT_EQ(driver.Boxes().size(), 1U);
}

TEST_F(MessageStory, AnErrorInsideANestedFocusReactionStopsTheWholeUserAction) {
    std::vector<std::string> events;
    count.OnEnter = [&] { StrToInt(name.Text()); };
    count.OnKeyPress = [&](char32_t&) { events.push_back("count typed"); };
    name.OnExit = [&] { events.push_back("name left"); };
    driver.Type("abc").Press(Key::Tab);
    EXPECT_THAT(events, ElementsAre("name left"));
    EXPECT_EQ(driver.LastBox().text, "'abc' is not a valid integer value");
    EXPECT_EQ(driver.FocusedName(), "CountField");
}

TEST_F(MessageStory, AFileErrorIsShownAsAnErrorBoxToo) {
    ok.OnClick = [] { throw varnholt::files::FileError("write", "/data/Varnholt.MFG", "No space left on device"); };
    driver.Click("OkButton");
    EXPECT_EQ(driver.LastBox().text,
              "Cannot write the file \"/data/Varnholt.MFG\": No space left on device.");
}

TEST_F(MessageStory, OtherExceptionsAreNotSwallowed) {
    ok.OnClick = [] { throw std::runtime_error("programming error"); };
    EXPECT_THROW(driver.Click("OkButton"), std::runtime_error);
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(MessageStory, ClosingTheWindowRunsTheCloseHandlerAndHidesIt) {
    form.OnClose = [&] { application.Terminate(); };
    driver.Close();
    EXPECT_TRUE(application.Terminated());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(application.ActiveForm(), nullptr);
}

TEST(StrToInt, AcceptsAnOptionalSignAndDecimalDigitsWithinThirtyTwoBits) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("+17"), 17);
    EXPECT_EQ(StrToInt("-0042"), -42);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RefusesEverythingElseWithTheStandardMessage) {
    for (const char* text : {"", "-", "+", " 5", "5 ", "1.5", "$1F", "0x10", "2147483648", "-2147483649",
                             "99999999999999999999", "１"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(Utf8, DecodesEncodesAndReplacesBrokenBytes) {
    EXPECT_EQ(DecodeUtf8("aé€𝄞"), U"aé€𝄞");
    EXPECT_EQ(EncodeUtf8(U"aé€𝄞"), "aé€𝄞");
    EXPECT_EQ(DecodeUtf8("a\xC3"), U"a\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");
    EXPECT_EQ(CharacterCount("Müller"), 6);
}

} // namespace
