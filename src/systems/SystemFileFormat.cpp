#include "systems/SystemFileFormat.h"

#include "manufacturers/CodePage1252.h"
#include "manufacturers/RecordValidity.h"
#include "systems/JsonValue.h"

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <set>

namespace varnholt::systems {

namespace {

// ---- Writing -------------------------------------------------------------------------------

class ObjectWriter {
public:
    ObjectWriter(std::string& output, int depth) : out(output), indent(static_cast<std::size_t>(depth) * 2U) {
        out += "{";
    }

    void Text(std::string_view name, std::string_view value) { Name(name) += QuoteJson(value); }
    void Number(std::string_view name, long long value) { Name(name) += std::to_string(value); }
    void Boolean(std::string_view name, bool value) { Name(name) += value ? "true" : "false"; }
    std::string& Name(std::string_view name) {
        out += first ? "\n" : ",\n";
        first = false;
        out.append(indent + 2U, ' ');
        out += QuoteJson(name);
        out += ": ";
        return out;
    }
    void Close() {
        out += "\n";
        out.append(indent, ' ');
        out += "}";
    }

private:
    std::string& out;
    std::size_t indent;
    bool first = true;
};

void WriteManufacturer(std::string& out, const manufacturers::ManufacturerRecord& record) {
    ObjectWriter object(out, 1);
    object.Text("name", record.Name);
    object.Number("minChambers", record.MinChambers);
    object.Number("chamberChoices", record.ChamberChoices);
    object.Number("shallowestCut", record.ShallowestCut);
    object.Number("deepestCut", record.DeepestCut);
    object.Number("maxAdjacentCut", record.MaxAdjacentCut);
    object.Number("stepIncrement", record.StepIncrement);
    object.Boolean("interchangeableCore", record.IsICore);
    object.Text("controlChambers", record.ControlChambers);
    object.Number("controlFactor", record.ControlFactor);
    object.Number("stackTotal", record.StackTotal);
    object.Close();
}

void WriteAnswers(std::string& out, const SavedAnswers& answers) {
    ObjectWriter object(out, 1);
    object.Number("chambers", answers.chambers);
    object.Text("topMasterKey", answers.topMasterKey);
    object.Text("controlKey", answers.controlKey);
    object.Number("masters", answers.masters);
    object.Number("subMasters", answers.subMasters);
    object.Number("changeKeys", answers.changeKeys);
    object.Close();
}

void WriteJob(std::string& out, const report::JobDetails& job) {
    ObjectWriter object(out, 1);
    object.Text("customer", job.customer);
    object.Text("site", job.site);
    object.Text("jobNumber", job.jobNumber);
    object.Text("notes", job.notes);
    object.Close();
}

void WriteDoors(std::string& out, const std::vector<Door>& doors) {
    if (doors.empty()) {
        out += "[]";
        return;
    }
    out += "[";
    for (std::size_t index = 0; index < doors.size(); ++index) {
        const Door& door = doors[index];
        out += index == 0 ? "\n    " : ",\n    ";
        ObjectWriter object(out, 2);
        object.Text("door", door.number);
        object.Text("location", door.location);
        object.Number("cylinders", door.cylinders);
        std::string& targets = object.Name("keyedTo");
        targets += "[";
        for (std::size_t target = 0; target < door.targets.size(); ++target)
            targets += (target == 0 ? "" : ", ") + QuoteJson(DoorTargetText(door.targets[target]));
        targets += "]";
        object.Text("notes", door.notes);
        object.Close();
    }
    out += "\n  ]";
}

// ---- Reading -------------------------------------------------------------------------------

// A field that is missing or of the wrong form: the file is damaged.
struct Damage {
    std::string reason;
};

std::string Where(std::string_view object, std::string_view name) {
    return "\"" + (object.empty() ? std::string(name) : std::string(object) + "." + std::string(name)) + "\"";
}

const JsonValue& Field(const JsonValue& object, std::string_view objectName, std::string_view name,
                       JsonValue::Kind kind, std::string_view kindText) {
    const JsonValue* value = object.Member(name);
    if (value == nullptr)
        throw Damage{"it is damaged: the field " + Where(objectName, name) + " is missing"};
    if (value->kind != kind)
        throw Damage{"it is damaged: the field " + Where(objectName, name) + " must be " +
                     std::string(kindText)};
    return *value;
}

std::string TextField(const JsonValue& object, std::string_view objectName, std::string_view name) {
    return Field(object, objectName, name, JsonValue::Kind::String, "a text").text;
}

bool BooleanField(const JsonValue& object, std::string_view objectName, std::string_view name) {
    return Field(object, objectName, name, JsonValue::Kind::Boolean, "true or false").boolean;
}

std::int32_t WholeNumberField(const JsonValue& object, std::string_view objectName, std::string_view name) {
    const std::string& literal =
        Field(object, objectName, name, JsonValue::Kind::Number, "a whole number").text;
    const bool negative = !literal.empty() && literal.front() == '-';
    const std::string_view digits = std::string_view(literal).substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw Damage{"it is damaged: the field " + Where(objectName, name) + " must be a whole number, not " +
                     literal};
    const std::int32_t value = std::stoi(std::string(digits));
    return negative ? -value : value;
}

void OnlyMembers(const JsonValue& object, std::string_view objectName,
                 std::initializer_list<std::string_view> names) {
    for (const JsonMember& member : object.members)
        if (std::find(names.begin(), names.end(), member.name) == names.end())
            throw Damage{"it is damaged: it has an unknown field " + Where(objectName, member.name)};
}

const JsonValue& ObjectField(const JsonValue& object, std::string_view name) {
    return Field(object, "", name, JsonValue::Kind::Object, "an object");
}

manufacturers::ManufacturerRecord ReadManufacturer(const JsonValue& document) {
    const JsonValue& object = ObjectField(document, "manufacturer");
    OnlyMembers(object, "manufacturer",
                {"name", "minChambers", "chamberChoices", "shallowestCut", "deepestCut", "maxAdjacentCut",
                 "stepIncrement", "interchangeableCore", "controlChambers", "controlFactor", "stackTotal"});
    manufacturers::ManufacturerRecord record;
    record.Name = TextField(object, "manufacturer", "name");
    record.MinChambers = WholeNumberField(object, "manufacturer", "minChambers");
    record.ChamberChoices = WholeNumberField(object, "manufacturer", "chamberChoices");
    record.ShallowestCut = WholeNumberField(object, "manufacturer", "shallowestCut");
    record.DeepestCut = WholeNumberField(object, "manufacturer", "deepestCut");
    record.MaxAdjacentCut = WholeNumberField(object, "manufacturer", "maxAdjacentCut");
    record.StepIncrement = WholeNumberField(object, "manufacturer", "stepIncrement");
    record.IsICore = BooleanField(object, "manufacturer", "interchangeableCore");
    record.ControlChambers = TextField(object, "manufacturer", "controlChambers");
    record.ControlFactor = WholeNumberField(object, "manufacturer", "controlFactor");
    record.StackTotal = WholeNumberField(object, "manufacturer", "stackTotal");

    // The manufacturer file could not hold what this cannot, so no record ever looked like it.
    if (!manufacturers::EncodeCodePage1252(record.Name) ||
        manufacturers::CharacterCount(record.Name) > manufacturers::NameCapacity)
        throw Damage{"its manufacturer values are impossible: the name must be at most 40 characters of the "
                     "Western European character set"};
    if (!manufacturers::EncodeCodePage1252(record.ControlChambers) ||
        manufacturers::CharacterCount(record.ControlChambers) > manufacturers::ControlChambersCapacity)
        throw Damage{
            "its manufacturer values are impossible: the control chambers must be at most 7 characters"};
    if (auto impossible = manufacturers::FindImpossibleField(record))
        throw Damage{"its manufacturer values are impossible: " + impossible->found + "\n" +
                     impossible->message};
    return record;
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

SavedAnswers ReadAnswers(const JsonValue& document) {
    const JsonValue& object = ObjectField(document, "answers");
    OnlyMembers(object, "answers",
                {"chambers", "topMasterKey", "controlKey", "masters", "subMasters", "changeKeys"});
    SavedAnswers answers;
    answers.chambers = WholeNumberField(object, "answers", "chambers");
    answers.topMasterKey = TextField(object, "answers", "topMasterKey");
    answers.controlKey = TextField(object, "answers", "controlKey");
    answers.masters = WholeNumberField(object, "answers", "masters");
    answers.subMasters = WholeNumberField(object, "answers", "subMasters");
    answers.changeKeys = WholeNumberField(object, "answers", "changeKeys");
    if (!AllDigits(answers.topMasterKey) || !AllDigits(answers.controlKey))
        throw Damage{"it is damaged: a key in \"answers\" must be written in digits"};
    if (answers.masters < 0 || answers.subMasters < 0 || answers.changeKeys < 0)
        throw Damage{"it is damaged: a count in \"answers\" is negative"};
    return answers;
}

report::JobDetails ReadJob(const JsonValue& document) {
    const JsonValue& object = ObjectField(document, "job");
    OnlyMembers(object, "job", {"customer", "site", "jobNumber", "notes"});
    return {TextField(object, "job", "customer"), TextField(object, "job", "site"),
            TextField(object, "job", "jobNumber"), TextField(object, "job", "notes")};
}

std::vector<Door> ReadDoors(const JsonValue& document) {
    const JsonValue& list = Field(document, "", "doors", JsonValue::Kind::Array, "a list");
    if (list.items.size() > MaxDoors)
        throw Damage{"it holds more than " + std::to_string(MaxDoors) + " doors"};
    std::vector<Door> doors;
    doors.reserve(list.items.size());
    std::set<std::string, std::less<>> numbers;
    for (std::size_t index = 0; index < list.items.size(); ++index) {
        const JsonValue& object = list.items[index];
        const std::string name = "doors[" + std::to_string(index) + "]";
        if (object.kind != JsonValue::Kind::Object)
            throw Damage{"it is damaged: the field \"" + name + "\" must be an object"};
        OnlyMembers(object, name, {"door", "location", "cylinders", "keyedTo", "notes"});
        Door& door = doors.emplace_back();
        door.number = TextField(object, name, "door");
        door.location = TextField(object, name, "location");
        door.cylinders = WholeNumberField(object, name, "cylinders");
        const JsonValue& targets = Field(object, name, "keyedTo", JsonValue::Kind::Array, "a list");
        if (targets.items.size() > MaxTargetsPerDoor)
            throw Damage{"it is damaged: door \"" + door.number + "\" is keyed to more than " +
                         std::to_string(MaxTargetsPerDoor) + " keys"};
        for (const JsonValue& item : targets.items) {
            const std::optional<DoorTarget> target =
                item.kind == JsonValue::Kind::String ? ParseDoorTarget(item.text) : std::nullopt;
            if (!target)
                throw Damage{"it is damaged: door \"" + door.number + "\" is keyed to " +
                             (item.kind == JsonValue::Kind::String ? "\"" + item.text + "\"" : "something") +
                             ", which is no key name (GMK, A, AA, AA 1, AA *)"};
            if (std::find(door.targets.begin(), door.targets.end(), *target) != door.targets.end())
                throw Damage{"it is damaged: door \"" + door.number + "\" is keyed to " +
                             DoorTargetText(*target) + " twice"};
            door.targets.push_back(*target);
        }
        door.notes = TextField(object, name, "notes");
        if (auto problem = DoorFormProblem(door))
            throw Damage{"it is damaged: door " + std::to_string(index + 1) + " of the list (\"" +
                         door.number + "\"): " + *problem};
        if (!numbers.insert(door.number).second)
            throw Damage{"it is damaged: door \"" + door.number + "\" is listed twice"};
    }
    return doors;
}

bool IsUtcTime(std::string_view text) {
    constexpr std::string_view Pattern = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != Pattern.size())
        return false;
    for (std::size_t i = 0; i < Pattern.size(); ++i)
        if (Pattern[i] == 'd' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != Pattern[i])
            return false;
    const auto number = [text](std::size_t at, std::size_t digits) {
        unsigned value = 0;
        for (std::size_t i = at; i < at + digits; ++i)
            value = value * 10U + static_cast<unsigned>(text[i] - '0');
        return value;
    };
    const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(number(0, 4))),
                                           std::chrono::month(number(5, 2)), std::chrono::day(number(8, 2))};
    return date.ok() && number(11, 2) < 24 && number(14, 2) < 60 && number(17, 2) < 60;
}

