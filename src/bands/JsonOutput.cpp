#include "bands/JsonOutput.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <ostream>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnholt::bands {
namespace {

bool IsPlain(char character) {
    return static_cast<unsigned char>(character) >= 0x20U && character != '"' && character != '\\';
}

void AppendEscaped(std::string& out, char character) {
    switch (character) {
    case '"':
        out += "\\\"";
        break;
    case '\\':
        out += "\\\\";
        break;
    case '\r':
        out += "\\r";
        break;
    case '\n':
        out += "\\n";
        break;
    case '\t':
        out += "\\t";
        break;
    case '\f':
        out += "\\f";
        break;
    case '\b':
        out += "\\b";
        break;
    default: {
        constexpr std::array<char, 16> Hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                           '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
        const auto code = static_cast<unsigned char>(character);
        out += "\\u00";
        out += Hex[code >> 4U];
        out += Hex[code & 0x0FU];
    }
    }
}

// Whether any of the eight bytes of word is below 0x20, a quote or a backslash (the classic tests
// for a zero byte and for a byte below a bound, on a whole word at once).
bool AnyNeedsEscape(std::uint64_t word) {
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    const auto anyZero = [](std::uint64_t value) { return ((value - Ones) & ~value & Highs) != 0; };
    const bool control = ((word - Ones * 0x20U) & ~word & Highs) != 0;
    return control || anyZero(word ^ (Ones * static_cast<unsigned char>('"'))) ||
           anyZero(word ^ (Ones * static_cast<unsigned char>('\\')));
}

// Where the run of characters from start that need no escape ends: eight at a time, since the
// largest system's JSON has close to seven million of them.
std::size_t PlainRunEnd(const std::string& text, std::size_t start) {
    std::size_t end = start;
#if defined(__SSE2__)
    // Sixteen at a time where the processor compares that many bytes at once.
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; end + 16 <= text.size(); end += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + end));
        // A byte is at least a blank where the larger of it and a blank is the byte itself.
        const __m128i plain = _mm_cmpeq_epi8(_mm_max_epu8(bytes, space), bytes);
        const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash));
        const auto escaped = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(special, plain))) ^ 0xFFFFU;
        if (escaped != 0) {
            return end + static_cast<std::size_t>(std::countr_zero(escaped));
        }
    }
#endif
    for (std::uint64_t word = 0; end + sizeof word <= text.size(); end += sizeof word) {
        std::memcpy(&word, text.data() + end, sizeof word);
        if (AnyNeedsEscape(word)) {
            break;
        }
    }
    while (end < text.size() && IsPlain(text[end])) {
        ++end;
    }
    return end;
}

void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (std::size_t start = 0; start < text.size();) {
        // Runs of characters that need no escape go in whole.
        const std::size_t end = PlainRunEnd(text, start);
        out.append(text, start, end - start);
        if (end == text.size()) {
            break;
        }
        AppendEscaped(out, text[end]);
        start = end + 1;
    }
    out += '"';
}

std::size_t EstimatedSize(const DocumentPage& page) {
    std::size_t size = 48;
    for (const PrintedLabel& label : page.labels) {
        size += 64 + label.name.size();
        for (const std::string& line : label.lines) {
            size += line.size() + 8;
        }
    }
    return size;
}

// A little more than the JSON's size, so that it is written into one allocation.
std::size_t EstimatedSize(const Document& document) {
    std::size_t size = 64;
    for (const DocumentPage& page : document.pages) {
        size += EstimatedSize(page);
    }
    return size;
}

constexpr const char* Opening = "{\"pages\": [";
constexpr const char* Closing = "]}\n";

void AppendPage(std::string& out, const DocumentPage& page, bool firstPage) {
    out += firstPage ? "" : ", ";
    out += "{\"number\": ";
    out += std::to_string(page.number);
    out += ", \"labels\": [";
    bool firstLabel = true;
    for (const PrintedLabel& label : page.labels) {
        out += firstLabel ? "" : ", ";
        firstLabel = false;
        out += "{\"name\": ";
        AppendQuoted(out, label.name);
        out += ", \"lines\": [";
        bool firstLine = true;
        for (const std::string& line : label.lines) {
            out += firstLine ? "" : ", ";
            firstLine = false;
            AppendQuoted(out, line);
        }
        out += "], \"continued\": ";
        out += label.continued ? "true" : "false";
        out += '}';
    }
    out += "]}";
}

} // namespace

std::string QuoteJson(const std::string& text) {
    std::string out;
    AppendQuoted(out, text);
    return out;
}

std::string ToJson(const Document& document) {
    std::string out;
    out.reserve(EstimatedSize(document));
    out += Opening;
    bool firstPage = true;
    for (const DocumentPage& page : document.pages) {
        AppendPage(out, page, firstPage);
        firstPage = false;
    }
    out += Closing;
    return out;
}

// What the writer gathers before it writes: large enough that a long report is written in few
// calls, small enough to stay in the cache.
constexpr std::size_t SendSize = std::size_t{64} << 10U;

JsonPageWriter::JsonPageWriter(std::ostream& stream) : out(stream) {
    buffer.reserve(SendSize + (SendSize >> 2U));
    buffer += Opening;
}

void JsonPageWriter::WritePage(const DocumentPage& page) {
    AppendPage(buffer, page, firstPage);
    firstPage = false;
    if (buffer.size() >= SendSize)
        Send();
}

void JsonPageWriter::Finish() {
    buffer += Closing;
    Send();
}

void JsonPageWriter::Send() {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

} // namespace varnholt::bands
