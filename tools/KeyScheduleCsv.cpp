#include "KeyScheduleCsv.h"

namespace varnholt::tools {

namespace {

std::string_view LevelName(report::KeyLevel level)
{
    switch (level) {
    case report::KeyLevel::TopMaster:
        return "top master";
    case report::KeyLevel::Master:
        return "master";
    case report::KeyLevel::SubMaster:
        return "sub-master";
    case report::KeyLevel::ChangeKey:
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

void KeyScheduleCsv::Add(const report::ScheduledKey& key)
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

} // namespace varnholt::tools
