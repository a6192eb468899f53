#include "converter/family/FontFamily.h"

#include "FamilyFonts.h"
#include "converter/core/Errors.h"
#include "converter/family/SetPlan.h"
#include "support/InstalledFonts.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korven::converter {
namespace {

using testing::fileName;
using testing::FontFolder;

// File names of the faces found, in SlotStyle order; "-" for a style the family lacks.
std::array<std::string, 4> styleFiles(const FamilyFaces& faces) {
    std::array<std::string, 4> names;
    for (std::size_t s = 0; s < 4; ++s)
        names[s] = faces.styles[s] ? fileName(faces.styles[s]->path) : "-";
    return names;
}

struct InstalledCase {
    const char* picked;
    const char* family;
    std::array<std::string, 4> files; // regular, italic, bold, bold italic
};

void PrintTo(const InstalledCase& c, std::ostream* os) {
    *os << std::filesystem::path(c.picked).stem().string();
}

class InstalledFamily : public ::testing::TestWithParam<InstalledCase> {};

// Whichever face is picked, its family's four faces of the same width are found, not the
// condensed, narrow or light ones that share the family name.
TEST_P(InstalledFamily, FindsTheFourStyles) {
    const InstalledCase& c = GetParam();
    const std::filesystem::path folder = std::filesystem::path(c.picked).parent_path();
    for (const std::string& file : c.files)
        if (!korven::testing::FontFileInstalled((folder / file).string()))
            GTEST_SKIP();
    const FamilyFaces faces = findFamilyFaces(c.picked);
    EXPECT_EQ(faces.familyName, c.family);
    EXPECT_EQ(styleFiles(faces), c.files);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, InstalledFamily,
    ::testing::Values(
        InstalledCase{testing::kLiberationSans,
                      "Liberation Sans",
                      {"LiberationSans-Regular.ttf", "LiberationSans-Italic.ttf",
                       "LiberationSans-Bold.ttf", "LiberationSans-BoldItalic.ttf"}},
        InstalledCase{"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                      "DejaVu Sans",
                      {"DejaVuSans.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-Bold.ttf",
                       "DejaVuSans-BoldOblique.ttf"}},
        InstalledCase{"/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Oblique.ttf",
                      "DejaVu Sans",
                      {"DejaVuSansCondensed.ttf", "DejaVuSansCondensed-Oblique.ttf",
                       "DejaVuSansCondensed-Bold.ttf", "DejaVuSansCondensed-BoldOblique.ttf"}}));

// What a folder holds, and for each of the sixteen slots the face file it is drawn from and
// what synthesis adds ("" none, "b" emboldened, "s" slanted, "bs" both), the same for both
// families and both sizes, slots 0, 2, 4, 6 giving the four styles.
struct FolderCase {
    const char* name;
    std::vector<const char*> faces; // of Liberation Serif, renamed to a family nobody installed
    std::array<std::string, 4> files;
    std::array<std::string, 4> synthesis;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.name;
}

class UnpackedFamily : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UnpackedFamily, FacesBesideThePickedFileAndTheRestMadeUp) {
    const FolderCase& c = GetParam();
    FontFolder folder;
    for (const char* face : c.faces)
        if (!korven::testing::Installed(folder.addRenamed(face), face))
            GTEST_SKIP();
    const std::string picked = folder.path(c.faces[0]);
    const FamilyFaces faces = findFamilyFaces(picked);
    EXPECT_EQ(faces.familyName, testing::kUnpackedFamily);

