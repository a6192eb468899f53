#include "converter/family/FontFamily.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace korven::converter {

namespace {

// What fontconfig says of one face.
struct Candidate {
    FaceFile face;
    std::vector<std::string> families;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    int width = FC_WIDTH_NORMAL;
    double opticalSize = 0; // the design size in points, 0 when the font names none
    bool beside = false;    // in the picked font's folder
};

struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using FontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;

int integerOf(FcPattern* pattern, const char* object, int fallback) {
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

std::string stringOf(FcPattern* pattern, const char* object, int n = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

// The design size a font is made for (its optical size), as fontconfig reads it from the font:
// one size or a range of sizes, given as its middle; 0 when the font names none.
double opticalSizeOf(FcPattern* pattern) {
    FcValue value;
    if (FcPatternGet(pattern, FC_SIZE, 0, &value) != FcResultMatch)
        return 0;
    if (value.type == FcTypeDouble)
        return value.u.d;
    double begin = 0;
    double end = 0;
    if (value.type == FcTypeRange && FcRangeGetDouble(value.u.r, &begin, &end))
        return (begin + end) / 2;
    return 0;
}

// The part of a font file's name that its styles share: "EBGaramond12" of
// "EBGaramond12-Regular.otf". A family with several optical sizes or widths in files of their
// own tells them apart here even when the fonts do not say.
std::string fileStem(const std::string& path) {
    const std::string name = std::filesystem::path(path).stem().string();
    return name.substr(0, name.find('-'));
}

// A face with a single weight; the whole range of a variable font's default face is left
// out, its named instances (Regular, Bold...) come as faces of their own.
std::optional<Candidate> candidateOf(FcPattern* pattern, bool beside) {
    FcBool variable = FcFalse;
    if (FcPatternGetBool(pattern, FC_VARIABLE, 0, &variable) == FcResultMatch && variable)
        return std::nullopt;
    int weight = 0;
    if (FcPatternGetInteger(pattern, FC_WEIGHT, 0, &weight) != FcResultMatch)
        return std::nullopt;
    Candidate c;
    c.face = {stringOf(pattern, FC_FILE), integerOf(pattern, FC_INDEX, 0),
              stringOf(pattern, FC_STYLE)};
    if (c.face.path.empty())
        return std::nullopt;
    for (int n = 0;; ++n) {
        std::string family = stringOf(pattern, FC_FAMILY, n);
        if (family.empty())
            break;
        c.families.push_back(std::move(family));
    }
    c.weight = weight;
    c.slant = integerOf(pattern, FC_SLANT, FC_SLANT_ROMAN);
    c.width = integerOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    c.opticalSize = opticalSizeOf(pattern);
    c.beside = beside;
    return c;
}

bool isFontFileName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* known : {".ttf", ".otf", ".ttc", ".otc", ".woff", ".woff2", ".pfb", ".pfa"})
        if (extension == known)
            return true;
    return false;
}

// Family names compare as fontconfig compares them: without blanks, in any case.
bool sameName(std::string a, std::string b) {
    std::erase(a, ' ');
    std::erase(b, ' ');
    return FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(a.c_str()),
                              reinterpret_cast<const FcChar8*>(b.c_str())) == 0;
}

bool hasFamily(const Candidate& c, const std::string& family) {
    return std::any_of(c.families.begin(), c.families.end(),
                       [&](const std::string& f) { return sameName(f, family); });
}

// The font files in the picked font's folder (not its subfolders). Only names that fonts have
// are taken: a folder of fonts often holds other large files too.
std::set<std::string> fontFilesBeside(const std::string& pickedFontPath) {
    constexpr std::size_t kMostFiles = 2000;
    std::error_code error;
    std::filesystem::path folder =
        std::filesystem::absolute(pickedFontPath, error).lexically_normal().parent_path();
    std::set<std::string> files;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator() && files.size() < kMostFiles;
         it.increment(error))
        if (isFontFileName(it->path()) && it->is_regular_file(error))
            files.insert(it->path().string());
    return files;
}

