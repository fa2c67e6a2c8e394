#include "report/FreeText.h"

namespace varnholt::report {

std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U)
            ++end;
        characters.push_back(text.substr(start, end - start));
        start = end;
    }
    return characters;
}

std::vector<std::vector<std::string_view>> TextLines(std::string_view text) {
    std::vector<std::vector<std::string_view>> lines(1);
    bool afterReturn = false;
    for (const std::string_view character : Characters(text)) {
        const bool lineEnd = character == "\n" || character == "\r";
        if (lineEnd) {
            if (!(character == "\n" && afterReturn))
                lines.emplace_back();
        } else if (character.size() == 1 &&
                   (static_cast<unsigned char>(character[0]) < 0x20U || character[0] == 0x7F)) {
            lines.back().push_back(" ");
        } else {
            lines.back().push_back(character);
        }
        afterReturn = character == "\r";
    }
    return lines;
}

std::string Joined(const std::vector<std::string_view>& characters, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += characters[i];
    return text;
}

std::vector<std::string> Wrapped(const std::vector<std::string_view>& line, std::size_t width) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (line.size() - start > width) {
        std::size_t cut = start + width;
        while (cut > start && line[cut] != " ")
            --cut;
        if (cut == start)
            cut = start + width;
        pieces.push_back(Joined(line, start, cut));
        start = cut;
        while (start < line.size() && line[start] == " ")
            ++start;
    }
    pieces.push_back(Joined(line, start, line.size()));
    return pieces;
}

std::vector<std::string> WrappedText(std::string_view text, std::size_t width) {
    std::vector<std::string> lines;
    for (const auto& line : TextLines(text))
        for (std::string& piece : Wrapped(line, width))
            lines.push_back(std::move(piece));
    return lines;
}

std::string OneLine(std::string_view text) {
    std::string line;
    for (const auto& piece : TextLines(text)) {
        if (!line.empty())
            line += ' ';
        line += Joined(piece, 0, piece.size());
    }
    return line;
}

std::string HeadingBeforePage(std::string_view text, std::size_t pageColumn) {
    const std::size_t room = pageColumn - 5; // "Page" and the blank after it
    const std::string line = OneLine(text);
    const std::vector<std::string_view> characters = Characters(line);
    if (characters.size() > room)
        return Joined(characters, 0, room - 1) + "…Page";
    return line + std::string(room - characters.size(), ' ') + "Page";
}

} // namespace varnholt::report
