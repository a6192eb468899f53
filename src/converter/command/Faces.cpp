#include "converter/command/Faces.h"

#include "converter/command/Report.h"

namespace korven::converter {

namespace {

std::string faceCountWords(int count) {
    return count == 1 ? "1 face, face 0"
                      : std::to_string(count) + " faces, 0 to " + std::to_string(count - 1);
}

// ", \"Noto Sans CJK JP\"" or nothing when fontconfig names no family.
std::string familyWords(const FaceChoice& choice) {
    return choice.familyName.empty() ? "" : ", \"" + choice.familyName + "\"";
}

} // namespace

std::string faceWords(const FaceChoice& choice, std::string_view language, bool requested,
                      bool hint) {
    if (choice.faceCount < 2)
        return {};
    const std::string words = "face " + std::to_string(choice.index) + " of " +
                              std::to_string(choice.faceCount) + familyWords(choice);
    if (requested)
        return words;
    const std::string another = hint ? " (--face N takes another)" : "";
    if (choice.forLanguage)
        return words + ", taken for " + languageName(language) + another;
    if (!language.empty())
        return words + ", as no face is meant for " + languageName(language) + another;
    return words;
}

std::optional<int> takeFace(const std::string& fontPath, std::optional<int> requested,
                            std::string_view language, std::ostream& err) {
    const FaceChoice choice = chooseFace(fontPath, requested, language);
    if (choice.faceCount > 0 && choice.index >= choice.faceCount) {
        err << kProgram << "--face " << choice.index << ": \"" << fileName(fontPath) << "\" has "
            << faceCountWords(choice.faceCount) << '\n';
        return std::nullopt;
    }
    if (const std::string words = faceWords(choice, language, requested.has_value(), true);
        !words.empty())
        err << kProgram << "note: \"" << fileName(fontPath) << "\": " << words << '\n';
    return choice.index;
}

} // namespace korven::converter
