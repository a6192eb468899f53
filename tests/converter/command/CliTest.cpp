#include "converter/command/Cli.h"

#include "../CjkFont.h"
#include "../core/TestFont.h"
#include "RunTtf2pgf.h"
#include "converter/core/PgfReader.h"
#include "support/InstalledFonts.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korven::converter {
namespace {

namespace fs = std::filesystem;

const std::string kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string kOriginal = "the user's existing font file";

using testing::Outcome;
using testing::readText;

// A fresh folder holding an existing ltn0.pgf, and the checks every failure must pass.
class Ttf2pgf : public ::testing::Test {
protected:
    void SetUp() override {
        if (!korven::testing::FontFileInstalled(kFont))
            GTEST_SKIP();
        char name[] = "/tmp/ttf2pgf-test-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
        output_ = dir_ / "ltn0.pgf";
        std::ofstream(output_, std::ios::binary) << kOriginal;
    }
    void TearDown() override {
        if (!dir_.empty()) {
            fs::permissions(dir_, fs::perms::owner_all);
            fs::remove_all(dir_);
        }
    }

    static Outcome run(const std::vector<std::string>& args) { return testing::runCommand(args); }

    // Failed: the exit code, one line on standard error, and the folder exactly as it was.
    void expectUntouchedFailure(const Outcome& r, int code, const std::string& mentions) {
        EXPECT_EQ(r.code, code);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.back(), '\n');
        EXPECT_NE(r.err.find(mentions), std::string::npos) << r.err;
        EXPECT_EQ(readText(output_), kOriginal);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
            << "a temporary file was left behind";
    }

    fs::path dir_;
    fs::path output_;
};

struct BadArguments {
    const char* name;
    std::vector<std::string> tail; // after FONT OUTPUT; empty names mean "leave out"
    const char* mentions;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const BadArguments& c, std::ostream* os) {
    *os << c.name;
}

class Ttf2pgfArguments : public Ttf2pgf, public ::testing::WithParamInterface<BadArguments> {};

