#include "../CjkFont.h"
#include "../core/TestFont.h"
#include "../family/FamilyFonts.h"
#include "RunTtf2pgf.h"
#include "converter/command/Cli.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/CharacterSets.h"
#include "converter/core/PgfReader.h"
#include "converter/family/SetPlan.h"
#include "converter/rules/FontFile.h"
#include "support/InstalledFonts.h"

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
        if (!korven::testing::Installed(fonts.addRenamed(face), face))
            GTEST_SKIP();
    const std::string font = c.unpacked.empty() ? c.font : fonts.path(c.font);
    if (!korven::testing::FontFileInstalled(font) ||
        (!c.serifFont.empty() && !korven::testing::FontFileInstalled(c.serifFont)))
        GTEST_SKIP();
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
        if (!korven::testing::FontFileInstalled(kDejaVuSans))
            GTEST_SKIP();
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
    // It opens, but has no lowercase letters.
    const auto bytes = testing::buildTestFont({{'A', 600, 50, 0, 550, 700}});
    const std::string letters = fonts.write("letters.ttf", std::string(bytes.begin(), bytes.end()));
    const auto before = snapshot(out_.root());
    const Outcome r =
        run({"--set", kDejaVuSans, out_.root().string(), "18", "i2", "--serif", letters});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lastLines(r.err, 1),
              "ttf2pgf: ltn1.pgf (serif, regular, 18 px) was refused, so " + asWas());
    EXPECT_NE(lastLines(r.err, 2).find("\"letters.ttf\""), std::string::npos) << r.err;
    EXPECT_EQ(snapshot(out_.root()), before);
}

// A font the user named that cannot be read or opened is said in its one line, before any
// plan is made or reported.
TEST_F(SetFailure, ABadInputIsSaidInItsOneLine) {
    FontFolder fonts;
    const std::string notAFont = fonts.write("notes.ttf", "not a font");
    const std::string missing = fonts.path("nope.ttf");
    const struct {
        std::vector<std::string> args;
        std::string said;
    } rows[] = {
        {{"--set", kDejaVuSans, out_.root().string(), "18", "i2", "--serif", notAFont},
         "ttf2pgf: \"notes.ttf\" is not a font (TrueType, OpenType, Type 1 or WOFF)\n"},
        {{"--set", kDejaVuSans, out_.root().string(), "18", "i2", "--serif", missing},
         "ttf2pgf: cannot read \"" + missing + "\": No such file or directory\n"},
        {{"--set", missing, out_.root().string(), "18", "i2"},
         "ttf2pgf: cannot read \"" + missing + "\": No such file or directory\n"},
    };
    for (const auto& row : rows) {
        const auto before = snapshot(out_.root());
        const Outcome r = run(row.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, row.said);
        EXPECT_EQ(snapshot(out_.root()), before);
    }
}

TEST_F(SetFailure, ARefusedScriptFileRefusesTheSet) {
    FontFolder fonts;
    // It opens, but has no lowercase letters.
    const auto bytes = testing::buildTestFont({{'A', 600, 50, 0, 550, 700}});
    const std::string letters = fonts.write("letters.ttf", std::string(bytes.begin(), bytes.end()));
    const auto before = snapshot(out_.root());
    const Outcome r =
        run({"--set", kDejaVuSans, out_.root().string(), "18", "i2", "--korean", letters});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lastLines(r.err, 1), "ttf2pgf: kr0.pgf (Korean, 18 px) was refused, so " + asWas());
    EXPECT_EQ(snapshot(out_.root()), before);
}

// The files before ltn9.pgf are replaced by then; they must come back as they were.
TEST_F(SetFailure, AFailedRenamePutsEveryEarlierFileBack) {
    fs::create_directory(out_.root() / "ltn9.pgf");
    std::ofstream(out_.root() / "ltn9.pgf" / "inside") << "kept";
    expectUntouched({"--set", kDejaVuSans, out_.root().string(), "18", "i2"},
                    "ttf2pgf: cannot write \"" + (out_.root() / "ltn9.pgf").string() +
                        "\": Is a directory\nttf2pgf: " + asWas());
}

