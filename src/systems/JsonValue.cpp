#include "systems/JsonValue.h"

#include <array>
#include <cstdint>
#include <set>

namespace varnholt::systems {

namespace {

constexpr int DeepestNesting = 64;
constexpr std::size_t LargestObject = 256;
// Each value costs far more memory than its text: a file of empty lists must not take gigabytes.
// The largest door list comes to a third of this.
constexpr std::size_t MostValues = 1U << 18U;

class Parser {
public:
    explicit Parser(std::string_view source) : text(source) {}

    JsonValue Document() {
        SkipBlanks();
        JsonValue value = Value(0);
        SkipBlanks();
        if (position != text.size())
            Fail("unexpected text after the end of the document");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        int line = 1;
        int column = 1;
        for (std::size_t i = 0; i < position && i < text.size(); ++i) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
                ++column;
            }
        }
        throw JsonError(what, line, column, position >= text.size());
    }

    std::size_t values = 0;

    bool AtEnd() const { return position >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[position]; }

    void SkipBlanks() {
        while (!AtEnd() && (text[position] == ' ' || text[position] == '\t' || text[position] == '\n' ||
                            text[position] == '\r'))
            ++position;
    }

    void Expect(char wanted) {
        if (AtEnd())
            Fail(std::string("the text ends where '") + wanted + "' was expected");
        if (text[position] != wanted)
            Fail(std::string("'") + wanted + "' expected");
        ++position;
    }

    void Word(std::string_view word) {
        for (const char wanted : word) {
            if (AtEnd())
                Fail("the text ends inside a value");
            if (text[position] != wanted)
                Fail("not a JSON value");
            ++position;
        }
    }

    JsonValue Value(int depth) {
        if (depth > DeepestNesting)
            Fail("the document is nested too deeply");
        if (AtEnd())
            Fail("the text ends where a value was expected");
        if (++values > MostValues)
            Fail("the document holds more than " + std::to_string(MostValues) + " values");
        JsonValue value;
        switch (Peek()) {
        case '{':
            value.kind = JsonValue::Kind::Object;
            Object(value, depth);
            break;
        case '[':
            value.kind = JsonValue::Kind::Array;
            Array(value, depth);
            break;
        case '"':
            value.kind = JsonValue::Kind::String;
            value.text = String();
            break;
        case 't':
            Word("true");
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = true;
            break;
        case 'f':
            Word("false");
            value.kind = JsonValue::Kind::Boolean;
            break;
        case 'n':
            Word("null");
            break;
        default:
            value.kind = JsonValue::Kind::Number;
            value.text = Number();
        }
        return value;
    }

    void Object(JsonValue& value, int depth) {
        Expect('{');
        SkipBlanks();
        if (Peek() == '}') {
            ++position;
            return;
        }
        // A hostile file holds a hundred thousand members in one object: each name is looked up
        // in logarithmic time, whatever names it chose, and the count is bounded.
        std::set<std::string, std::less<>> names;
        for (;;) {
            SkipBlanks();
            if (Peek() != '"')
                AtEnd() ? Fail("the text ends inside an object") : Fail("a member name in quotes expected");
            std::string name = String();
            if (!names.insert(name).second)
                Fail("the member \"" + name + "\" appears twice");
            if (names.size() > LargestObject)
                Fail("an object has more than " + std::to_string(LargestObject) + " members");
            SkipBlanks();
            Expect(':');
            SkipBlanks();
            JsonValue member = Value(depth + 1);
            value.members.push_back({std::move(name), std::move(member)});
            SkipBlanks();
            if (Peek() == ',') {
                ++position;
                continue;
            }
            Expect('}');
            return;
        }
    }

    void Array(JsonValue& value, int depth) {
        Expect('[');
        SkipBlanks();
        if (Peek() == ']') {
            ++position;
            return;
        }
        for (;;) {
            SkipBlanks();
            value.items.push_back(Value(depth + 1));
            SkipBlanks();
            if (Peek() == ',') {
                ++position;
                continue;
            }
            Expect(']');
            return;
        }
    }

    std::string Number() {
        const std::size_t start = position;
        const auto digits = [this] {
            const std::size_t first = position;
            while (!AtEnd() && text[position] >= '0' && text[position] <= '9')
                ++position;
            if (position == first)
                AtEnd() ? Fail("the text ends inside a number") : Fail("not a JSON value");
        };
        if (Peek() == '-')
            ++position;
        if (Peek() == '0')
            ++position;
        else
            digits();
        if (Peek() == '.') {
            ++position;
            digits();
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++position;
            if (Peek() == '+' || Peek() == '-')
                ++position;
            digits();
        }
        return std::string(text.substr(start, position - start));
    }

