#include "systems/SystemFileFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace varnholt::systems {
namespace {

SavedSystem CoreSystem() {
    SavedSystem system;
    system.manufacturer.Name = "Sample IC core 7-pin";
    system.manufacturer.MinChambers = 6;
    system.manufacturer.ChamberChoices = 2;
    system.manufacturer.ShallowestCut = 0;
    system.manufacturer.DeepestCut = 9;
    system.manufacturer.MaxAdjacentCut = 7;
    system.manufacturer.StepIncrement = 1;
    system.manufacturer.IsICore = true;
    system.manufacturer.ControlChambers = "YNNYNNN";
    system.manufacturer.ControlFactor = 12;
    system.manufacturer.StackTotal = 23;
    system.answers = {7, "2468135", "1357913", 4, 2, 10};
    system.job = {"Müller & Söhne \"Nord\"", "Rue de l'Église 5, 1st floor", "2026/114",
                  "Wing B\nPhone: 555 \t 0123 \x01 ✓ 🔑"};
    system.created = "2026-12-09T10:15:00Z";
    system.saved = "2026-12-09T11:05:59Z";
    system.fingerprint = std::string(32, 'a') + std::string(32, '7');
    return system;
}

std::string ProblemOf(std::string_view text) {
    const auto read = ReadSystemJson(text);
    if (const auto* problem = std::get_if<SystemFileProblem>(&read))
        return problem->reason;
    return "(read)";
}

std::string Replaced(std::string text, std::string_view what, std::string_view with) {
    const auto at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return text.replace(at, what.size(), with);
}

TEST(SystemFileFormat, ReadsBackExactlyWhatItWroteInEitherVersion) {
    SavedSystem versionOne = CoreSystem();
    versionOne.keyListOnly = true;
    for (const SavedSystem& system : {CoreSystem(), versionOne}) {
        const std::string text = WriteSystemJson(system);
        const auto read = ReadSystemJson(text);
        ASSERT_TRUE(std::holds_alternative<SavedSystem>(read)) << ProblemOf(text);
        EXPECT_EQ(std::get<SavedSystem>(read), system);
        EXPECT_EQ(WriteSystemJson(std::get<SavedSystem>(read)), text);
        const std::string version = system.keyListOnly ? "\"version\": 1,\n" : "\"version\": 3,\n";
        EXPECT_NE(text.find(version), std::string::npos) << text;
    }
    // Each version has its own fingerprint field, and only that one.
    const std::string text = WriteSystemJson(versionOne);
    EXPECT_NE(text.find("\"keyListSha256\": \""), std::string::npos) << text;
    EXPECT_EQ(ProblemOf(Replaced(text, "\"version\": 1", "\"version\": 2")),
              "it is damaged: it has an unknown field \"keyListSha256\"");
    EXPECT_EQ(ProblemOf(Replaced(Replaced(WriteSystemJson(CoreSystem()), "\"version\": 3", "\"version\": 1"),
                                 "  \"doors\": [],\n", "")),
              "it is damaged: it has an unknown field \"keysAndPinsSha256\"");
    // Free text stays readable in the file: only what JSON demands is escaped.
    EXPECT_NE(text.find("Müller & Söhne \\\"Nord\\\""), std::string::npos) << text;
    EXPECT_NE(text.find("\\u0001 ✓ 🔑"), std::string::npos) << text;
}

TEST(SystemFileFormat, RefusesForeignNewerAndDamagedFiles) {
    const std::string good = WriteSystemJson(CoreSystem());
    EXPECT_EQ(ProblemOf(""), "it is empty");
    EXPECT_EQ(ProblemOf("%PDF-1.4\n\x89\xff"), "it is not a saved key system (it is not JSON text)");
    EXPECT_EQ(ProblemOf("{\"pages\": []}"),
              "it is not a saved key system (its format is not \"varnholt-system\")");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"varnholt-system\"", "\"varnholt-systems\"")),
              "it is not a saved key system (its format is not \"varnholt-system\")");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"version\": 3", "\"version\": 4")),
              "it was saved by a newer version of this program (system file version 4; this version reads "
              "version 3). Open it with the newer version");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"version\": 3", "\"version\": 0")),
              "it is damaged: the field \"version\" must be a whole number from 1, not 0");
    EXPECT_EQ(ProblemOf(Replaced(good, ",\n  \"saved\"", ", \"created\": \"x\",\n  \"saved\"")),
              "it is not valid JSON: line 4, column 47: the member \"created\" appears twice");
    EXPECT_EQ(
        ProblemOf(Replaced(good, "\"deepestCut\": 9", "\"deepestCut\": 42")),
        "its manufacturer values are impossible: Deepest Cut: 42\nThe Deepest cut must be between 5 and 10.");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"YNNYNNN\"", "\"NNNNNNN\"")).substr(0, 67),
              "its manufacturer values are impossible: Control Chambers: \"NNNNNNN\"");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"masters\": 4", "\"masters\": 4.5")),
              "it is damaged: the field \"answers.masters\" must be a whole number, not 4.5");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"masters\": 4", "\"masters\": \"4\"")),
              "it is damaged: the field \"answers.masters\" must be a whole number");
    EXPECT_EQ(ProblemOf(Replaced(good, "\"site\"", "\"place\"")),
              "it is damaged: it has an unknown field \"job.place\"");
    EXPECT_EQ(ProblemOf(Replaced(good, "2026-12-09T10:15:00Z", "yesterday")),
              "it is damaged: the field \"created\" is not a time of the form YYYY-MM-DDTHH:MM:SSZ");
    EXPECT_EQ(ProblemOf(Replaced(good, "Söhne", "S\xf6hne")),
              "it is not valid JSON: line 28, column 28: the text is not UTF-8");
    std::string nested = "{\"format\": ";
    for (int i = 0; i < 100; ++i)
        nested += "[";
    EXPECT_EQ(ProblemOf(nested),
              "it is not valid JSON: line 1, column 76: the document is nested too deeply");
}

