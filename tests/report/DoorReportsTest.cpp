#include "ReportTestSystems.h"

#include "bands/Paper.h"
#include "bands/TextOutput.h"
#include "engine/KeySchedule.h"
#include "report/DoorReportText.h"
#include "report/DoorReports.h"
#include "report/KeyingSchedule.h"
#include "report/LostKeyList.h"
#include "systems/DoorSchedule.h"

#include "HandDoorSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace varnholt::report::testing {
namespace {

using varnholt::testing::FiveChambers;
using varnholt::testing::HandSchedule;

systems::Door DoorTo(std::string number, std::string_view keyedTo, std::string location = {}) {
    systems::Door door;
    door.number = std::move(number);
    door.location = std::move(location);
    door.targets = systems::ParseDoorTargets(keyedTo).targets;
    return door;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// Where the lines of want stand in have, one after the other; the index of the first or npos.
std::size_t Find(const std::vector<std::string>& have, const std::vector<std::string>& want) {
    if (want.size() > have.size())
        return std::string::npos;
    for (std::size_t at = 0; at + want.size() <= have.size(); ++at)
        if (std::equal(want.begin(), want.end(), have.begin() + static_cast<std::ptrdiff_t>(at)))
            return at;
    return std::string::npos;
}

std::size_t Characters(std::string_view line) {
    return static_cast<std::size_t>(std::count_if(
        line.begin(), line.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U; }));
}

TEST(KeyingSchedule, PrintsTheSchematicAndACrossKeyedDoorWithItsPinsAndUnintendedKeysInWords) {
    const KeySystemRequest request = FiveChambers();
    const KeySchedule schedule = HandSchedule();
    const std::vector<systems::Door> doors{DoorTo("101", "AA 1; AB 2", "Store room"), DoorTo("102", "AA *"),
                                           DoorTo("103", "AB 1"), DoorTo("104", "BA 1; A"), DoorTo("105", "aa1;ab2")};
    const systems::DoorSchedule checked(request, schedule, doors);
    KeyingSchedule report(request, doors, checked);
    const bands::Document document = report.Run();
    const std::vector<std::string> text = Lines(bands::ToText(document));

    // The first page is the schematic: the tree, and under each key the doors keyed to it.
    const std::size_t tree = Find(text, {"GMK   top master",
                                         "  A     master",
                                         "      A         104",
                                         "    AA    sub-master, change keys AA 1 to AA 2",
                                         "        AA *      102",
                                         "        AA 1: 101, 105",
                                         "    AB    sub-master, change keys AB 1 to AB 2",
                                         "        AB 1: 103           AB 2: 101, 105",
                                         "  B     master",
                                         "    BA    sub-master, change key BA 1",
                                         "        BA 1: 104"});
    ASSERT_NE(tree, std::string::npos) << bands::ToText(document);
    EXPECT_GT(document.pages.size(), 1U);
    const auto has = [&](std::size_t page, std::string_view label) {
        const auto& labels = document.pages[page].labels;
        return std::any_of(labels.begin(), labels.end(), [&](const bands::PrintedLabel& printed) { return printed.name == label; });
    };
    EXPECT_TRUE(has(0, "SchematicLines"));
    EXPECT_FALSE(has(0, "TitleBlock"));
    EXPECT_TRUE(has(1, "TitleBlock"));

    // Chamber 2 passes the cuts 3, 5 and 7: bottom pin 3 and two master pins of 2.
    EXPECT_NE(Find(text, {"Door 101" + std::string(19, ' ') + "1 cylinder",
                          "  Location:     Store room",
                          "  Keyed to:     AA 1; AB 2",
                          "  Operated by:  GMK, A, AA, AB, AA 1, AB 2",
                          "  Pins:         1: 3/2  2: 3/2/2  3: 3/2  4: 5/2  5: 5",
                          "  Opens:        24 bittings, of which 8 are keys of this system",
                          "  Unintended:   2 keys open this door although they are not meant to:",
                          "                AA 2, AB 1",
                          ""}),
              std::string::npos)
        << bands::ToText(document);
    EXPECT_NE(Find(text, {"Door 103" + std::string(19, ' ') + "1 cylinder", "  Keyed to:     AB 1", "  Operated by:  GMK, A, AB, AB 1",
                          "  Pins:         1: 3/2  2: 5/2  3: 3/2  4: 5  5: 5",
                          "  Opens:        8 bittings, of which 4 are keys of this system", "  Unintended:   none"}),
              std::string::npos);

    EXPECT_NE(Find(text, {"Keyed alike: doors whose cylinders take the same keys", "  Keyed to AA 1; AB 2:",
                          "    101, 105"}),
              std::string::npos)
        << bands::ToText(document);
    EXPECT_NE(Find(text, {"Exposed doors: keys of this system open them although they are not meant to",
                          "  Door 101:", "    AA 2, AB 1", "  Door 104:", "    AB, AB 1"}),
              std::string::npos);
    EXPECT_NE(Find(text, {"Reserve: listed keys no door uses, for later doors", "  none"}), std::string::npos);
}

TEST(KeyingSchedule, NamesUnusableDoorsAndTheReserveInRanges) {
    KeySystemRequest request = FiveChambers();
    request.StepIncrement = 2; // a master pin of 2 is the thinnest
    KeySchedule schedule = HandSchedule();
    schedule[9].bitting = "37365"; // AB 2: chamber 4 passes 5 and 6, one unit apart
    // Door 9 names a key the system does not have (it was made for another).
    const std::vector<systems::Door> doors{DoorTo("7", "AB 2"), DoorTo("8", "AA 1"), DoorTo("9", "ZZ 1")};
    const systems::DoorSchedule checked(request, schedule, doors);
    KeyingSchedule report(request, doors, checked);
    const std::vector<std::string> text = Lines(bands::ToText(report.Run()));
    EXPECT_NE(Find(text, {"  Pins:         1: 3/2  2: 5/2  3: 3/2  4: 5/1*  5: 5"}), std::string::npos);
    EXPECT_NE(Find(text, {"  NOT USABLE:   Chamber 4 would need a pin thinner than one step."}), std::string::npos);
    EXPECT_NE(Find(text, {"Unusable doors: no cylinder can be pinned for them as they are keyed", "  Door 7:",
                          "    Chamber 4 would need a pin thinner than one step.", "  Door 9:",
                          "    There is no key ZZ 1 in this system."}),
              std::string::npos);
    EXPECT_NE(Find(text, {"Door 9" + std::string(21, ' ') + "1 cylinder", "  Keyed to:     ZZ 1",
                          "  NOT USABLE:   There is no key ZZ 1 in this system."}),
              std::string::npos);
    EXPECT_NE(Find(text, {"Reserve: listed keys no door uses, for later doors", "  B, BA, AA 2, AB 1, BA 1"}),
              std::string::npos);

    const std::vector<std::size_t> unused{6, 7, 8, 9, 10};
    EXPECT_EQ(KeyRanges(unused, checked.Keys()),
              (std::vector<std::string>{"AA 1 to AA 2", "AB 1 to AB 2", "BA 1"}));
}

TEST(LostKeyList, ALostSubMasterListsEveryDoorItOpensMeantOrNot) {
    const KeySystemRequest request = FiveChambers();
    const KeySchedule schedule = HandSchedule();
    const std::vector<systems::Door> doors{DoorTo("101", "AA 1; AB 2", "Store room, ground floor"),
                                           DoorTo("102", "AA *"), DoorTo("103", "AB 1"), DoorTo("104", "BA 1; A"),
                                           DoorTo("106", "BA 1")};
    const systems::DoorSchedule checked(request, schedule, doors);
    LostKeyList report(request, doors, checked, 3); // AB
    const std::vector<std::string> text = Lines(bands::ToText(report.Run()));
    EXPECT_NE(Find(text, {"Key AB opens 3 of the 5 doors: 2 it is meant to open (intended) and 1 it opens although it",
                          "is not meant to (unintended). Each of them needs its cylinder rekeyed or the key back."}),
              std::string::npos)
        << ::testing::PrintToString(text);
    EXPECT_NE(Find(text, {"Door                  How         Location", std::string(90, '-'),
                          "101                   intended    Store room, ground floor",
                          "103                   intended", "104                   unintended"}),
              std::string::npos)
        << ::testing::PrintToString(text);
}

TEST(DoorReports, LostKeyOfNoSingleKeyIsRefusedWithItsReason) {
    TestSystem system;
    system.masters = 2;
    system.subMasters = 2;
    system.changeKeys = 3;
    const GenerationState state = MakeState(system);
    const std::vector<systems::Door> doors{DoorTo("1", "AA 1")};
    for (const std::string_view designation : {"ZZ", "AA *", "", "AA 99"})
        EXPECT_EQ(LostKeyDocument(state, doors, designation).refusal,
                  "\"" + std::string(designation) +
                      "\" names no key of this system; name one key as the key lists do (GMK, A, AA, AA 1).");
    const LostKeyPages pages = LostKeyDocument(state, doors, "aa1");
    EXPECT_TRUE(pages.refusal.empty());
    EXPECT_NE(bands::ToText(pages.document).find("Key AA 1 opens 1 of the 1 door: 1 it is meant to open"),
              std::string::npos);
}

// Drawn systems and door lists, with long and foreign locations and notes: no line of either
// report is wider than the page, every door is printed, and on A4 the pages stay as they were
// and inside the sheet.
TEST(DoorReports, NoLineIsWiderThanNinetyCharactersAndBothPapersKeepThePages) {
    std::mt19937 random(8121);
    const std::string words[] = {"Store", "room", "Ground floor east wing", "Größenwahn-Straße 12,", "倉庫",
                                 "\"quoted\"", "a-very-long-word-without-any-blank-in-it-at-all-running-past-the-column"};
    int drawn = 0;
    for (const GenerationState& state : AgreementSystems()) {
        if (++drawn % 4 != 0)
            continue;
        const KeySchedule schedule = ComputeKeySchedule(state);
        const systems::KeyDirectory keys(schedule, state.MasterCount > 0);
        std::vector<std::size_t> listed;
        for (std::size_t index = 0; index < schedule.size(); ++index)
            if (schedule[index].listed)
                listed.push_back(index);
        std::vector<systems::Door> doors;
        const int doorCount = static_cast<int>(random() % 30);
        for (int number = 0; number < doorCount; ++number) {
            systems::Door door;
            door.number = number % 7 == 0 ? std::string(20, static_cast<char>('A' + number % 26))
                                          : std::to_string(100 + number);
            for (std::size_t word = random() % 40; word > 0; --word)
                door.location += words[random() % std::size(words)] + std::string(random() % 9 == 0 ? "\n" : " ");
            door.notes = random() % 3 == 0 ? door.location : "";
            door.cylinders = 1 + static_cast<int>(random() % 999);
            const int targets = state.IsICore ? 1 : 1 + static_cast<int>(random() % 3);
            for (int target = 0; target < targets; ++target) {
                std::string name = keys.Designation(listed[random() % listed.size()]);
                if (random() % 6 == 0 && name.find(' ') == std::string::npos && !state.IsICore)
                    name += " *";
                door.targets.push_back(*systems::ParseDoorTarget(name));
            }
            doors.push_back(std::move(door));
        }
        const bands::Document schedulePages = KeyingScheduleDocument(state, doors);
        const LostKeyPages lost = LostKeyDocument(state, doors, keys.Designation(listed[random() % listed.size()]));
        ASSERT_TRUE(lost.refusal.empty());
        for (const bands::Document* document : {&schedulePages, &lost.document}) {
            const std::string text = bands::ToText(*document);
            for (const std::string& line : Lines(text))
                ASSERT_LE(Characters(line), 90U) << line << "\n" << state.MfgName << " " << state.TopMasterKey;
            bands::Document onA4 = *document;
            bands::PlaceOnPaper(onA4, bands::Paper::A4);
            ASSERT_EQ(onA4.pages.size(), document->pages.size());
            for (const bands::DocumentPage& page : onA4.pages) {
                for (const bands::PlacedText& placed : page.texts) {
                    EXPECT_GE(placed.left, 0.0);
                    EXPECT_LE(placed.left + document->columnWidth * static_cast<double>(Characters(placed.text)),
                              onA4.setup.paperWidth * 72.0 + 1e-6)
                        << placed.text;
                    EXPECT_LE(placed.top + document->rowHeight, onA4.setup.paperHeight * 72.0 -
                                                                     onA4.setup.bottomMargin * 72.0 + 1e-6);
                }
            }
        }
        const std::string text = bands::ToText(schedulePages);
        for (const systems::Door& door : doors)
            EXPECT_NE(text.find("Door " + door.number + " "), std::string::npos) << door.number;
    }
}

} // namespace
} // namespace varnholt::report::testing
