#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korven::converter {

// An inclusive range of code points.
struct CodePointRange {
    char32_t first;
    char32_t last;
};

// A set of characters a user can ask for by name, beyond or including the Latin set that every
// file holds. `title` names it in words for menus.
struct NamedCharacterSet {
    std::string_view name;
    std::string_view title;
    std::span<const CodePointRange> ranges; // empty for "latin": that set is latinCharacterSet()
    // For a whole script, too many ranges to list: the characters in words, for the help.
    std::string_view summary = {};
    // For a set that fills a file of its own (jpn0.pgf): the fontconfig language ("ja") whose
    // face of a font collection draws it. Empty for the sets added to the Latin files.
    std::string_view language = {};
};

// "latin", "latin-extended", "greek", "cyrillic", "japanese", "korean", in the order menus and
// help list them.
std::span<const NamedCharacterSet> namedCharacterSets();

// The outcome of reading a --characters value: either the code points wanted beyond the Latin
// set (sorted, unique, none of them in latinCharacterSet()) or one line naming the bad part.
struct CharacterSetsChoice {
    std::vector<char32_t> extraCharacters;
    std::string error; // empty when the value was understood
    // The language of the first named set that has one ("ja" for japanese), else empty.
    std::string language;
    bool ok() const { return error.empty(); }
};

// The set of that name, or nothing.
const NamedCharacterSet* namedCharacterSet(std::string_view name);

// Reads a comma-separated list of set names, code points ("U+20BD") and ranges
// ("U+0400-U+045F"). The Latin set is always included whether named or not. Code points must
// lie in U+0020..U+FFFF: the file's character map starts at the space and holds 16-bit codes.
CharacterSetsChoice parseCharacterSets(std::string_view text);

// The --characters value for the chosen set names, in table order and always starting with
// "latin": {"greek"} gives "latin,greek". Unknown names are ignored.
std::string characterSetsArgument(const std::vector<std::string>& chosenNames);

// The code points of the named sets beyond the Latin set, as parseCharacterSets gives them.
std::vector<char32_t> extraCharactersOf(const std::vector<std::string>& chosenNames);

} // namespace korven::converter
