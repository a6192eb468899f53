#include "converter/family/FontFamily.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <memory>
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
    bool beside = false; // in the picked font's folder
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

// Every face of the font files in the picked font's folder (not its subfolders). Only names
// that fonts have are read: a folder of fonts often holds other large files too.
void addFacesBeside(const std::string& pickedFontPath, std::vector<Candidate>& out) {
    constexpr int kMostFiles = 2000;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(pickedFontPath).parent_path();
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
    int files = 0;
    for (; !error && it != std::filesystem::directory_iterator() && files < kMostFiles;
         it.increment(error)) {
        if (!it->is_regular_file(error) || !isFontFileName(it->path()))
            continue;
        ++files;
        const FontSet set(FcFontSetCreate());
        const std::string path = it->path().string();
        FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(path.c_str()), -1u, nullptr, nullptr,
                           set.get());
        for (int i = 0; i < set->nfont; ++i)
            if (auto c = candidateOf(set->fonts[i], true))
                out.push_back(std::move(*c));
    }
}

// The installed faces that have the family among their names.
void addInstalledFaces(const std::string& family, std::vector<Candidate>& out) {
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family.c_str(),
                                        static_cast<char*>(nullptr));
    FcObjectSet* objects =
        FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                         FC_VARIABLE, static_cast<char*>(nullptr));
    const FontSet set(FcFontList(nullptr, pattern, objects));
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    if (!set)
        return;
    for (int i = 0; i < set->nfont; ++i)
        if (auto c = candidateOf(set->fonts[i], false))
            out.push_back(std::move(*c));
}

// Family names compare as fontconfig compares them: without blanks, in any case.
bool sameName(std::string a, std::string b) {
    std::erase(a, ' ');
    std::erase(b, ' ');
    return FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(a.c_str()),
                              reinterpret_cast<const FcChar8*>(b.c_str())) == 0;
}

// The face that best fills a style among those of the family, if any does.
std::optional<FaceFile> bestFace(const std::vector<Candidate>& family, int pickedWidth, bool bold,
                                 bool italic) {
    const Candidate* best = nullptr;
    auto rank = [&](const Candidate& c) {
        // Italic before oblique; the nearest weight to the style's usual one; a face beside the
        // picked font before an installed one; then by file, so the choice never wanders.
        return std::make_tuple(std::abs(c.width - pickedWidth), c.slant != FC_SLANT_ITALIC,
                               std::abs(c.weight - (bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR)),
                               !c.beside, c.face.path, c.face.index);
    };
    for (const Candidate& c : family) {
        const bool isBold = c.weight >= FC_WEIGHT_DEMIBOLD;
        const bool isItalic = c.slant != FC_SLANT_ROMAN;
        if (isBold == bold && isItalic == italic && (!best || rank(c) < rank(*best)))
            best = &c;
    }
    return best ? std::optional(best->face) : std::nullopt;
}

} // namespace

FamilyFaces findFamilyFaces(const std::string& pickedFontPath) {
    FamilyFaces result;
    FaceFile picked{pickedFontPath, 0, {}};
    int pickedWidth = FC_WIDTH_NORMAL;
    {
        int count = 0;
        FcPattern* pattern = FcFreeTypeQuery(
            reinterpret_cast<const FcChar8*>(pickedFontPath.c_str()), 0, nullptr, &count);
        if (pattern) {
            result.familyName = stringOf(pattern, FC_FAMILY);
            picked.styleName = stringOf(pattern, FC_STYLE);
            pickedWidth = integerOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
            FcPatternDestroy(pattern);
        }
    }
    if (result.familyName.empty()) {
        result.styles[static_cast<std::size_t>(SlotStyle::Regular)] = picked;
        return result;
    }

    std::vector<Candidate> candidates;
    addFacesBeside(pickedFontPath, candidates);
    addInstalledFaces(result.familyName, candidates);
    std::erase_if(candidates, [&](const Candidate& c) {
        return std::none_of(c.families.begin(), c.families.end(),
                            [&](const std::string& f) { return sameName(f, result.familyName); });
    });

    constexpr std::pair<bool, bool> kBoldItalic[] = {
        {false, false}, {false, true}, {true, false}, {true, true}}; // in SlotStyle's order
    for (std::size_t s = 0; s < 4; ++s)
        result.styles[s] =
            bestFace(candidates, pickedWidth, kBoldItalic[s].first, kBoldItalic[s].second);
    auto& regular = result.styles[static_cast<std::size_t>(SlotStyle::Regular)];
    if (!regular)
        regular = picked;
    return result;
}

} // namespace korven::converter