std::string TimeField(const JsonValue& document, std::string_view name) {
    std::string time = TextField(document, "", name);
    if (!IsUtcTime(time))
        throw Damage{"it is damaged: the field " + Where("", name) +
                     " is not a time of the form YYYY-MM-DDTHH:MM:SSZ"};
    return time;
}

// The fingerprint's field: version 1 had only the key list's.
std::string_view FingerprintName(bool keyListOnly) {
    return keyListOnly ? "keyListSha256" : "keysAndPinsSha256";
}

std::string FingerprintField(const JsonValue& document, std::string_view name) {
    std::string fingerprint = TextField(document, "", name);
    if (fingerprint.size() != 64 || !std::all_of(fingerprint.begin(), fingerprint.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        }))
        throw Damage{"it is damaged: the field " + Where("", name) + " is not 64 hexadecimal digits"};
    return fingerprint;
}

// Format and version first: a foreign or newer file is told as such, not as a damaged one.
int CheckFormatAndVersion(const JsonValue& document) {
    const JsonValue* format = document.Member("format");
    if (format == nullptr || format->kind != JsonValue::Kind::String || format->text != SystemFormatName)
        throw Damage{"it is not a saved key system (its format is not \"" + std::string(SystemFormatName) +
                     "\")"};
    const JsonValue* version = document.Member("version");
    if (version == nullptr || version->kind != JsonValue::Kind::Number)
        throw Damage{"it is damaged: the field \"version\" is missing or not a number"};
    const std::string& literal = version->text;
    const bool whole =
        !literal.empty() && AllDigits(literal) && (literal.size() == 1 || literal.front() != '0');
    if (whole && (literal.size() > 9 || std::stoi(literal) > SystemFormatVersion))
        throw Damage{"it was saved by a newer version of this program (system file version " + literal +
                     "; this version reads version " + std::to_string(SystemFormatVersion) +
                     "). Open it with the newer version"};
    if (!whole || std::stoi(literal) < 1)
        throw Damage{"it is damaged: the field \"version\" must be a whole number from 1, not " + literal};
    return std::stoi(literal);
}