TEST_P(Ttf2pgfArguments, AreRefusedWithCode2) {
    std::vector<std::string> args = {kFont, output_.string()};
    args.insert(args.end(), GetParam().tail.begin(), GetParam().tail.end());
    expectUntouchedFailure(run(args), 2, GetParam().mentions);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ttf2pgfArguments,
    ::testing::Values(
        BadArguments{"Missing", {"18"}, "expected 4 arguments"},
        BadArguments{"Extra", {"18", "i2", "more"}, "expected 4 arguments"},
        BadArguments{"Size5", {"5", "i2"}, "SIZE must be a whole number from 6 to 22"},
        BadArguments{"Size23", {"23", "i2"}, "SIZE"},
        BadArguments{"SizeFraction", {"12.5", "i2"}, "\"12.5\""},
        BadArguments{"SizeWord", {"abc", "i2"}, "SIZE"},
        BadArguments{"SizeHuge", {"99999999999999999999", "i2"}, "SIZE"},
        BadArguments{"ShadowNoLetter", {"18", "2"}, "iSHADOW must be the letter i"},
        BadArguments{"ShadowNoNumber", {"18", "i"}, "1 to 4.0"},
        BadArguments{"ShadowWord", {"18", "ix"}, "\"ix\""},
        BadArguments{"ShadowSmall", {"18", "i0.5"}, "iSHADOW"},
        BadArguments{"ShadowLarge", {"18", "i4.5"}, "iSHADOW"},
        BadArguments{"ShadowNan", {"18", "inan"}, "iSHADOW"},
        BadArguments{"ShadowExponent", {"18", "i1e9"}, "iSHADOW"},
        BadArguments{"ShadowSign", {"18", "i+2"}, "iSHADOW"},
        BadArguments{"CharactersUnknown",
                     {"--characters", "latin,grek", "18", "i2"},
                     "unknown character set \"grek\""},
        BadArguments{
            "CharactersBadRange", {"18", "i2", "--characters=U+0460-U+0400"}, "\"U+0460-U+0400\""},
        BadArguments{"CharactersBeyond16Bits", {"18", "--characters", "U+1F600", "i2"}, "U+FFFF"},
        BadArguments{
            "CharactersWithoutValue", {"18", "i2", "--characters"}, "--characters expects"},
        BadArguments{"FaceWithoutNumber", {"18", "i2", "--face"}, "--face expects"},
        BadArguments{"FaceWord", {"--face", "x", "18", "i2"}, "got \"x\""},
        BadArguments{"FaceNegative", {"18", "--face", "-1", "i2"}, "got \"-1\""},
        BadArguments{"FaceBeyond16Bits", {"--face", "65536", "18", "i2"}, "--face expects"},
        BadArguments{"FaceTwice", {"--face", "0", "--face", "0", "18", "i2"}, "once"},
        BadArguments{"FacePastASingleFont",
                     {"--face", "1", "18", "i2"},
                     "--face 1: \"DejaVuSans.ttf\" has 1 face, face 0"},
        BadArguments{"JapaneseWithoutSet", {"18", "i2", "--japanese", "a.ttc"}, "with --set only"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Ttf2pgf, AcceptsTheRangeEnds) {
    for (const auto& [size, shadow] : {std::pair{"6", "i1"}, {"22", "i4.0"}, {"18", "i2.5"}}) {
        const Outcome r = run({kFont, output_.string(), size, shadow});
        EXPECT_EQ(r.code, 0) << size << " " << shadow << ": " << r.err;
        EXPECT_EQ(readText(output_).substr(4, 4), "PGF0");
    }
}

// A write-protected file in a writable folder is replaced (the user agreed) and the new one is
// write-protected too.
TEST_F(Ttf2pgf, ReplacesTheOutputKeepingItsPermissions) {
    using fs::perms;
    for (const perms kept : {perms::owner_read | perms::owner_write | perms::group_read,
                             perms::owner_read | perms::group_read | perms::others_read}) {
        fs::permissions(output_, kept);
        const Outcome r = run({kFont, output_.string(), "18", "i2"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(readText(output_).substr(4, 4), "PGF0");
        EXPECT_EQ(fs::status(output_).permissions() & perms::all, kept);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    }
}

// The program's window reads this line; its form is documented in --help.
TEST_F(Ttf2pgf, SuccessLineGivesCountsAndWhatWasLeftOut) {
    const Outcome r = run({kFont, output_.string(), "18", "i2"});
    EXPECT_EQ(r.out, "wrote " + output_.string() + ": 339 glyphs, " +
                         std::to_string(fs::file_size(output_)) + " bytes\n");
    EXPECT_EQ(r.err, "");
    // DejaVu Sans Bold's per mille sign is 32 pixels wide at 22.
    const std::string bold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    if (!korven::testing::FontFileInstalled(bold))
        GTEST_SKIP();
    const Outcome left = run({bold, output_.string(), "--allow-missing", "22", "i2"});
    EXPECT_EQ(left.out, "wrote " + output_.string() + ": 338 glyphs, " +
                            std::to_string(fs::file_size(output_)) +
                            " bytes; left out 1 character: U+2030\n");
}

// What the font lacks of the Latin set is named too: a font of letters and digits only.
TEST_F(Ttf2pgf, LatinCharactersTheFontLacksAreListed) {
    const auto bytes = testing::buildTestFont(testing::basicGlyphs());
    const fs::path font = dir_ / "letters.ttf";
    std::ofstream(font, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const Outcome r = run({font.string(), output_.string(), "18", "i2"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string head = "wrote " + output_.string() + ": 64 glyphs, " +
                             std::to_string(fs::file_size(output_)) +
                             " bytes; left out 275 characters: U+0021-U+002F U+003A-U+0040 "
                             "U+005B-U+005E U+0060 U+007B-U+007E ";
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    EXPECT_NE(r.err.find("note: left out 275 characters that \"letters.ttf\" does not have"),
              std::string::npos)
        << r.err;
}

// Characters of a chosen set the font lacks are named on the success line, runs as ranges.
TEST_F(Ttf2pgf, CharactersTheFontLacksAreListed) {
    const Outcome r = run(
        {"--characters", "greek,U+0378,U+0400-U+0403,U+0530", kFont, output_.string(), "18", "i2"});
    ASSERT_EQ(r.code, 0) << r.err;
    // DejaVu Sans has the Greek set, which holds assigned characters only, and U+0400...; it
    // lacks U+0530 and the unassigned U+0378, which the user typed.
    const std::string tail = "; left out 2 characters: U+0378 U+0530\n";
    ASSERT_GT(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
    EXPECT_NE(r.err.find("does not have"), std::string::npos) << r.err;
}

// A collection's face: refused past its end with the count, named in a note when taken.
TEST_F(Ttf2pgf, FaceOfACollection) {
    KORVEN_NEED_FONT(testing::kNotoSansCjk);
    expectUntouchedFailure(
        run({"--face", "10", testing::kNotoSansCjk, output_.string(), "18", "i2"}), 2,
        "ttf2pgf: --face 10: \"NotoSansCJK-Regular.ttc\" has 10 faces, 0 to 9\n");
    const Outcome r = run({"--face", "1", "--characters", "U+AC00-U+AC3F", testing::kNotoSansCjk,
                           output_.string(), "18", "i2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1),
              "ttf2pgf: note: \"NotoSansCJK-Regular.ttc\": face 1 of 10, \"Noto Sans CJK KR\"\n");
    const std::string bytes = readText(output_);
    const PgfFile file = PgfFile::parse({bytes.begin(), bytes.end()});
    EXPECT_TRUE(file.glyphIndex(U'\uAC3F').has_value());
}

TEST_F(Ttf2pgf, MissingFontFails) {
    expectUntouchedFailure(run({(dir_ / "nope.ttf").string(), output_.string(), "18", "i2"}), 1,
                           "No such file or directory");
}

TEST_F(Ttf2pgf, NonFontFails) {
    const fs::path text = dir_ / "notes.txt";
    std::ofstream(text) << "hello";
    const Outcome r = run({text.string(), output_.string(), "18", "i2"});
    fs::remove(text);
    expectUntouchedFailure(r, 1, "not a font");
}

TEST_F(Ttf2pgf, UnreadableFontFails) {
    // A folder opens but cannot be read as a file, whoever runs the test.
    const fs::path folder = dir_ / "folder.ttf";
    fs::create_directory(folder);
    const Outcome r = run({folder.string(), output_.string(), "18", "i2"});
    fs::remove(folder);
    expectUntouchedFailure(r, 1, "cannot read");
}

TEST_F(Ttf2pgf, MissingOutputFolderFails) {
    const Outcome r = run({kFont, (dir_ / "no" / "ltn0.pgf").string(), "18", "i2"});
    expectUntouchedFailure(r, 1, "the folder \"" + (dir_ / "no").string() + "\" does not exist");
}

TEST_F(Ttf2pgf, ReadOnlyOutputFolderFails) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into read-only folders";
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    const Outcome r = run({kFont, output_.string(), "18", "i2"});
    fs::permissions(dir_, fs::perms::owner_all);
    expectUntouchedFailure(r, 1, "Permission denied");
}

TEST_F(Ttf2pgf, UnwritableLocationFails) {
    // Nobody, root included, may create files in /proc.
    const Outcome r = run({kFont, "/proc/ltn0.pgf", "18", "i2"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot write \"/proc/ltn0.pgf\""), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("/proc/ltn0.pgf"));
}

// Runs the real program with a limit on the size of files it may write, which makes writes fail
// the way a full disk does.
Outcome runProgramWithFileLimit(const std::vector<std::string>& args, rlim_t limitBytes) {
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "ttf2pgf";
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {-1, "", "pipe failed"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limitBytes, limitBytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string err;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", err};
}

TEST_F(Ttf2pgf, FullDiskFailsInTheRealProgram) {
    const Outcome r = runProgramWithFileLimit({kFont, output_.string(), "18", "i2"}, 4096);
    expectUntouchedFailure(r, 1, "cannot write");
}

TEST_F(Ttf2pgf, RealProgramExitCodes) {
    EXPECT_EQ(runProgramWithFileLimit({kFont, output_.string(), "5", "i2"}, RLIM_INFINITY).code, 2);
    EXPECT_EQ(runProgramWithFileLimit({"--help"}, RLIM_INFINITY).code, 0);
    EXPECT_EQ(runProgramWithFileLimit({kFont, output_.string(), "18", "i2"}, RLIM_INFINITY).code,
              0);
}

TEST_F(Ttf2pgf, RenderDrawsTextIntoAPng) {
    ASSERT_EQ(run({kFont, output_.string(), "18", "i2"}).code, 0);
    const fs::path png = dir_ / "text.png";
    const Outcome r = run({"--render", output_.string(), "Ünïcode _€", png.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readText(png).substr(1, 3), "PNG");
    EXPECT_EQ(r.err, "");
    // Characters the file does not hold are named once each, with what the handheld shows.
    const Outcome cyrillic =
        run({"--render", output_.string(), "A\u041F\u0440A\u041F", png.string()});
    ASSERT_EQ(cyrillic.code, 0) << cyrillic.err;
    EXPECT_EQ(cyrillic.err, "ttf2pgf: note: \"" + output_.filename().string() +
                                "\" does not hold 2 characters of the text: U+041F U+0440; the "
                                "handheld shows them as \"_\"\n");
    // A file that is not a PGF is refused and no image appears.
    const Outcome bad = run({"--render", kFont, "text", (dir_ / "bad.png").string()});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("not a PGF file"), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists(dir_ / "bad.png"));
    EXPECT_EQ(run({"--render", output_.string()}).code, 2);
}

TEST_F(Ttf2pgf, RenderTakesABackgroundAnywhereAfterRender) {
    ASSERT_EQ(run({kFont, output_.string(), "22", "i4"}).code, 0);
    const std::string pgf = output_.string();
    const auto draw = [&](std::vector<std::string> args) {
        const fs::path png = dir_ / "text.png";
        fs::remove(png);
        for (std::string& a : args)
            a = a == "PGF" ? pgf : a == "PNG" ? png.string() : a;
        const Outcome r = run(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return readText(png);
    };
    const std::string usual = draw({"--render", "PGF", "AV Ty", "PNG"});
    EXPECT_EQ(draw({"--render", "PGF", "AV Ty", "PNG", "--background", "34548c"}), usual);
    const std::string black = draw({"--render", "--background", "000000", "PGF", "AV Ty", "PNG"});
    EXPECT_NE(black, usual);
    EXPECT_EQ(draw({"--render", "PGF", "--background", "000000", "AV Ty", "PNG"}), black);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--background", "12345"},
                                               {"--background", "1234567"},
                                               {"--background", "GG0000"},
                                               {"--background", "#34548"},
                                               {"--background"}}) {
        std::vector<std::string> args = {"--render", pgf, "AV", (dir_ / "bad.png").string()};
        args.insert(args.end(), bad.begin(), bad.end());
        const Outcome r = run(args);
        EXPECT_EQ(r.code, 2) << bad.back();
        EXPECT_NE(r.err.find("--background"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir_ / "bad.png"));
    }
    EXPECT_EQ(run({kFont, pgf, "18", "i2", "--background", "000000"}).code, 2);
}

TEST(Ttf2pgfInfo, HelpAndVersion) {
    for (const char* help : {"--help", "-h"}) {
        std::ostringstream out, err;
        EXPECT_EQ(runTtf2pgf({help}, out, err), 0) << help;
        EXPECT_NE(out.str().find("wrote OUTPUT: "), std::string::npos);
        EXPECT_TRUE(err.str().empty());
    }
    for (const char* version : {"--version", "-v"}) {
        std::ostringstream out, err;
        EXPECT_EQ(runTtf2pgf({version}, out, err), 0) << version;
        EXPECT_EQ(out.str().rfind("ttf2pgf ", 0), 0u);
        EXPECT_TRUE(err.str().empty());
    }
    std::ostringstream out, err;
    EXPECT_EQ(runTtf2pgf({"--help"}, out, err), 0);
    for (const char* part : {"[--allow-missing] [--characters SETS] FONT OUTPUT SIZE iSHADOW",
                             "latin-extended", "greek", "cyrillic", "69 KB", "japanese", "korean",
                             "--face N", "[--japanese FONT3] [--korean FONT4]"})
        EXPECT_NE(out.str().find(part), std::string::npos) << part;
    EXPECT_EQ(runTtf2pgf({"--allow-missing", "--render", "a.pgf", "x", "a.png"}, out, err), 2);
    EXPECT_EQ(runTtf2pgf({"-h", "--allow-missing"}, out, err), 2);
}

TEST(Ttf2pgfInfo, CountsOfArgumentsAreSpeltRight) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"a.ttf"}, "got 1 argument ("},
        {{"a.ttf", "b.pgf"}, "got 2 arguments ("},
        {{"--render", "a.pgf"}, "got 1 argument\n"},
        {{"--render", "a.pgf", "b"}, "got 2 arguments\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runTtf2pgf(c.args, out, err), 2);
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
}

} // namespace
} // namespace korven::converter
