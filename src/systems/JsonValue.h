#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::systems {

// A JSON document as read, strictly (RFC 8259): no comments, no trailing commas, no duplicate
// member names, UTF-8 only, nothing after the value. Numbers keep their literal text so that the
// reader of a field decides what it accepts.
struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; // a string's characters, or a number's literal
    std::vector<JsonValue> items;
    std::vector<JsonMember> members; // in document order

    // The member of that name, or nullptr.
    const JsonValue* Member(std::string_view name) const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

// Why a text is not JSON. atEnd is set when the text stopped before the document did, which is
// what a cut-off file looks like.
class JsonError : public std::runtime_error {
public:
    JsonError(const std::string& what, int atLine, int atColumn, bool endReached)
        : std::runtime_error(what), line(atLine), column(atColumn), atEnd(endReached) {}
    int line;
    int column;
    bool atEnd;
};

// Throws JsonError. Nesting deeper than 64 levels, objects of more than 256 members and documents
// of more than 262,144 values are refused: no document of ours comes near any of them, and a
// hostile file must neither exhaust the stack or the memory nor keep the reader busy.
JsonValue ParseJson(std::string_view text);

// The text as a JSON string literal: quotes, backslashes and control characters escaped, every
// other character left as it is.
std::string QuoteJson(std::string_view text);

} // namespace varnholt::systems