// The family's installed faces, and every face of the files beside the picked font. Faces
// fontconfig already knows come from its cache; only the other files beside (a family
// unpacked, not installed) are opened, since reading a font file costs far more than looking
// it up.
std::vector<Candidate> familyCandidates(const std::string& pickedFontPath,
                                        const std::string& family) {
    std::set<std::string> beside = fontFilesBeside(pickedFontPath);
    std::vector<Candidate> out;
    if (FcFontSet* installed = FcConfigGetFonts(nullptr, FcSetSystem)) {
        std::set<std::string> known;
        for (int i = 0; i < installed->nfont; ++i) {
            const std::string file = stringOf(installed->fonts[i], FC_FILE);
            const bool isBeside = beside.contains(file);
            if (isBeside)
                known.insert(file);
            if (auto c = candidateOf(installed->fonts[i], isBeside); c && hasFamily(*c, family))
                out.push_back(std::move(*c));
        }
        for (const std::string& file : known)
            beside.erase(file);
    }
    for (const std::string& path : beside) {
        const FontSet set(FcFontSetCreate());
        FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(path.c_str()), -1u, nullptr, nullptr,
                           set.get());
        for (int i = 0; i < set->nfont; ++i)
            if (auto c = candidateOf(set->fonts[i], true); c && hasFamily(*c, family))
                out.push_back(std::move(*c));
    }
    return out;
}

bool isBold(const Candidate& c) {
    return c.weight >= FC_WEIGHT_DEMIBOLD;
}

bool isItalic(const Candidate& c) {
    return c.slant != FC_SLANT_ROMAN;
}

// The face that best fills a style among those of the family, if any does: the one closest to
// the picked face in width, optical size and file name, then the usual choice.
std::optional<FaceFile> bestFace(const std::vector<Candidate>& family, const Candidate& picked,
                                 bool bold, bool italic) {
    const Candidate* best = nullptr;
    const std::string pickedStem = fileStem(picked.face.path);
    auto rank = [&](const Candidate& c) {
        // Italic before oblique; the nearest weight to the style's usual one; a face beside the
        // picked font before an installed one; then by file, so the choice never wanders.
        return std::make_tuple(std::abs(c.width - picked.width),
                               std::abs(c.opticalSize - picked.opticalSize),
                               fileStem(c.face.path) != pickedStem, c.slant != FC_SLANT_ITALIC,
                               std::abs(c.weight - (bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR)),
                               !c.beside, c.face.path, c.face.index);
    };
    for (const Candidate& c : family) {
        if (isBold(c) == bold && isItalic(c) == italic && (!best || rank(c) < rank(*best)))
            best = &c;
    }
    return best ? std::optional(best->face) : std::nullopt;
}

} // namespace

std::string faceWords(const FaceFile& face, const std::string& familyName) {
    // FreeType's numbering: the collection's face in the low 16 bits, the instance above.
    const int inCollection = face.index & 0xFFFF;
    const int instance = face.index >> 16;
    std::string words = inCollection != 0 ? "face " + std::to_string(inCollection) : "";
    if (instance != 0) {
        words += words.empty() ? "" : ", ";
        if (!familyName.empty())
            words += familyName + ", ";
        words += face.styleName.empty() ? "instance " + std::to_string(instance)
                                        : face.styleName + " instance";
    }
    return words;
}

FamilyFaces findFamilyFaces(const std::string& pickedFontPath) {
    FamilyFaces result;
    Candidate picked;
    picked.face = {pickedFontPath, 0, {}};
    {
        int count = 0;
        FcPattern* pattern = FcFreeTypeQuery(
            reinterpret_cast<const FcChar8*>(pickedFontPath.c_str()), 0, nullptr, &count);
        if (pattern) {
            result.familyName = stringOf(pattern, FC_FAMILY);
            picked.face.styleName = stringOf(pattern, FC_STYLE);
            picked.weight = integerOf(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
            picked.slant = integerOf(pattern, FC_SLANT, FC_SLANT_ROMAN);
            picked.width = integerOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
            picked.opticalSize = opticalSizeOf(pattern);
            FcPatternDestroy(pattern);
        }
    }
    if (result.familyName.empty()) {
        result.styles[static_cast<std::size_t>(SlotStyle::Regular)] = picked.face;
        return result;
    }

    const std::vector<Candidate> candidates = familyCandidates(pickedFontPath, result.familyName);

    constexpr std::pair<bool, bool> kBoldItalic[] = {
        {false, false}, {false, true}, {true, false}, {true, true}}; // in SlotStyle's order
    for (std::size_t s = 0; s < 4; ++s) {
        const auto [bold, italic] = kBoldItalic[s];
        // The file the user picked is the face of its own style, whatever else the family has.
        result.styles[s] = bold == isBold(picked) && italic == isItalic(picked)
                               ? std::optional(picked.face)
                               : bestFace(candidates, picked, bold, italic);
    }
    auto& regular = result.styles[static_cast<std::size_t>(SlotStyle::Regular)];
    if (!regular)
        regular = picked.face;
    return result;
}

} // namespace korven::converter