    const SetPlan plan = planSystemFontSet(faces, faces, 18, 2.0);
    for (const SetPlanEntry& e : plan.entries) {
        SCOPED_TRACE(slotDescription(e.slot, 18));
        const auto style = static_cast<std::size_t>(e.slot.style);
        EXPECT_EQ(fileName(e.face.path), c.files[style]);
        const FaceSynthesis& s = e.settings.synthesis;
        EXPECT_EQ(std::string(s.embolden ? "b" : "") + (s.slant ? "s" : ""), c.synthesis[style]);
        EXPECT_EQ(e.settings.pixelsPerEm, e.slot.small ? 12 : 18);
        EXPECT_EQ(e.familyName, testing::kUnpackedFamily);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UnpackedFamily,
    ::testing::Values(FolderCase{"RegularAndBold",
                                 {"LiberationSerif-Bold.ttf", "LiberationSerif-Regular.ttf"},
                                 {"LiberationSerif-Regular.ttf", "LiberationSerif-Regular.ttf",
                                  "LiberationSerif-Bold.ttf", "LiberationSerif-Bold.ttf"},
                                 {"", "s", "", "s"}},
                      FolderCase{"ItalicOnlyBesideRegular",
                                 {"LiberationSerif-Regular.ttf", "LiberationSerif-Italic.ttf"},
                                 {"LiberationSerif-Regular.ttf", "LiberationSerif-Italic.ttf",
                                  "LiberationSerif-Regular.ttf", "LiberationSerif-Italic.ttf"},
                                 {"", "", "b", "b"}},
                      // The bold italic is the bold slanted, not the italic emboldened.
                      FolderCase{"BoldAndItalicWithoutBoldItalic",
                                 {"LiberationSerif-Regular.ttf", "LiberationSerif-Italic.ttf",
                                  "LiberationSerif-Bold.ttf"},
                                 {"LiberationSerif-Regular.ttf", "LiberationSerif-Italic.ttf",
                                  "LiberationSerif-Bold.ttf", "LiberationSerif-Bold.ttf"},
                                 {"", "", "", "s"}},
                      FolderCase{"RegularOnly",
                                 {"LiberationSerif-Regular.ttf"},
                                 {"LiberationSerif-Regular.ttf", "LiberationSerif-Regular.ttf",
                                  "LiberationSerif-Regular.ttf", "LiberationSerif-Regular.ttf"},
                                 {"", "s", "b", "bs"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A family in two optical sizes, each in files of its own ("08" and "12"): the picked file
// fills its own style, and the other styles come from its size.
TEST(FontFamily, ThePickedFileFillsItsStyleAndItsSizeTheOthers) {
    namespace fs = std::filesystem;
    FontFolder folder;
    for (const std::string style : {"Regular", "Bold", "Italic"}) {
        const std::string liberation = "LiberationSerif-" + style + ".ttf";
        if (!korven::testing::Installed(folder.addRenamed(liberation), liberation))
            GTEST_SKIP();
        fs::copy_file(folder.root() / liberation,
                      folder.root() / ("Korvenxtst08-" + style + ".ttf"));
        fs::rename(folder.root() / liberation, folder.root() / ("Korvenxtst12-" + style + ".ttf"));
    }
    const struct {
        const char* picked;
        std::array<std::string, 4> files;
    } rows[] = {
        {"Korvenxtst12-Regular.ttf",
         {"Korvenxtst12-Regular.ttf", "Korvenxtst12-Italic.ttf", "Korvenxtst12-Bold.ttf", "-"}},
        {"Korvenxtst08-Bold.ttf",
         {"Korvenxtst08-Regular.ttf", "Korvenxtst08-Italic.ttf", "Korvenxtst08-Bold.ttf", "-"}},
    };
    for (const auto& row : rows) {
        const FamilyFaces faces = findFamilyFaces(folder.path(row.picked));
        EXPECT_EQ(styleFiles(faces), row.files) << row.picked;
    }
}

// A variable font's instance is named by its style, not by FreeType's face number.
TEST(FontFamily, FacesBeyondTheFirstAreNamedInWords) {
    const struct {
        int index;
        const char* style;
        const char* words;
    } rows[] = {
        {0, "Regular", ""},
        {2, "Bold", "face 2"},
        {7 << 16, "Bold", "Inter, Bold instance"},
        {3 << 16, "", "Inter, instance 3"},
        {(1 << 16) | 2, "Thin", "face 2, Inter, Thin instance"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(faceWords({"Inter.ttf", row.index, row.style}, "Inter"), row.words) << row.index;
}

// A file fontconfig cannot read is its own regular, so converting it says what is wrong with it.
TEST(FontFamily, NoFontStandsForItself) {
    FontFolder folder;
    const std::string path = folder.write("notes.ttf", "not a font");
    const FamilyFaces faces = findFamilyFaces(path);
    EXPECT_EQ(faces.familyName, "");
    EXPECT_EQ(styleFiles(faces), (std::array<std::string, 4>{"notes.ttf", "-", "-", "-"}));
    const SetPlan plan = planSystemFontSet(faces, faces, 18, 2.0);
    EXPECT_THROW(convertSlot(plan.entries[4]), ConversionError);
}

} // namespace
} // namespace korven::converter
