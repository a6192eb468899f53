#include "converter/core/CharacterSet.h"

#include <cstdio>

namespace korven::converter {

namespace {
std::vector<char32_t> makeSet() {
    std::vector<char32_t> set;
    auto range = [&](char32_t first, char32_t last) {
        for (char32_t c = first; c <= last; ++c)
            set.push_back(c);
    };
    range(0x0020, 0x007E); // printable ASCII
    range(0x00A0, 0x00FF); // Latin-1
    range(0x0100, 0x017F); // Latin Extended-A
    // The punctuation and signs that Western text commonly uses beyond those blocks.
    for (char32_t c :
         {0x0192, 0x02C6, 0x02DC, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D,
          0x201E, 0x2020, 0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2122})
        set.push_back(c);
    return set;
}
} // namespace

const std::vector<char32_t>& latinCharacterSet() {
    static const std::vector<char32_t> set = makeSet();
    return set;
}

std::string codePointName(char32_t codePoint) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(codePoint));
    return buf;
}

} // namespace korven::converter