SavedSystem ReadDocument(const JsonValue& document) {
    if (document.kind != JsonValue::Kind::Object)
        throw Damage{"it is not a saved key system (it holds no JSON object)"};
    SavedSystem system;
    const int version = CheckFormatAndVersion(document);
    system.keyListOnly = version == 1;
    const std::string_view fingerprintName = FingerprintName(system.keyListOnly);
    // Doors came with version 3.
    if (version >= 3)
        OnlyMembers(document, "",
                    {"format", "version", "created", "saved", "manufacturer", "answers", "job", "doors",
                     fingerprintName});
    else
        OnlyMembers(
            document, "",
            {"format", "version", "created", "saved", "manufacturer", "answers", "job", fingerprintName});
    system.created = TimeField(document, "created");
    system.saved = TimeField(document, "saved");
    system.manufacturer = ReadManufacturer(document);
    system.answers = ReadAnswers(document);
    // Only an interchangeable core has a control key; another would carry it into every re-save.
    if (!system.manufacturer.IsICore && !system.answers.controlKey.empty())
        throw Damage{"it is damaged: the field \"answers.controlKey\" must be empty, since the manufacturer "
                     "has no interchangeable core"};
    system.job = ReadJob(document);
    if (version >= 3)
        system.doors = ReadDoors(document);
    system.fingerprint = FingerprintField(document, fingerprintName);
    return system;
}

} // namespace

