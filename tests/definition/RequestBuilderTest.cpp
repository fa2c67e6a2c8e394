#include "definition/RequestBuilder.h"
#include "definition/DefinitionMessages.h"
#include "manufacturers/ManufacturerRecord.h"

#include <gtest/gtest.h>

namespace varnholt::definition {
namespace {

// Depths 0..9, step 2 (four alternatives per chamber), 4 to 7 chambers.
manufacturers::ManufacturerRecord Acme() {
    manufacturers::ManufacturerRecord record;
    record.Name = "Acme";
    record.MinChambers = 4;
    record.ChamberChoices = 4;
    record.ShallowestCut = 0;
    record.DeepestCut = 9;
    record.MaxAdjacentCut = 5;
    record.StepIncrement = 2;
    return record;
}

SystemAnswers SixChambers(QuantityAnswer masters, QuantityAnswer subMasters, QuantityAnswer keys = {}) {
    SystemAnswers answers;
    answers.chambers = 6;
    answers.topMasterKey = "246864";
    answers.masters = masters;
    answers.subMasters = subMasters;
    answers.changeKeys = keys;
    return answers;
}

TEST(RequestBuilderTest, TheManufacturerIsNormalisedOnce) {
    manufacturers::ManufacturerRecord record = Acme();
    record.MaxAdjacentCut = 0;
    // Forty characters, two of them outside ASCII: cut by bytes the name would lose its end.
    record.Name = "Schlüsselwerk Größe Süd 1234567890123456";
    const KeySystemRequest request = RequestForManufacturer(record);
    EXPECT_EQ(request.MaxAdjacentCut, 20);
    EXPECT_EQ(request.ControlChambers, "NNNNNNN");
    EXPECT_EQ(request.MfgName, record.Name);
    EXPECT_FALSE(request.ZeroIsTen);
    record.DeepestCut = 10;
    EXPECT_TRUE(RequestForManufacturer(record).ZeroIsTen);
}

TEST(RequestBuilderTest, RefusalsNameTheAnswerAndUseTheDialogsWords) {
    const auto refusal = [](SystemAnswers answers) { return *BuildRequest(Acme(), answers).refusal; };
    SystemAnswers answers = SixChambers({}, {});
    answers.chambers = 8;
    EXPECT_EQ(refusal(answers).message, "\"Acme\" offers 4 to 7 chambers, not 8.");
    answers = SixChambers({}, {});
    answers.topMasterKey = "291111";
    EXPECT_EQ(refusal(answers).answer, RefusedAnswer::TopMasterKey);
    EXPECT_EQ(refusal(answers).message, AdjacentCutsMessage);
    EXPECT_EQ(refusal(SixChambers(QuantityAnswer::Of(65), {})).message, AboveAvailableMessage);
    EXPECT_EQ(refusal(SixChambers({}, QuantityAnswer::Of(3))).answer, RefusedAnswer::SubMasters);
    EXPECT_EQ(refusal(SixChambers(QuantityAnswer::Of(10), QuantityAnswer::Of(65))).message,
              TooManySubMastersMessage);
    EXPECT_EQ(refusal(SixChambers({}, {}, QuantityAnswer::Of(4097))).answer, RefusedAnswer::ChangeKeys);

    manufacturers::ManufacturerRecord core = Acme();
    core.IsICore = true;
    core.ControlChambers = "YNNNNNN";
    core.ControlFactor = 4;
    core.StackTotal = 20;
    answers = SixChambers({}, {});
    answers.controlKey = answers.topMasterKey;
    EXPECT_EQ(BuildRequest(core, answers).refusal->message, SameKeyMessage);
}

// One sub-master too many builds exactly the system of the right number, "all" change keys
// included; the dialog's OK takes what its fields hold.
TEST(RequestBuilderTest, SubMastersAboveWhatFitsAreLoweredBeforeTheKeysAreCounted) {
    const BuiltRequest asked =
        BuildRequest(Acme(), SixChambers(QuantityAnswer::Of(10), QuantityAnswer::Of(5)));
    const BuiltRequest fitting =
        BuildRequest(Acme(), SixChambers(QuantityAnswer::Of(10), QuantityAnswer::Of(4)));
    ASSERT_FALSE(asked.refusal);
    EXPECT_EQ(asked.request, fitting.request);
    EXPECT_EQ(asked.request.SubMasterCount, 4);
    EXPECT_EQ(asked.request.ChangeKeyCount, 64);
    EXPECT_EQ(asked.request.ChamberRoles, "MMSRRR");

    SystemAnswers entered =
        SixChambers(QuantityAnswer::Of(10), QuantityAnswer::Of(5), QuantityAnswer::Of(16));
    entered.subMastersAsEntered = true;
    const BuiltRequest dialog = BuildRequest(Acme(), entered);
    ASSERT_FALSE(dialog.refusal);
    EXPECT_EQ(dialog.request.SubMasterCount, 5);
    EXPECT_EQ(dialog.request.ChamberRoles, "MMSSRR");
}

} // namespace
} // namespace varnholt::definition