// With no earlier set, the new files renamed into place before ltn9.pgf fails are no earlier
// files to put back: each must be removed again.
TEST(SetWrite, AFailedRenameInAFolderWithoutASetRemovesEveryNewFile) {
    if (!korven::testing::FontFileInstalled(kDejaVuSans))
        GTEST_SKIP();
    FontFolder out;
    fs::create_directory(out.root() / "ltn9.pgf");
    std::ofstream(out.root() / "readme.txt") << "the user's own file";
    const auto before = snapshot(out.root());
    const Outcome r = run({"--set", kDejaVuSans, out.root().string(), "18", "i2"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(lastLines(r.err, 2), "ttf2pgf: cannot write \"" + (out.root() / "ltn9.pgf").string() +
                                       "\": Is a directory\nttf2pgf: no file of the set was "
                                       "written; \"" +
                                       out.root().string() + "\" is as it was\n");
    EXPECT_EQ(snapshot(out.root()), before);
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
    KORVEN_NEED_FONT(kDejaVuSans);
    KORVEN_NEED_FONT(kLiberationSerif);
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

// The one test that converts a whole jpn0.pgf: from the collection's Japanese face, beside a
// kr0.pgf from a font without Hangul, and the sixteen byte for byte as without the options.
TEST(SetWithScripts, WritesEighteenFiles) {
    KORVEN_NEED_FONT(testing::kNotoSansCjk);
    KORVEN_NEED_FONT(kDejaVuSans);
    FontFolder latinOnly;
    ASSERT_EQ(run({"--set", kDejaVuSans, latinOnly.root().string(), "18", "i2"}).code, 0);
    FontFolder out;
    const std::string folder = out.root().string();
    const Outcome r = run({"--set", kDejaVuSans, folder, "18", "i2", "--japanese",
                           testing::kNotoSansCjk, "--korean", kDejaVuSans});
    ASSERT_EQ(r.code, 0) << r.err;

    EXPECT_EQ(snapshot(out.root()).size(), 18u);
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(readText(out.root() / slotFileName(n)),
                  readText(latinOnly.root() / slotFileName(n)))
            << slotFileName(n);
    EXPECT_NE(r.err.find("ttf2pgf: note: jpn0.pgf (Japanese, 18 px) from \"" +
                         testing::kNotoSansCjk +
                         "\", face 0 of 10, \"Noto Sans CJK JP\", taken for Japanese\n"),
              std::string::npos)
        << r.err;
    const std::string jpn0 = readText(out.root() / "jpn0.pgf");
    const PgfFile japanese = PgfFile::parse({jpn0.begin(), jpn0.end()});
    EXPECT_EQ(japanese.header().hSize, 36 * 18);
    for (char32_t c : {U'A', U'\u3042', U'\u4E9C', U'\u7199', U'\uFF71'})
        EXPECT_TRUE(japanese.glyphIndex(c).has_value()) << codePointName(c);
    const std::string kr0 = readText(out.root() / "kr0.pgf");
    const PgfFile korean = PgfFile::parse({kr0.begin(), kr0.end()});
    EXPECT_TRUE(korean.glyphIndex(U'A').has_value());
    EXPECT_FALSE(korean.glyphIndex(U'\uAC00').has_value());

    // Noto Sans CJK lacks one character of the Japanese set (and a hundred of the Latin one);
    // DejaVu Sans all the Hangul.
    const std::string jpn0Line = "wrote " + folder + "/jpn0.pgf: 7161 glyphs, " +
                                 std::to_string(jpn0.size()) + " bytes; left out ";
    const std::size_t at = r.out.find(jpn0Line);
    ASSERT_NE(at, std::string::npos) << r.out;
    EXPECT_NE(r.out.substr(at, r.out.find('\n', at) - at).find(" U+2252"), std::string::npos);
    EXPECT_NE(r.out.find("U+AC00-U+D7A3"), std::string::npos) << r.out;
    EXPECT_EQ(lastLines(r.out, 1), "wrote 18 files to " + folder +
                                       ": sans-serif DejaVu Sans, serif DejaVu Sans, Japanese "
                                       "Noto Sans CJK JP, Korean DejaVu Sans\n");
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
        {{"--set", "a.ttf", "out", "18", "i2", "--japanese"}, "--japanese expects the font"},
        {{"--set", "a.ttf", "out", "18", "i2", "--korean", "b", "--korean", "c"}, "once"},
        {{"--set", "a.ttf", "out", "18", "i2", "--face", "1"}, "does not go with --set"},
    };
    for (const Row& row : rows) {
        const Outcome r = run(row.args);
        EXPECT_EQ(r.code, 2) << row.mentions;
        EXPECT_NE(r.err.find(row.mentions), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace korven::converter
