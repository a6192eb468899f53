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
};

// "latin", "latin-extended", "greek", "cyrillic", in the order menus and help list them.
std::span<const NamedCharacterSet> namedCharacterSets();

// The outcome of reading a --characters value: either the code points wanted beyond the Latin
// set (sorted, unique, none of them in latinCharacterSet()) or one line naming the bad part.
struct CharacterSetsChoice {
    std::vector<char32_t> extraCharacters;
    std::string error; // empty when the value was understood
    bool ok() const { return error.empty(); }
};

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
