#include "converter/core/CharacterSets.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/PgfModel.h"
#include "converter/core/ScriptCharacterSets.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace korven::converter {

namespace {

constexpr std::array<CodePointRange, 4> kLatinExtended{{
    {0x0180, 0x024F}, // Latin Extended-B: Romanian comma-below letters, African letters...
    {0x0259, 0x0259}, // schwa, for Azerbaijani
    {0x1E00, 0x1EFF}, // Latin Extended Additional: Vietnamese letters with two marks
    {0x20A0, 0x20BF}, // currency signs
}};
// The Greek and Coptic block without its unassigned code points, which no font has and which
// would otherwise be reported as left out of every file.
constexpr std::array<CodePointRange, 6> kGreek{{{0x0370, 0x0377},
                                                {0x037A, 0x037F},
                                                {0x0384, 0x038A},
                                                {0x038C, 0x038C},
                                                {0x038E, 0x03A1},
                                                {0x03A3, 0x03FF}}};
constexpr std::array<CodePointRange, 1> kCyrillic{{{0x0400, 0x04FF}}};

// Made on first use: the script tables live in their own generated file.
const std::array<NamedCharacterSet, 6>& sets() {
    static const std::array<NamedCharacterSet, 6> kSets{{
        {"latin", "Western Latin (always included)", {}},
        {"latin-extended", "Latin Extended (Romanian, Vietnamese...)", kLatinExtended},
        {"greek", "Greek", kGreek},
        {"cyrillic", "Cyrillic", kCyrillic},
        {"japanese", "Japanese (for jpn0.pgf)", japaneseRanges(),
         "JIS X 0208 (6,879 characters: kana, kanji of levels 1\n"
         "and 2, symbols, Greek, Cyrillic) and the half-width\n"
         "katakana U+FF61-U+FF9F",
         "ja"},
        {"korean", "Korean (for kr0.pgf)", koreanRanges(),
         "Hangul syllables U+AC00-U+D7A3, the jamo U+3131-U+318E\n"
         "and the symbols of KS X 1001",
         "ko"},
    }};
    return kSets;
}

// The first code point a file's character map can hold: readers draw nothing below it.
constexpr char32_t kFirstStorable = kSpace;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string quoted(std::string_view s) {
    std::string q;
    q.reserve(s.size() + 2);
    q += '"';
    q.append(s);
    q += '"';
    return q;
}

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// "U+" and 1 to 6 hex digits naming a Unicode code point; the error is for the user.
bool readCodePoint(std::string_view text, char32_t& value, std::string& error) {
    const bool prefixed = text.size() > 2 && (text[0] == 'U' || text[0] == 'u') && text[1] == '+';
    const std::string_view digits = prefixed ? text.substr(2) : std::string_view{};
    if (!prefixed || digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        error = quoted(text) + " is neither a set name nor a code point like U+20BD";
        return false;
    }
    value = static_cast<char32_t>(std::stoul(std::string(digits), nullptr, 16));
    if (value > 0x10FFFF) {
        error = quoted(text) + " is beyond U+10FFFF, the last Unicode code point";
        return false;
    }
    if (value > limits::kMaxCodePoint) {
        error = quoted(text) + " is beyond U+FFFF: the handheld's font holds 16-bit codes only, "
                               "so characters from U+0020 to U+FFFF fit";
        return false;
    }
    if (value < kFirstStorable) {
        error = quoted(text) + " is a control code: characters from U+0020 (the space) on fit";
        return false;
    }
    return true;
}

// One item of the list: a code point or a range of them, appended to `out`.
bool readRange(std::string_view item, std::vector<char32_t>& out, std::string& error) {
    const std::size_t dash = item.find('-');
    char32_t first = 0;
    char32_t last = 0;
    if (dash == std::string_view::npos) {
        if (!readCodePoint(item, first, error))
            return false;
        if (isSurrogate(first)) {
            error = quoted(item) + " is a surrogate code, not a character";
            return false;
        }
        out.push_back(first);
        return true;
    }
    if (!readCodePoint(trimmed(item.substr(0, dash)), first, error) ||
        !readCodePoint(trimmed(item.substr(dash + 1)), last, error))
        return false;
    if (last < first) {
        error = "the range " + quoted(item) + " ends before it starts";
        return false;
    }
    for (char32_t c = first; c <= last; ++c)
        if (!isSurrogate(c)) // surrogate codes inside a range are no characters: skipped
            out.push_back(c);
    return true;
}

const NamedCharacterSet* findSet(std::string_view name) {
    const auto it = std::find_if(sets().begin(), sets().end(),
                                 [&](const NamedCharacterSet& s) { return s.name == name; });
    return it == sets().end() ? nullptr : &*it;
}

void appendSet(const NamedCharacterSet& set, std::vector<char32_t>& out) {
    for (const CodePointRange& r : set.ranges)
        for (char32_t c = r.first; c <= r.last; ++c)
            out.push_back(c);
}

// Sorted, unique, and without what the Latin set already holds.
std::vector<char32_t> beyondLatin(std::vector<char32_t> codePoints) {
    std::sort(codePoints.begin(), codePoints.end());
    codePoints.erase(std::unique(codePoints.begin(), codePoints.end()), codePoints.end());
    const std::vector<char32_t>& latin = latinCharacterSet();
    std::vector<char32_t> extra;
    extra.reserve(codePoints.size());
    std::set_difference(codePoints.begin(), codePoints.end(), latin.begin(), latin.end(),
                        std::back_inserter(extra));
    return extra;
}

std::string knownNames() {
    std::string names;
    for (const NamedCharacterSet& s : sets())
        names.append(names.empty() ? "" : ", ").append(s.name);
    return names;
}

} // namespace

const NamedCharacterSet* namedCharacterSet(std::string_view name) {
    return findSet(name);
}

std::span<const NamedCharacterSet> namedCharacterSets() {
    return sets();
}

CharacterSetsChoice parseCharacterSets(std::string_view text) {
    CharacterSetsChoice choice;
    std::vector<char32_t> wanted;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = trimmed(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        if (item.empty()) {
            choice.error = "an empty entry in the list of character sets " + quoted(text) +
                           " (sets: " + knownNames() + ")";
            return choice;
        }
        if (const NamedCharacterSet* set = findSet(item)) {
            appendSet(*set, wanted);
            if (choice.language.empty())
                choice.language = set->language;
        } else if (item.size() > 1 && (item[0] == 'U' || item[0] == 'u') && item[1] == '+') {
            if (!readRange(item, wanted, choice.error))
                return choice;
        } else {
            choice.error = "unknown character set " + quoted(item) + " (sets: " + knownNames() +
                           ", or code points like U+20BD and U+0400-U+045F)";
            return choice;
        }
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    choice.extraCharacters = beyondLatin(std::move(wanted));
    return choice;
}

std::string characterSetsArgument(const std::vector<std::string>& chosenNames) {
    std::string value = std::string(sets().front().name);
    for (const NamedCharacterSet& s : sets())
        if (s.name != sets().front().name &&
            std::find(chosenNames.begin(), chosenNames.end(), s.name) != chosenNames.end())
            value.append(",").append(s.name);
    return value;
}

std::vector<char32_t> extraCharactersOf(const std::vector<std::string>& chosenNames) {
    std::vector<char32_t> wanted;
    for (const std::string& name : chosenNames)
        if (const NamedCharacterSet* set = findSet(name))
            appendSet(*set, wanted);
    return beyondLatin(std::move(wanted));
}

} // namespace korven::converter
