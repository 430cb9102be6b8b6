// Fixed-length, blank-padded texts: the shape of every shared text and work
// text of the program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// `text` cut or blank-padded to exactly `length` characters.
inline std::string Padded(std::string_view text, std::size_t length) {
    std::string out(text.substr(0, length));
    out.resize(length, ' ');
    return out;
}

// `text` without its trailing blanks.
inline std::string_view RightTrim(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

// `text` without its leading blanks ("moved to the left").
inline std::string_view LeftTrim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    return begin == std::string_view::npos ? std::string_view{} : text.substr(begin);
}

// `text` without leading and trailing blanks.
inline std::string_view Trim(std::string_view text) { return LeftTrim(RightTrim(text)); }
