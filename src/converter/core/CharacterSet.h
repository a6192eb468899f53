#pragma once

#include <string>
#include <vector>

namespace korven::converter {

// The characters a converted font offers, in ascending order: printable ASCII, Latin-1,
// Latin Extended-A and the usual typographic punctuation (dashes, quotes, ellipsis, bullet,
// euro, trade mark...). Fonts keep only those they have.
const std::vector<char32_t>& latinCharacterSet();

// The space gives the word gap, the underscore is what the handheld draws for any character the
// font lacks; both are always present.
inline constexpr char32_t kSpace = 0x20;
inline constexpr char32_t kUnderscore = 0x5F;

// "U+00E9" style name of a code point, for messages.
std::string codePointName(char32_t codePoint);

} // namespace korven::converter