    unsigned HexDigit() {
        if (AtEnd())
            Fail("the text ends inside a string");
        const char c = text[position++];
        if (c >= '0' && c <= '9')
            return static_cast<unsigned>(c - '0');
        if (c >= 'a' && c <= 'f')
            return static_cast<unsigned>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F')
            return static_cast<unsigned>(c - 'A' + 10);
        --position;
        Fail("a hexadecimal digit expected in a \\u escape");
    }

    char32_t CodeUnit() {
        char32_t unit = 0;
        for (int i = 0; i < 4; ++i)
            unit = unit * 16 + HexDigit();
        return unit;
    }

    static void AppendUtf8(std::string& out, char32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0U | (c >> 6U));
            out += static_cast<char>(0x80U | (c & 0x3FU));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0U | (c >> 12U));
            out += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
            out += static_cast<char>(0x80U | (c & 0x3FU));
        } else {
            out += static_cast<char>(0xF0U | (c >> 18U));
            out += static_cast<char>(0x80U | ((c >> 12U) & 0x3FU));
            out += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
            out += static_cast<char>(0x80U | (c & 0x3FU));
        }
    }

    void Escape(std::string& out) {
        if (AtEnd())
            Fail("the text ends inside a string");
        const char c = text[position++];
        switch (c) {
        case '"':
            out += '"';
            return;
        case '\\':
            out += '\\';
            return;
        case '/':
            out += '/';
            return;
        case 'b':
            out += '\b';
            return;
        case 'f':
            out += '\f';
            return;
        case 'n':
            out += '\n';
            return;
        case 'r':
            out += '\r';
            return;
        case 't':
            out += '\t';
            return;
        case 'u':
            break;
        default:
            --position;
            Fail("an unknown escape in a string");
        }
        char32_t unit = CodeUnit();
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            Fail("a lone low surrogate in a \\u escape");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (AtEnd() || Peek() != '\\' || position + 1 >= text.size() || text[position + 1] != 'u')
                AtEnd() ? Fail("the text ends inside a string")
                        : Fail("a lone high surrogate in a \\u escape");
            position += 2;
            const char32_t low = CodeUnit();
            if (low < 0xDC00 || low > 0xDFFF)
                Fail("a lone high surrogate in a \\u escape");
            unit = 0x10000 + ((unit - 0xD800) << 10U) + (low - 0xDC00);
        }
        AppendUtf8(out, unit);
    }

    // One UTF-8 character as it stands in the text, checked: no overlong forms, no surrogates,
    // nothing above U+10FFFF.
    void RawCharacter(std::string& out) {
        const auto lead = static_cast<unsigned char>(text[position]);
        int length = 0;
        char32_t lowest = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            lowest = 0x10000;
        } else {
            Fail("the text is not UTF-8");
        }
        if (position + static_cast<std::size_t>(length) > text.size()) {
            position = text.size();
            Fail("the text ends inside a character");
        }
        char32_t c = lead & (0xFFU >> static_cast<unsigned>(length + 1));
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[position + static_cast<std::size_t>(i)]);
            if ((next & 0xC0U) != 0x80U)
                Fail("the text is not UTF-8");
            c = (c << 6U) | (next & 0x3FU);
        }
        if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            Fail("the text is not UTF-8");
        out.append(text.substr(position, static_cast<std::size_t>(length)));
        position += static_cast<std::size_t>(length);
    }

    std::string String() {
        Expect('"');
        std::string out;
        for (;;) {
            if (AtEnd())
                Fail("the text ends inside a string");
            const char c = text[position];
            if (c == '"') {
                ++position;
                return out;
            }
            if (c == '\\') {
                ++position;
                Escape(out);
            } else if (static_cast<unsigned char>(c) < 0x20U) {
                Fail("a control character inside a string");
            } else if (static_cast<unsigned char>(c) < 0x80U) {
                out += c;
                ++position;
            } else {
                RawCharacter(out);
            }
        }
    }

    std::string_view text;
    std::size_t position = 0;
};

} // namespace

const JsonValue* JsonValue::Member(std::string_view name) const {
    for (const JsonMember& member : members)
        if (member.name == name)
            return &member.value;
    return nullptr;
}

JsonValue ParseJson(std::string_view text) {
    return Parser(text).Document();
}

std::string QuoteJson(std::string_view text) {
    constexpr std::array<char, 16> Hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20U || c == 0x7F) {
                out += "\\u00";
                out += Hex[static_cast<unsigned char>(c) >> 4U];
                out += Hex[static_cast<unsigned char>(c) & 0x0FU];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

} // namespace varnholt::systems
