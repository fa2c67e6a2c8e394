#include "manufacturers/ManufacturerRecord.h"
#include "manufacturers/CodePage1252.h"
#include "manufacturers/ManufacturerMessages.h"
#include "manufacturers/ManufacturerName.h"
#include "manufacturers/RecordValidity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace varnholt::manufacturers {
namespace {

ManufacturerRecord InterchangeableCoreRecord() {
    ManufacturerRecord record;
    record.Name = "Corbel";
    record.ChamberChoices = 2;
    record.MinChambers = 6;
    record.ShallowestCut = 0;
    record.DeepestCut = 9;
    record.MaxAdjacentCut = 7;
    record.StepIncrement = 1;
    record.ControlFactor = 7;
    record.StackTotal = 23;
    record.ControlChambers = "YNNYNNN";
    record.IsICore = true;
    return record;
}

TEST(ManufacturerRecordLayout, InterchangeableCoreRecordLiesInTheFileByteForByte) {
    RecordBytes expected{};
    expected[0] = 6;
    for (std::size_t index = 0; index < 6; ++index) {
        expected[1 + index] = static_cast<std::uint8_t>("Corbel"[index]);
    }
    auto putInteger = [&expected](std::size_t offset, std::uint8_t value) { expected[offset] = value; };
    putInteger(44, 2);
    putInteger(48, 6);
    putInteger(56, 9);
    putInteger(60, 7);
    putInteger(64, 1);
    putInteger(68, 7);
    putInteger(72, 23);
    expected[76] = 7;
    for (std::size_t index = 0; index < 7; ++index) {
        expected[77 + index] = static_cast<std::uint8_t>("YNNYNNN"[index]);
    }
    expected[84] = 1;

    auto bytes = InterchangeableCoreRecord().Encode();
    for (std::size_t offset = 0; offset < RecordSize; ++offset) {
        EXPECT_EQ(bytes[offset], expected[offset]) << "at offset " << offset;
    }
    EXPECT_EQ(ManufacturerRecord::Decode(bytes), InterchangeableCoreRecord());
}

TEST(ManufacturerRecordLayout, IntegersAreSignedLittleEndian) {
    ManufacturerRecord record;
    record.ChamberChoices = 0x01020304;
    record.StackTotal = -2;
    auto bytes = record.Encode();
    EXPECT_EQ(bytes[44], 0x04);
    EXPECT_EQ(bytes[45], 0x03);
    EXPECT_EQ(bytes[46], 0x02);
    EXPECT_EQ(bytes[47], 0x01);
    EXPECT_EQ(bytes[72], 0xFE);
    EXPECT_EQ(bytes[75], 0xFF);
    EXPECT_EQ(ManufacturerRecord::Decode(bytes).StackTotal, -2);
}

TEST(ManufacturerRecordLayout, RecordWithoutInterchangeableCoreHasNoControlChambers) {
    ManufacturerRecord record;
    record.Name = "Plain";
    record.ControlChambers = "";
    auto bytes = record.Encode();
    for (std::size_t offset = 76; offset < RecordSize; ++offset) {
        EXPECT_EQ(bytes[offset], 0) << "at offset " << offset;
    }
    auto decoded = ManufacturerRecord::Decode(bytes);
    EXPECT_EQ(decoded.ControlChambers, "");
    EXPECT_FALSE(decoded.IsICore);
}

TEST(ManufacturerRecordLayout, InterchangeableCoreReadersTakeTheSevenBytesWhateverTheLength) {
    auto bytes = InterchangeableCoreRecord().Encode();
    bytes[76] = 3;
    EXPECT_EQ(ManufacturerRecord::Decode(bytes).ControlChambers, "YNNYNNN");
}

TEST(ManufacturerRecordLayout, NameIsCutToFortyCharactersAndAFortyCharacterNameIsKeptWhole) {
    ManufacturerRecord record;
    record.Name = std::string(40, 'A');
    EXPECT_EQ(ManufacturerRecord::Decode(record.Encode()).Name, std::string(40, 'A'));
    record.Name = std::string(39, 'B') + "\xC3\xA9XYZ";
    auto bytes = record.Encode();
    EXPECT_EQ(bytes[0], 40);
    EXPECT_EQ(bytes[40], 0xE9);
    EXPECT_EQ(bytes[41], 0) << "padding after the name stays zero";
}

TEST(ManufacturerRecordLayout, DamagedLengthBytesAreCutAndReported) {
    auto bytes = InterchangeableCoreRecord().Encode();
    EXPECT_FALSE(FindLayoutDamage(bytes));
    bytes[0] = 200;
    EXPECT_EQ(ManufacturerRecord::Decode(bytes).Name.size(), 40u);
    EXPECT_EQ(FindLayoutDamage(bytes), "The name is 200 characters long, more than 40.");
    bytes[0] = 6;
    bytes[84] = 0;
    bytes[76] = 9;
    EXPECT_EQ(ManufacturerRecord::Decode(bytes).ControlChambers, "YNNYNNN");
    EXPECT_TRUE(FindLayoutDamage(bytes));
    bytes[76] = 7;
    bytes[84] = 5;
    EXPECT_TRUE(FindLayoutDamage(bytes));
}

TEST(CodePage1252, AccentedNamesAreStoredAsSingleBytesAndShownAsTyped) {
    ManufacturerRecord record;
    record.Name = "M\xC3\xBCller & Fr\xC3\xA8res \xE2\x82\xAC Stra\xC3\x9F"
                  "e"; // Müller & Frères € Straße
    auto bytes = record.Encode();
    EXPECT_EQ(bytes[0], 24);
    EXPECT_EQ(bytes[2], 0xFC);
    EXPECT_EQ(bytes[12], 0xE8);
    EXPECT_EQ(bytes[17], 0x80);
    EXPECT_EQ(bytes[23], 0xDF);
    EXPECT_EQ(ManufacturerRecord::Decode(bytes).Name, record.Name);
}

TEST(CodePage1252, ControlChamberBytesReadFromADamagedFileAreWrittenBackUnchanged) {
    // Without a core the control-chamber bytes mean nothing, but a record read from the file and
    // saved again must still carry them through the code page like the name, not as UTF-8.
    auto bytes = ManufacturerRecord{}.Encode();
    const std::uint8_t stray[] = {6, 'M', 0xFC, 'l', 'l', 'e', 'r'};
    std::copy(std::begin(stray), std::end(stray), bytes.begin() + 76);
    const auto record = ManufacturerRecord::Decode(bytes);
    EXPECT_EQ(record.ControlChambers, "M\xC3\xBCller");
    EXPECT_EQ(record.Encode(), bytes);
}

TEST(CodePage1252, CharactersOutsideTheCodePageAreRefused) {
    EXPECT_FALSE(ToCodePage1252(U'\u03A9'));     // Greek Omega
    EXPECT_FALSE(ToCodePage1252(U'\u4E2D'));     // a Chinese character
    EXPECT_FALSE(ToCodePage1252(U'\U0001F511')); // the key emoji
    EXPECT_EQ(ToCodePage1252(U'\u0160'), 0x8A);
    EXPECT_EQ(EncodeCodePage1252("caf\xC3\xA9"), std::string("caf\xE9"));
    EXPECT_FALSE(EncodeCodePage1252("\xCE\xA9"));
    EXPECT_FALSE(EncodeCodePage1252("\xC3")) << "a cut sequence is not text";
    EXPECT_FALSE(EncodeCodePage1252("\xC0\xAF")) << "an overlong sequence is not text";
}

TEST(CodePage1252, EveryByteSurvivesTheRoundTrip) {
    for (int value = 0; value < 256; ++value) {
        auto byte = static_cast<std::uint8_t>(value);
        std::uint8_t single[] = {byte};
        EXPECT_EQ(EncodeCodePage1252(DecodeCodePage1252(single)), std::string(1, static_cast<char>(byte)));
    }
}

TEST(ManufacturerNames, CompareIgnoringTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(SameManufacturerName("Corbel Lock", "CORBEL LOCK"));
    EXPECT_FALSE(SameManufacturerName("Corbel Lock", "Corbel Lock "));
    EXPECT_FALSE(SameManufacturerName("\xC3\xA9tienne", "\xC3\x89TIENNE")) << "é and É differ";
    EXPECT_TRUE(IsMarkedForDeletion("Undeleted Corp"));
    EXPECT_TRUE(IsMarkedForDeletion("xdElEtEx"));
    EXPECT_FALSE(IsMarkedForDeletion("DELET E"));
    EXPECT_EQ(CutToNameLength(std::string(45, '\xC3')), std::string(40, '\xC3'));
}

struct ImpossibleCase {
    const char* what;
    void (*spoil)(ManufacturerRecord&);
    const char* message;
};

TEST(RecordValidity, EveryValueTheGenerationCannotUseIsNamedWithItsFieldsMessage) {
    EXPECT_FALSE(FindImpossibleValue(InterchangeableCoreRecord()));
    const ImpossibleCase cases[] = {
        {"minimum 2", [](ManufacturerRecord& r) { r.MinChambers = 2; }, messages::MinimumChambersRange},
        {"minimum 8",
         [](ManufacturerRecord& r) {
             r.MinChambers = 8;
             r.ChamberChoices = 1;
         },
         messages::MinimumChambersRange},
        {"maximum 8", [](ManufacturerRecord& r) { r.ChamberChoices = 3; }, messages::MaximumChambersRange},
        {"maximum below minimum", [](ManufacturerRecord& r) { r.ChamberChoices = 0; },
         messages::MaximumBelowMinimum},
        {"overflowing choices", [](ManufacturerRecord& r) { r.ChamberChoices = 2147483647; },
         messages::MaximumChambersRange},
        {"shallowest 2", [](ManufacturerRecord& r) { r.ShallowestCut = 2; }, messages::ShallowRange},
        {"deepest 4", [](ManufacturerRecord& r) { r.DeepestCut = 4; }, messages::DeepRange},
        {"deepest 11", [](ManufacturerRecord& r) { r.DeepestCut = 11; }, messages::DeepRange},
        {"depths 0 to 10, where 0 is written for 10",
         [](ManufacturerRecord& r) {
             r.ShallowestCut = 0;
             r.DeepestCut = 10;
         },
         messages::ZeroAndTen},
        {"M.A.C.S 2", [](ManufacturerRecord& r) { r.MaxAdjacentCut = 2; }, messages::MaxAdjacentRange},
        {"M.A.C.S 10", [](ManufacturerRecord& r) { r.MaxAdjacentCut = 10; }, messages::MaxAdjacentRange},
        {"step 0", [](ManufacturerRecord& r) { r.StepIncrement = 0; }, messages::StepRange},
        {"step 5", [](ManufacturerRecord& r) { r.StepIncrement = 5; }, messages::StepRange},
        {"step 4 over depths 1..5",
         [](ManufacturerRecord& r) {
             r.ShallowestCut = 1;
             r.DeepestCut = 5;
             r.StepIncrement = 4;
         },
         messages::StepLeavesNoDepth},
        {"step 3 over depths 0..5 leaves one",
         [](ManufacturerRecord& r) {
             r.DeepestCut = 5;
             r.StepIncrement = 3;
         },
         nullptr},
        {"control factor 0", [](ManufacturerRecord& r) { r.ControlFactor = 0; },
         messages::ControlFactorRange},
        {"control factor 31", [](ManufacturerRecord& r) { r.ControlFactor = 31; },
         messages::ControlFactorRange},
        {"stack total 5", [](ManufacturerRecord& r) { r.StackTotal = 5; }, messages::StackTotalRange},
        {"stack total 31", [](ManufacturerRecord& r) { r.StackTotal = 31; }, messages::StackTotalRange},
        {"no control chamber", [](ManufacturerRecord& r) { r.ControlChambers = "NNNNNNN"; },
         messages::NoControlChamber},
        {"short control chambers", [](ManufacturerRecord& r) { r.ControlChambers = "YN"; },
         messages::ControlChambersForm},
        {"strange control mark", [](ManufacturerRecord& r) { r.ControlChambers = "YNNNNNX"; },
         messages::ControlChambersForm},
    };
    for (const auto& impossible : cases) {
        auto record = InterchangeableCoreRecord();
        impossible.spoil(record);
        if (impossible.message == nullptr) {
            EXPECT_FALSE(FindImpossibleValue(record)) << impossible.what;
        } else {
            EXPECT_EQ(FindImpossibleValue(record), impossible.message) << impossible.what;
        }
    }
}

TEST(RecordValidity, TheBoundariesThemselvesAreUsable) {
    auto record = InterchangeableCoreRecord();
    record.MinChambers = 3;
    record.ChamberChoices = 5;
    record.ShallowestCut = 1;
    record.DeepestCut = 10;
    record.MaxAdjacentCut = 0;
    record.StepIncrement = 4;
    record.ControlFactor = 30;
    record.StackTotal = 6;
    EXPECT_FALSE(FindImpossibleValue(record));
    record.MaxAdjacentCut = 3;
    record.ControlFactor = 1;
    record.StackTotal = 30;
    EXPECT_FALSE(FindImpossibleValue(record));
}

TEST(RecordValidity, WithoutInterchangeableCoreTheCoreValuesAreNotJudged) {
    auto record = InterchangeableCoreRecord();
    record.IsICore = false;
    record.ControlFactor = 0;
    record.StackTotal = 0;
    record.ControlChambers = "";
    EXPECT_FALSE(FindImpossibleValue(record));
}

} // namespace
} // namespace varnholt::manufacturers