TEST(SystemFileFormat, RefusesTimesThatNeverWereAndAControlKeyWithoutACore) {
    const std::string good = WriteSystemJson(CoreSystem());
    for (const char* time : {"2026-99-09T10:15:00Z", "2026-00-09T10:15:00Z", "2026-02-29T10:15:00Z",
                             "2026-12-32T10:15:00Z", "2026-12-09T24:00:00Z", "2026-12-09T10:60:00Z",
                             "2026-12-09T10:15:60Z"})
        EXPECT_EQ(ProblemOf(Replaced(good, "2026-12-09T10:15:00Z", time)),
                  "it is damaged: the field \"created\" is not a time of the form YYYY-MM-DDTHH:MM:SSZ")
            << time;
    EXPECT_EQ(ProblemOf(Replaced(good, "2026-12-09T10:15:00Z", "2024-02-29T23:59:59Z")), "(read)");

    SavedSystem plain = CoreSystem();
    plain.manufacturer.IsICore = false;
    plain.manufacturer.ControlChambers.clear();
    plain.manufacturer.ControlFactor = 0;
    plain.manufacturer.StackTotal = 0;
    EXPECT_EQ(ProblemOf(WriteSystemJson(plain)),
              "it is damaged: the field \"answers.controlKey\" must be empty, since the manufacturer has no "
              "interchangeable core");
    plain.answers.controlKey.clear();
    EXPECT_EQ(ProblemOf(WriteSystemJson(plain)), "(read)");
}

TEST(SystemFileFormat, EveryCutOffFileIsToldAsCutShort) {
    const std::string good = WriteSystemJson(CoreSystem());
    // The last line break is the only thing the document can lose and stay whole.
    for (std::size_t length = 1; length + 1 < good.size(); ++length) {
        const std::string problem = ProblemOf(good.substr(0, length));
        EXPECT_EQ(problem.rfind("it is cut short", 0), 0U) << length << ": " << problem;
    }
}


Door FileDoor(std::string number, std::vector<DoorTarget> targets) {
    Door door;
    door.number = std::move(number);
    door.targets = std::move(targets);
    return door;
}

