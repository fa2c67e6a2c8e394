#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text the user typed (job details, door locations), laid out on the fixed-pitch page: widths
// count characters, not the bytes of their UTF-8.
namespace varnholt::report {

// The characters of a UTF-8 text, each as its bytes.
std::vector<std::string_view> Characters(std::string_view text);

// One printed line per line of the text; control characters print as blanks.
std::vector<std::vector<std::string_view>> TextLines(std::string_view text);

// The characters from..to joined into one text.
std::string Joined(const std::vector<std::string_view>& characters, std::size_t from, std::size_t to);

// A line cut into pieces of at most width characters, at the last blank where there is one.
std::vector<std::string> Wrapped(const std::vector<std::string_view>& line, std::size_t width);

// Every line of the text, each wrapped to width characters.
std::vector<std::string> WrappedText(std::string_view text, std::size_t width);

// The text on one line: line breaks and control characters print as blanks.
std::string OneLine(std::string_view text);

// A page's running head: the text on one line, cut by characters (ending in "…") where it would
// reach the page number, padded, and "Page" ending a blank before pageColumn, where the page
// number label stands.
std::string HeadingBeforePage(std::string_view text, std::size_t pageColumn);

} // namespace varnholt::report
