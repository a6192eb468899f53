#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korven::converter {

// The face of a font file that a conversion takes, and what the user is told of it.
struct FaceChoice {
    int index = 0;
    // Faces in the file: 1 for a single font, more for a collection; 0 when fontconfig cannot
    // read the file (its conversion then says what is wrong with it).
    int faceCount = 0;
    std::string familyName; // of the face taken, as fontconfig names it; may be empty
    // Taken because it is the face for the language asked for, not because it comes first.
    bool forLanguage = false;
    // The face taken draws the language asked for, as fontconfig's language data says; false
    // when no language was asked for.
    bool coversLanguage = false;
};

// The language's name in words for notes: "Japanese" for "ja"; the code itself when unknown.
std::string languageName(std::string_view language);

// Which face of the file at `path` to convert, as fontconfig's data (its cache when the file
// is installed) says:
//  - `requested` when given (the caller checks it against faceCount);
//  - for a collection and a language ("ja", "ko"), among the faces whose characters cover the
//    language, the first that fontconfig names in that language or whose family name says it
//    (the "JP" of "Noto Sans CJK JP"), else the first that covers it;
//  - otherwise face 0.
FaceChoice chooseFace(const std::string& path, std::optional<int> requested,
                      std::string_view language);

} // namespace korven::converter