std::string WriteSystemJson(const SavedSystem& system) {
    std::string out;
    ObjectWriter document(out, 0);
    document.Text("format", SystemFormatName);
    document.Number("version", system.keyListOnly ? 1 : SystemFormatVersion);
    document.Text("created", system.created);
    document.Text("saved", system.saved);
    WriteManufacturer(document.Name("manufacturer"), system.manufacturer);
    WriteAnswers(document.Name("answers"), system.answers);
    WriteJob(document.Name("job"), system.job);
    // A file of version 1 has no doors; a system read from one has none to keep.
    if (!system.keyListOnly)
        WriteDoors(document.Name("doors"), system.doors);
    document.Text(FingerprintName(system.keyListOnly), system.fingerprint);
    document.Close();
    out += "\n";
    return out;
}

std::variant<SavedSystem, SystemFileProblem> ReadSystemJson(std::string_view text) {
    if (text.empty())
        return SystemFileProblem{"it is empty"};
    if (text.size() > LargestSystemFile)
        return SystemFileProblem{"it is far too large to be a saved key system"};
    JsonValue document;
    try {
        document = ParseJson(text);
    } catch (const JsonError& error) {
        if (text.find_first_not_of(" \t\r\n") != std::string_view::npos &&
            text[text.find_first_not_of(" \t\r\n")] != '{')
            return SystemFileProblem{"it is not a saved key system (it is not JSON text)"};
        if (error.atEnd)
            return SystemFileProblem{"it is cut short: the text ends before the document does (" +
                                     std::string(error.what()) + ")"};
        return SystemFileProblem{"it is not valid JSON: line " + std::to_string(error.line) + ", column " +
                                 std::to_string(error.column) + ": " + error.what()};
    }
    try {
        return ReadDocument(document);
    } catch (const Damage& damage) {
        return SystemFileProblem{damage.reason};
    }
}

} // namespace varnholt::systems