TEST(SystemFileFormat, DoorsReadBackAsWrittenAndEachBrokenRuleIsRefusedNamingTheDoor) {
    SavedSystem system = CoreSystem();
    system.doors.push_back(FileDoor("101", {{"AA", 1, false}, {"AB", 2, false}}));
    system.doors.back().location = "Store room \"north\"\tground floor";
    system.doors.back().notes = "Line one\nline two ✓";
    system.doors.back().cylinders = 999;
    system.doors.push_back(FileDoor("Main entrance", {{"GMK", 0, true}}));
    const std::string text = WriteSystemJson(system);
    const auto read = ReadSystemJson(text);
    ASSERT_TRUE(std::holds_alternative<SavedSystem>(read)) << ProblemOf(text);
    EXPECT_EQ(std::get<SavedSystem>(read), system);
    EXPECT_EQ(WriteSystemJson(std::get<SavedSystem>(read)), text);
    EXPECT_NE(text.find("  \"doors\": [\n    {\n      \"door\": \"101\",\n      \"location\": \"Store room "
                        "\\\"north\\\"\\tground floor\",\n      \"cylinders\": 999,\n      \"keyedTo\": [\"AA 1\", "
                        "\"AB 2\"],\n      \"notes\": \"Line one\\nline two ✓\"\n    },\n"),
              std::string::npos)
        << text;
    // Targets in any form the key lists take are read, and written as they print.
    EXPECT_EQ(ProblemOf(Replaced(text, "\"AB 2\"", "\"ab2\"")), "(read)");

    const std::pair<std::string_view, std::string_view> broken[] = {
        {"\"cylinders\": 999", "\"cylinders\": 1000"},
        {"\"cylinders\": 999", "\"cylinders\": 0"},
        {"\"door\": \"101\"", "\"door\": \"\""},
        {"\"door\": \"101\"", "\"door\": \"123456789012345678901\""},
        {"\"door\": \"101\"", "\"door\": \"1\\n01\""},
        {"[\"AA 1\", \"AB 2\"]", "[]"},
        {"Line one", "Line\\u0007one"},
    };
    const std::string_view reasons[] = {
        "its number of cylinders is not from 1 to 999",
        "its number of cylinders is not from 1 to 999",
        "its number is empty",
        "its number is not 1 to 20 characters on one line",
        "its number is not 1 to 20 characters on one line",
        "it is keyed to no key",
        "it has a control character in its location or notes",
    };
    for (std::size_t index = 0; index < std::size(broken); ++index) {
        const std::string problem = ProblemOf(Replaced(text, broken[index].first, broken[index].second));
        EXPECT_EQ(problem.rfind("it is damaged: door 1 of the list (\"", 0), 0U) << problem;
        EXPECT_NE(problem.find(reasons[index]), std::string::npos) << problem;
    }
    EXPECT_EQ(ProblemOf(Replaced(text, "\"Main entrance\"", "\"101\"")),
              "it is damaged: door \"101\" is listed twice");
    EXPECT_EQ(ProblemOf(Replaced(text, "\"AB 2\"", "\"AA1\"")), "it is damaged: door \"101\" is keyed to AA 1 twice");
    EXPECT_EQ(ProblemOf(Replaced(text, "\"AB 2\"", "\"A-2\"")),
              "it is damaged: door \"101\" is keyed to \"A-2\", which is no key name (GMK, A, AA, AA 1, AA *)");
    EXPECT_EQ(ProblemOf(Replaced(text, "\"AB 2\"", "2")),
              "it is damaged: door \"101\" is keyed to something, which is no key name (GMK, A, AA, AA 1, AA *)");
    EXPECT_EQ(ProblemOf(Replaced(text, "\"notes\": \"Line", "\"floor\": 1, \"notes\": \"Line")),
              "it is damaged: it has an unknown field \"doors[0].floor\"");
    EXPECT_EQ(ProblemOf(Replaced(text, "\"doors\": [", "\"doors\": [1, ")),
              "it is damaged: the field \"doors[0]\" must be an object");

    // Hostile sizes are refused before they cost memory.
    std::string many = "{\"format\": \"varnholt-system\", \"version\": 3, \"doors\": [";
    for (int value = 0; value < 300000; ++value)
        many += "0,";
    const std::string tooMany = ProblemOf(many + "0]}");
    EXPECT_EQ(tooMany.rfind("it is not valid JSON: line 1, column ", 0), 0U) << tooMany;
    EXPECT_NE(tooMany.find(": the document holds more than 262144 values"), std::string::npos) << tooMany;
    SavedSystem crowded = CoreSystem();
    crowded.doors.assign(MaxDoors + 1, FileDoor("1", {{"AA", 1, false}}));
    for (std::size_t index = 0; index < crowded.doors.size(); ++index)
        crowded.doors[index].number = std::to_string(index);
    EXPECT_EQ(ProblemOf(WriteSystemJson(crowded)), "it holds more than 10000 doors");
}

} // namespace
} // namespace varnholt::systems
