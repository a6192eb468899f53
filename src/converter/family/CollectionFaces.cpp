#include "converter/family/CollectionFaces.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <map>
#include <memory>
#include <vector>

namespace korven::converter {

namespace {

// A language's name, and the words of a family name that say a face is drawn for it.
struct LanguageWords {
    std::string_view code;
    std::string_view name;
    std::array<std::string_view, 3> familyWords;
};

constexpr std::array<LanguageWords, 2> kLanguages{{
    {"ja", "Japanese", {"JP", "JA", "Japanese"}},
    {"ko", "Korean", {"KR", "KO", "Korean"}},
}};

const LanguageWords* wordsOf(std::string_view language) {
    const auto it = std::find_if(kLanguages.begin(), kLanguages.end(),
                                 [&](const LanguageWords& l) { return l.code == language; });
    return it == kLanguages.end() ? nullptr : &*it;
}

// What fontconfig says of one face, for the choice.
struct FaceFacts {
    std::string familyName;
    bool coversLanguage = false;
    bool namedForLanguage = false;
};

struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

std::string stringOf(FcPattern* pattern, const char* object, int n = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

bool sameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A family name in the language itself, or one with a word that names the language.
bool namesLanguage(FcPattern* pattern, const LanguageWords& words) {
    for (int n = 0;; ++n) {
        const std::string family = stringOf(pattern, FC_FAMILY, n);
        if (family.empty())
            return false;
        if (stringOf(pattern, FC_FAMILYLANG, n) == words.code)
            return true;
        std::size_t start = 0;
        while (start < family.size()) {
            std::size_t end = family.find_first_of(" -_", start);
            if (end == std::string::npos)
                end = family.size();
            const std::string_view word(family.data() + start, end - start);
            for (std::string_view w : words.familyWords)
                if (sameWord(word, w))
                    return true;
            start = end + 1;
        }
    }
}

FaceFacts factsOf(FcPattern* pattern, std::string_view language) {
    FaceFacts facts;
    facts.familyName = stringOf(pattern, FC_FAMILY);
    if (const LanguageWords* words = wordsOf(language)) {
        FcLangSet* languages = nullptr;
        const std::string code(language);
        facts.coversLanguage =
            FcPatternGetLangSet(pattern, FC_LANG, 0, &languages) == FcResultMatch &&
            FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(code.c_str())) !=
                FcLangDifferentLang;
        facts.namedForLanguage = namesLanguage(pattern, *words);
    }
    return facts;
}

// The faces of the file by index. Named instances of a variable font are left out: they are
// styles of one face, not faces of a collection.
void addFaces(FcFontSet* set, const std::string& path, bool matchPath, std::string_view language,
              std::map<int, FaceFacts>& faces) {
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern* pattern = set->fonts[i];
        int index = 0;
        if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) != FcResultMatch || index >> 16)
            continue;
        if (matchPath && stringOf(pattern, FC_FILE) != path)
            continue;
        faces.try_emplace(index, factsOf(pattern, language));
    }
}

// Installed files come from fontconfig's cache; any other file is read, which costs more.
std::map<int, FaceFacts> facesOf(const std::string& path, std::string_view language) {
    std::map<int, FaceFacts> faces;
    std::error_code error;
    const std::string canonical = std::filesystem::canonical(path, error).string();
    if (!error)
        if (FcFontSet* installed = FcConfigGetFonts(nullptr, FcSetSystem))
            addFaces(installed, canonical, true, language, faces);
    if (faces.empty()) {
        const std::unique_ptr<FcFontSet, FontSetDeleter> set(FcFontSetCreate());
        FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(path.c_str()), -1u, nullptr, nullptr,
                           set.get());
        addFaces(set.get(), path, false, language, faces);
    }
    return faces;
}

} // namespace

std::string languageName(std::string_view language) {
    const LanguageWords* words = wordsOf(language);
    return std::string(words ? words->name : language);
}

FaceChoice chooseFace(const std::string& path, std::optional<int> requested,
                      std::string_view language) {
    const std::map<int, FaceFacts> faces = facesOf(path, language);
    FaceChoice choice;
    choice.faceCount = faces.empty() ? 0 : faces.rbegin()->first + 1;
    if (requested) {
        choice.index = *requested;
    } else if (faces.size() > 1 && wordsOf(language)) {
        const auto covering = [](const auto& face) { return face.second.coversLanguage; };
        auto it = std::find_if(faces.begin(), faces.end(), [&](const auto& face) {
            return covering(face) && face.second.namedForLanguage;
        });
        if (it == faces.end())
            it = std::find_if(faces.begin(), faces.end(), covering);
        if (it != faces.end()) {
            choice.index = it->first;
            choice.forLanguage = true;
        }
    }
    if (const auto it = faces.find(choice.index); it != faces.end()) {
        choice.familyName = it->second.familyName;
        choice.coversLanguage = it->second.coversLanguage;
    }
    return choice;
}

} // namespace korven::converter
