#include "LegacyKeyScheduleCsv.h"

#include "report/TForm3.h"

namespace varnholt::legacy {

namespace {

std::string_view LevelName(KeyLevel level)
{
    switch (level) {
    case KeyLevel::TopMaster:
        return "top master";
    case KeyLevel::Master:
        return "master";
    case KeyLevel::SubMaster:
        return "sub-master";
    case KeyLevel::ChangeKey:
        return "change key";
    }
    return "";
}

} // namespace

std::string QuoteCsvField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (const char character : field) {
        if (character == '"')
            quoted += '"';
        quoted += character;
    }
    quoted += '"';
    return quoted;
}

KeyScheduleCsv::KeyScheduleCsv()
{
    AddRow({"level", "designation", "change key number", "bitting", "mark"});
}

void KeyScheduleCsv::Add(const ScheduledKey& key)
{
    const std::string number = key.changeKeyNumber > 0 ? std::to_string(key.changeKeyNumber) : std::string();
    const std::string mark = key.mark == ' ' ? std::string() : std::string(1, key.mark);
    AddRow({LevelName(key.level), key.designation, number, key.bitting, mark});
}

void KeyScheduleCsv::AddRow(std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            text += ',';
        text += QuoteCsvField(field);
        first = false;
    }
    text += "\r\n";
}

std::string LegacyKeyScheduleCsvOf(GenerationState& state)
{
    report::TForm3 form(state);
    KeyScheduleCsv schedule;
    form.SetKeyListener([&schedule](const ScheduledKey& key) { schedule.Add(key); });
    static_cast<void>(form.StartReport());
    return schedule.Text();
}

} // namespace varnholt::legacy
