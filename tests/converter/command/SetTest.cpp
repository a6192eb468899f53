#include "../family/FamilyFonts.h"
#include "RunTtf2pgf.h"
#include "converter/command/Cli.h"
#include "converter/core/CharacterSets.h"
#include "converter/core/PgfReader.h"
#include "converter/family/SetPlan.h"
#include "converter/rules/FontFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace korven::converter {
namespace {

namespace fs = std::filesystem;
using testing::FontFolder;

const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string kLiberationSerif =
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf";

using testing::Outcome;
using testing::readText;
using testing::snapshot;

Outcome run(const std::vector<std::string>& args) {
    return testing::runCommand(args);
}

std::string lastLines(const std::string& text, int count) {
    std::size_t at = text.size() - 1;
    for (int i = 0; i < count && at != std::string::npos && at > 0; ++i)
        at = text.rfind('\n', at - 1);
    return at == std::string::npos ? text : text.substr(at + 1);
}

bool installed(const std::vector<std::string>& paths) {
    return std::all_of(paths.begin(), paths.end(), [](const auto& p) { return fs::exists(p); });
}

struct SetCase {
    const char* name;
    std::string font;      // a path, or the name of a renamed Liberation Serif face copied
    std::string serifFont; // into a folder of its own with the rest of `unpacked`
    std::vector<const char*> unpacked;
    const char* characters;  // --characters, or none when empty
    const char* families;    // the summary's middle
    const char* synthesized; // the summary's end
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name;
}

class Set : public ::testing::TestWithParam<SetCase> {};

// Sixteen files of the right sizes and styles, each exactly the bytes the slot's plan gives
// (which PREVIEW shows), and the lines the window reads.
TEST_P(Set, WritesSixteenFilesAndSaysSo) {
    const SetCase& c = GetParam();
    FontFolder fonts;
    for (const char* face : c.unpacked)
        if (!fonts.addRenamed(face))
            GTEST_SKIP() << face << " is not installed (scripts/install-deps.sh installs it)";
    const std::string font = c.unpacked.empty() ? c.font : fonts.path(c.font);
    if (!installed({font, c.serifFont.empty() ? font : c.serifFont}))
        GTEST_SKIP() << "a font of this case is not installed (scripts/install-deps.sh)";
    FontFolder out;
    std::ofstream(out.root() / "readme.txt") << "the user's own file";
    std::ofstream(out.root() / "ltn4.pgf") << "an earlier font";
    fs::permissions(out.root() / "ltn4.pgf",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    std::vector<std::string> args = {"--set", font, out.root().string(), "18", "i2"};
    if (!c.serifFont.empty())
        args.insert(args.begin() + 2, {"--serif", c.serifFont}); // anywhere after --set
    const std::string characters = c.characters;
    if (!characters.empty())
        args.insert(args.begin(), {"--characters", characters});
    const Outcome r = run(args);
    ASSERT_EQ(r.code, 0) << r.err;

    const FamilyFaces sans = findFamilyFaces(font);
    const SetPlan plan =
        planSystemFontSet(sans, c.serifFont.empty() ? sans : findFamilyFaces(c.serifFont), 18, 2.0,
                          parseCharacterSets(characters).extraCharacters);
    std::istringstream lines(r.out);
    std::string line;
    for (const SetPlanEntry& e : plan.entries) {
        const fs::path path = out.root() / slotFileName(e.slot.number);
        SCOPED_TRACE(path.string());
        const std::string bytes = readText(path);
        const std::vector<std::uint8_t> slot = convertSlot(e);
        EXPECT_EQ(bytes, std::string(slot.begin(), slot.end()));
        const PgfFile file = PgfFile::parse(slot);
        EXPECT_EQ(file.header().hSize, 36 * (e.slot.small ? 12 : 18));
        const std::string& type = file.header().fontType;
        const bool bold = e.slot.style == SlotStyle::Bold || e.slot.style == SlotStyle::BoldItalic;
        const bool italic =
            e.slot.style == SlotStyle::Italic || e.slot.style == SlotStyle::BoldItalic;
        EXPECT_EQ(type.find("Bold") != std::string::npos, bold) << type;
        EXPECT_EQ(type.find("Italic") != std::string::npos ||
                      type.find("Oblique") != std::string::npos,
                  italic)
            << type;
        if (!characters.empty()) {
            EXPECT_TRUE(file.glyphIndex(U'\u03b1').has_value()) << "Greek alpha in every file";
        }
        // With more characters, those the font lacks are named after a "; ".
        std::getline(lines, line);
        EXPECT_EQ(characters.empty() ? line : line.substr(0, line.find(';')),
                  "wrote " + path.string() + ": " + std::to_string(file.glyphCount()) +
                      " glyphs, " + std::to_string(bytes.size()) + " bytes");
    }
    std::getline(lines, line);
    EXPECT_EQ(line, "wrote 16 files to " + out.root().string() + ": " + c.families + c.synthesized);
    EXPECT_FALSE(std::getline(lines, line)) << "a line too many: " << line;
    EXPECT_EQ(fs::status(out.root() / "ltn4.pgf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(snapshot(out.root()).size(), 17u) << "only the set and the user's own file";
}

INSTANTIATE_TEST_SUITE_P(
    Families, Set,
    ::testing::Values(SetCase{"FourStyles",
                              testing::kLiberationSans,
                              "",
                              {},
                              "",
                              "sans-serif Liberation Sans, serif Liberation Sans",
                              ""},
                      SetCase{"SerifFromAnotherFamilyAndGreek",
                              kDejaVuSans,
                              kLiberationSerif,
                              {},
                              "greek",
                              "sans-serif DejaVu Sans, serif Liberation Serif",
                              ""},
                      SetCase{"UnpackedRegularAndBold",
                              "LiberationSerif-Bold.ttf",
                              "",
                              {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"},
                              "",
                              "sans-serif Korvenxtst Serif, serif Korvenxtst Serif",
                              "; made by synthesis: ltn2 ltn3 ltn6 ltn7 ltn10 ltn11 ltn14 ltn15"},
                      SetCase{"RegularOnly",
                              "LiberationSerif-Regular.ttf",
                              kDejaVuSans,
                              {"LiberationSerif-Regular.ttf"},
                              "",
                              "sans-serif Korvenxtst Serif, serif DejaVu Sans",
                              "; made by synthesis: ltn2 ltn4 ltn6 ltn10 ltn12 ltn14"}),
    [](const auto& info) { return std::string(info.param.name); });

// A folder with an earlier set, some of it private, and a file of the user's.
class SetFailure : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kDejaVuSans))
            GTEST_SKIP() << kDejaVuSans << " is not installed";
        for (int n = 0; n < 16; ++n)
            if (n != 9)
                std::ofstream(out_.root() / slotFileName(n)) << "earlier font " << n;
        fs::permissions(out_.root() / "ltn3.pgf", fs::perms::owner_read | fs::perms::owner_write);
        std::ofstream(out_.root() / "readme.txt") << "the user's own file";
    }

    // Failed with these last lines on standard error, nothing on standard output, and the
    // folder exactly as it was.
    void expectUntouched(const std::vector<std::string>& args, const std::string& lastErrors) {
        const auto before = snapshot(out_.root());
        const Outcome r = run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(lastLines(r.err, 2), lastErrors) << r.err;
        EXPECT_EQ(snapshot(out_.root()), before);
    }

    std::string asWas() const {
        return "no file of the set was written; \"" + out_.root().string() + "\" is as it was\n";
    }

    FontFolder out_;
};

TEST_F(SetFailure, ARefusedSlotRefusesTheSet) {
    FontFolder fonts;
    const std::string notAFont = fonts.write("notes.ttf", "not a font");
    expectUntouched({"--set", kDejaVuSans, out_.root().string(), "18", "i2", "--serif", notAFont},
                    "ttf2pgf: \"notes.ttf\" is not a font (TrueType, OpenType, Type 1 or WOFF)\n"
                    "ttf2pgf: ltn1.pgf (serif, regular, 18 px) was refused, so " +
                        asWas());
}

// The files before ltn9.pgf are replaced by then; they must come back as they were.
TEST_F(SetFailure, AFailedRenamePutsEveryEarlierFileBack) {
    fs::create_directory(out_.root() / "ltn9.pgf");
    std::ofstream(out_.root() / "ltn9.pgf" / "inside") << "kept";
    expectUntouched({"--set", kDejaVuSans, out_.root().string(), "18", "i2"},
                    "ttf2pgf: cannot write \"" + (out_.root() / "ltn9.pgf").string() +
                        "\": Is a directory\nttf2pgf: " + asWas());
}

TEST_F(SetFailure, AMissingFolderIsNotMade) {
    const std::string missing = (out_.root() / "missing").string();
    expectUntouched({"--set", kDejaVuSans, missing, "18", "i2"},
                    "ttf2pgf: cannot write \"" + missing + "/ltn0.pgf\": the folder \"" + missing +
                        "\" does not exist\nttf2pgf: no file of the set was written; \"" + missing +
                        "\" is as it was\n");
}

// Not the user's font file: refused in one line before anything is written.
TEST_F(SetFailure, AReferenceThatIsNotAPgfFileRefusesTheSet) {
    FontFolder mine;
    mine.write("ltn2.pgf", "not a font file");
    expectUntouched(
        {"--set", kDejaVuSans, out_.root().string(), "18", "i2", "--like", mine.root().string()},
        "ttf2pgf: cannot use \"" + mine.path("ltn2.pgf") +
            "\" as a reference: it is not a PGF font file (file is shorter "
            "than a PGF header)\nttf2pgf: " +
            asWas());
}

// Fitted, every file of the set lies in the box of the handheld's own file of its slot; with
// the user's own file of a slot, its characters take that file's advances exactly.
TEST(SetFit, EachFileFitsItsSlotOrTheUsersOwnFile) {
    if (!installed({kDejaVuSans, kLiberationSerif}))
        FAIL() << "DejaVu Sans and Liberation Serif are needed (scripts/install-deps.sh)";
    FontFolder mine, out;
    ASSERT_EQ(run({kLiberationSerif, mine.path("ltn4.pgf"), "18", "i2"}).code, 0);
    const Outcome r = run({"--set", kDejaVuSans, out.root().string(), "18", "i2", "--fit", "--like",
                           mine.root().string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("ltn4.pgf: 339 characters take \"ltn4.pgf\"'s advances"),
              std::string::npos)
        << r.err;
    const PgfFile reference = PgfFile::parse(readWholeFile(mine.path("ltn4.pgf")));
    for (int n = 0; n < 16; ++n) {
        const std::string name = slotFileName(n);
        const FitTarget target =
            n == 4 ? fitTargetOf(reference, "") : fitTargetOf(handheldFontForFile(name));
        const PgfFile file = PgfFile::parse(readWholeFile(out.path(name)));
        for (const std::string& problem : fitProblems(file, target))
            ADD_FAILURE() << name << ": " << problem;
    }
}

TEST(SetArguments, AreRefusedWithCode2) {
    struct Row {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Row rows[] = {
        {{"--set", "a.ttf", "out", "18"}, "--set expects FONT OUTDIR SIZE iSHADOW, got 3"},
        {{"--set", "a.ttf", "out", "5", "i2"}, "SIZE must be a whole number from 6 to 22"},
        {{"--set", "a.ttf", "out", "18", "2"}, "iSHADOW must be the letter i"},
        {{"--set", "a.ttf", "", "18", "i2"}, "OUTDIR must name the folder"},
        {{"--set", "a.ttf", "out", "18", "i2", "--serif"}, "--serif expects the font"},
        {{"--set", "a.ttf", "out", "18", "i2", "--serif", "b", "--serif", "c"}, "once"},
        {{"--set", "a.ttf", "out", "18", "i2", "--render"}, "does not go with --set"},
        {{"--allow-missing", "--set", "a.ttf", "out", "18", "i2"}, "--allow-missing goes with"},
        {{"a.ttf", "ltn0.pgf", "18", "i2", "--serif", "b.ttf"}, "--serif goes with --set only"},
        {{"--set", "a.ttf", "out", "18", "i2", "--like"}, "--like expects your own PGF file"},
        {{"--fit", "a.ttf", "ltn0.pgf", "--fit", "18", "i2"}, "--fit may be given once"},
        {{"--render", "a.pgf", "Hi", "a.png", "--fit"}, "--fit goes with a conversion only"},
        {{"--set", "a.ttf", "out", "18", "i2", "--like", "a", "--like", "b"}, "once"},
    };
    for (const Row& row : rows) {
        const Outcome r = run(row.args);
        EXPECT_EQ(r.code, 2) << row.mentions;
        EXPECT_NE(r.err.find(row.mentions), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace korven::converter
