#include "../family/FamilyFonts.h"
#include "RunTtf2pgf.h"
#include "converter/command/Files.h"
#include "converter/rules/Backup.h"
#include "converter/rules/FolderLock.h"
#include "converter/rules/Journal.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace korven::converter {
namespace {

namespace fs = std::filesystem;
using testing::FontFolder;
using testing::Outcome;
using testing::readText;
using testing::runCommand;
using testing::snapshot;

const std::string kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string slot(int n) {
    return "ltn" + std::to_string(n) + ".pgf";
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<fs::path> entries(const fs::path& folder) {
    std::vector<fs::path> all;
    if (fs::exists(folder))
        for (const auto& e : fs::directory_iterator(folder))
            all.push_back(e.path());
    std::sort(all.begin(), all.end());
    return all;
}

class Replace : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kFont))
            FAIL() << kFont << " is needed (scripts/install-deps.sh)";
        std::ofstream(out_.root() / "readme.txt") << "the user's own file";
    }
    void TearDown() override { setFreeRoomForTesting(std::nullopt); }

    std::string out() const { return out_.root().string(); }
    std::string backups() const { return (keep_.root() / "backups").string(); }

    FontFolder out_, keep_;
};

TEST(Crc32, IsTheUsualOne) {
    EXPECT_EQ(crc32Of(bytesOf("123456789")), 0xCBF43926u);
}

// What a backup holds: the earlier files the run changed, byte for byte, and a manifest of
// their folder, sizes and checksums; nothing for a file that is new or would not change.
TEST_F(Replace, BackupsKeepTheEarlierFilesThatChange) {
    const struct {
        const char* name;
        bool set;
        std::vector<int> earlier; // slots with an earlier file
        std::vector<int> kept;
    } cases[] = {
        {"single over an earlier file", false, {0}, {0}},
        {"single, nothing earlier", false, {}, {}},
        {"set over part of a set", true, {0, 4, 15}, {0, 4, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FontFolder out, keep;
        for (int n : c.earlier)
            std::ofstream(out.root() / slot(n)) << "earlier " << n;
        const std::string root = (keep.root() / "backups").string();
        const Outcome r =
            c.set ? runCommand(
                        {"--set", kFont, out.root().string(), "18", "i2", "--backup-dir", root})
                  : runCommand({"--backup-dir", root, kFont, out.path("ltn0.pgf"), "18", "i2"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out.find("backup"), std::string::npos) << "standard output is as without";
        const std::vector<Backup> made = listBackups(root);
        if (c.kept.empty()) {
            EXPECT_TRUE(made.empty());
            continue;
        }
        ASSERT_EQ(made.size(), 1u);
        const Backup& b = made.front();
        EXPECT_EQ(b.folder, out.root().string());
        EXPECT_NE(r.err.find("kept the earlier ltn0.pgf"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(b.path), std::string::npos) << r.err;
        ASSERT_EQ(b.files.size(), c.kept.size());
        for (std::size_t i = 0; i < c.kept.size(); ++i) {
            const std::string earlier = "earlier " + std::to_string(c.kept[i]);
            EXPECT_EQ(b.files[i].name, slot(c.kept[i]));
            EXPECT_EQ(b.files[i].size, earlier.size());
            EXPECT_EQ(b.files[i].crc, crc32Of(bytesOf(earlier)));
        }
        EXPECT_NO_THROW(readBackupFiles(b));
        EXPECT_EQ(entries(b.path).size(), c.kept.size() + 1) << "the files and the manifest";
        // Written again with the same bytes: nothing changes, so nothing is kept.
        const Outcome again =
            c.set ? runCommand(
                        {"--set", kFont, out.root().string(), "18", "i2", "--backup-dir", root})
                  : runCommand({"--backup-dir", root, kFont, out.path("ltn0.pgf"), "18", "i2"});
        EXPECT_EQ(again.code, 0);
        EXPECT_EQ(listBackups(root).size(), 1u);
    }
}

TEST_F(Replace, AFailedSetKeepsNoBackup) {
    std::ofstream(out_.root() / "ltn0.pgf") << "earlier";
    fs::create_directory(out_.root() / "ltn9.pgf"); // the rename fails on it
    const auto before = snapshot(out_.root());
    const Outcome r = runCommand({"--set", kFont, out(), "18", "i2", "--backup-dir", backups()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(snapshot(out_.root()), before);
    EXPECT_TRUE(listBackups(backups()).empty());
    EXPECT_TRUE(entries(backups()).empty()) << "no part of a backup either";
}

// Without its backup nothing is replaced, and the error says why.
TEST_F(Replace, NothingIsReplacedWithoutItsBackup) {
    std::ofstream(out_.root() / "ltn0.pgf") << "earlier";
    std::ofstream(backups()) << "a file where the backups would go";
    const auto before = snapshot(out_.root());
    for (const bool set : {false, true}) {
        const Outcome r =
            set ? runCommand({"--set", kFont, out(), "18", "i2", "--backup-dir", backups()})
                : runCommand({"--backup-dir", backups(), kFont, out_.path("ltn0.pgf"), "18", "i2"});
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find("cannot make a backup in \"" + backups() + "\": "), std::string::npos)
            << r.err;
        EXPECT_EQ(snapshot(out_.root()), before);
    }
}

// A backup of ltn0.pgf and ltn4.pgf, meeting the folder as each case leaves it.
TEST_F(Replace, RestoreIsAllOrNothing) {
    const struct {
        const char* name;
        std::function<void(const fs::path& folder, const Backup&)> change;
        int code;
        const char* says;
    } cases[] = {
        {"files changed since",
         [](const fs::path& f, const Backup&) {
             std::ofstream(f / "ltn0.pgf") << "newer 0";
             fs::remove(f / "ltn4.pgf");
         },
         0, "restored 2 files to "},
        {"a copy damaged",
         [](const fs::path&, const Backup& b) {
             std::ofstream(fs::path(b.path) / "ltn4.pgf") << "damaged";
         },
         1, "\"ltn4.pgf\" is not the file it kept"},
        {"a name now a folder",
         [](const fs::path& f, const Backup&) {
             std::ofstream(f / "ltn0.pgf") << "newer 0";
             fs::remove(f / "ltn4.pgf");
             fs::create_directory(f / "ltn4.pgf");
         },
         1, "ltn4.pgf\": Is a directory"},
        {"the folder gone", [](const fs::path& f, const Backup&) { fs::remove_all(f); }, 1,
         "\" it came from does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FontFolder out, keep;
        const std::string root = (keep.root() / "backups").string();
        std::ofstream(out.root() / "ltn0.pgf") << "earlier 0";
        std::ofstream(out.root() / "ltn4.pgf") << "earlier 4";
        const Backup b =
            makeBackup(root, out.root().string(), {"ltn0.pgf", "ltn4.pgf", "ltn9.pgf"});
        ASSERT_EQ(b.files.size(), 2u) << "only files that exist";
        c.change(out.root(), b);
        const auto before =
            fs::exists(out.root()) ? snapshot(out.root()) : decltype(snapshot(""))();
        const Outcome r = runCommand({"--restore", b.path});
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE((r.out + r.err).find(c.says), std::string::npos) << r.out << r.err;
        if (c.code != 0) {
            EXPECT_EQ(r.out, "");
            if (fs::exists(out.root())) {
                EXPECT_EQ(snapshot(out.root()), before);
            }
            EXPECT_EQ(entries(root).size(), 1u) << "no new backup";
            continue;
        }
        EXPECT_EQ(readText(out.root() / "ltn0.pgf"), "earlier 0");
        EXPECT_EQ(readText(out.root() / "ltn4.pgf"), "earlier 4");
        // What the restore replaced is itself kept, and can be restored in turn.
        const std::vector<Backup> all = listBackups(root);
        ASSERT_EQ(all.size(), 2u);
        const Backup& kept = all.front().path == b.path ? all.back() : all.front();
        ASSERT_EQ(kept.files.size(), 1u);
        EXPECT_EQ(kept.files[0].name, "ltn0.pgf");
        EXPECT_EQ(runCommand({"--restore", kept.path}).code, 0);
        EXPECT_EQ(readText(out.root() / "ltn0.pgf"), "newer 0");
    }
}

// A set stopped after each of its steps, as a kill would stop it, leaves the folder as it was
// or as the set makes it once the next run has tidied it: never a mix, never a hidden file.
// Both ways of keeping an earlier file aside: a hard link, and a move on a memory stick.
TEST_F(Replace, ASetStoppedAtAnyStepIsUndoneByTheNextRun) {
    constexpr int kFiles = 6; // two new (ltn0, ltn3), four replacing earlier files
    std::ofstream(out_.root() / ".config") << "the user's own hidden file";
    std::vector<std::string> newBytes;
    std::vector<FileContents> files;
    for (int n = 0; n < kFiles; ++n) {
        if (n % 3 != 0)
            std::ofstream(out_.root() / slot(n)) << "earlier " << n;
        newBytes.push_back("new " + std::to_string(n));
    }
    for (const std::string& bytes : newBytes) {
        const auto n = static_cast<int>(files.size());
        files.push_back({out_.path(slot(n)),
                         {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}});
    }
    const auto earlier = snapshot(out_.root());
    FontFolder copy;
    fs::copy(out_.root(), copy.root(), fs::copy_options::recursive);
    writeFilesTogether(files);
    const auto complete = snapshot(out_.root());
    for (const bool links : {true, false}) {
        useHardLinksForTesting(links);
        int steps = 0;
        for (int step = 1; step < 100 && steps == 0; ++step) {
            SCOPED_TRACE(
                (links ? "hard links, stopped after step " : "moved, stopped after step ") +
                std::to_string(step));
            fs::remove_all(out_.root());
            fs::copy(copy.root(), out_.root());
            stopWritesAfterStepForTesting(step);
            try {
                writeFilesTogether(files);
                steps = step - 1;
            } catch (const StoppedForTesting&) {
            }
            stopWritesAfterStepForTesting(0);
            finishInterruptedWrite(out_.root().string());
            const auto after = snapshot(out_.root());
            EXPECT_TRUE(after == earlier || after == complete);
        }
        // The temporary files, the journal, four kept aside, the renames, the journal removed,
        // four kept-aside files removed.
        EXPECT_EQ(steps, kFiles + 1 + 4 + kFiles + 1 + 4);
    }
    useHardLinksForTesting(true);
}

// A run still writing into the folder holds it: its journal and hidden files are not taken for
// leftovers, and a second run is refused without touching anything.
TEST_F(Replace, AFolderAnotherRunIsWritingIntoIsLeftAlone) {
    std::ofstream(out_.root() / slot(1)) << "earlier 1";
    const std::vector<std::uint8_t> bytes = bytesOf("new"); // the files only point to them
    const std::vector<FileContents> files{{out_.path(slot(0)), bytes}, {out_.path(slot(1)), bytes}};
    stopWritesAfterStepForTesting(3); // the new files and the journal written, nothing renamed
    EXPECT_THROW(writeFilesTogether(files), StoppedForTesting);
    stopWritesAfterStepForTesting(0);
    const auto halfWritten = snapshot(out_.root());
    {
        const FolderWriteLock writing = FolderWriteLock::tryTake(out());
        ASSERT_FALSE(writing.busy());
        const std::vector<std::vector<std::string>> runs{{kFont, out_.path(slot(0)), "18", "i2"},
                                                         {"--set", kFont, out(), "18", "i2"}};
        for (const auto& args : runs) {
            const Outcome r = runCommand(args);
            EXPECT_EQ(r.code, 1);
            EXPECT_NE(r.err.find("another run is writing into it now"), std::string::npos) << r.err;
            EXPECT_EQ(snapshot(out_.root()), halfWritten);
        }
        EXPECT_TRUE(FolderWriteLock::tryTake(out()).busy());
    }
    const Outcome r = runCommand({kFont, out_.path(slot(0)), "18", "i2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("ended before it was done"), std::string::npos) << r.err;
    EXPECT_EQ(readText(out_.root() / slot(1)), "earlier 1");
}

// Hidden files an interrupted single conversion or set left; the user's own stay.
TEST_F(Replace, TheNextRunRemovesWhatAnInterruptedRunLeft) {
    const struct {
        const char* name;
        bool removed;
    } files[] = {
        {".ltn0.pgf.Ab12Cd", true},        {".ltn15.pgf.old-1a2b3c4d", true},
        {".MyFont.PGF.zzzzzz", true},      {".ltn0.pgf.Ab12C", false},
        {".ltn0.pgf.old-1A2B3C4D", false}, {".ltn0.txt.Ab12Cd", false},
        {"ltn0.pgf.Ab12Cd", false},        {".config", false},
    };
    for (const auto& f : files)
        std::ofstream(out_.root() / f.name) << "left";
    const Outcome r = runCommand({kFont, out_.path("ltn0.pgf"), "18", "i2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("removed 3 hidden files that an interrupted run left"), std::string::npos)
        << r.err;
    for (const auto& f : files)
        EXPECT_EQ(fs::exists(out_.root() / f.name), !f.removed) << f.name;
}

// Refused in one line before anything is made: no file, no backup.
TEST_F(Replace, AFullDestinationIsRefusedUpFront) {
    std::ofstream(out_.root() / "ltn0.pgf") << "earlier";
    setFreeRoomForTesting(20 * 1024);
    const auto before = snapshot(out_.root());
    for (const bool set : {false, true}) {
        SCOPED_TRACE(set ? "set" : "single");
        const Outcome r =
            set ? runCommand({"--set", kFont, out(), "18", "i2", "--backup-dir", backups()})
                : runCommand({"--backup-dir", backups(), kFont, out_.path("ltn0.pgf"), "18", "i2"});
        EXPECT_EQ(r.code, 1);
        const std::string last = r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1);
        EXPECT_EQ(last.rfind("ttf2pgf: not enough room in \"" + out() + "\": ", 0), 0u) << r.err;
        EXPECT_NE(last.find(" kB needed, 20 kB free"), std::string::npos) << last;
        EXPECT_EQ(snapshot(out_.root()), before);
        EXPECT_FALSE(fs::exists(backups()));
    }
}

// The account a program reads: the outcome of every kind of run, with the files and backups.
TEST_F(Replace, TheAccountTellsWhatTheRunDid) {
    std::ofstream(out_.root() / "ltn0.pgf") << "earlier";
    const std::string account = keep_.path("account.json");
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::optional<std::uint64_t> freeRoom;
        std::vector<std::string> holds;
    } cases[] = {
        {"a file",
         {kFont, out_.path("ltn0.pgf"), "18", "i2", "--backup-dir", backups(), "--characters",
          "U+0378"},
         {},
         {R"("command": "convert", "outcome": "done", "exitCode": 0)",
          R"("files": [{"path": ")" + out_.path("ltn0.pgf") +
              R"(", "bytes": 62624, "glyphs": 339, "leftOut": ["U+0378"]}])",
          R"("backups": [{"path": ")" + backups() + "/",
          R"(", "folder": ")" + out() +
              R"(", "files": [{"name": "ltn0.pgf", "bytes": 7, "crc32": ")",
          R"("notes": ["left out 1 character that \"DejaVuSans.ttf\" does not have: U+0378")",
          R"("errors": []})"}},
        {"a set",
         {"--set", kFont, out(), "18", "i2"},
         {},
         {R"("command": "set", "outcome": "done")",
          R"(", "bytes": 62624, "glyphs": 339, "leftOut": []}, )",
          R"({"path": ")" + out_.path("ltn15.pgf") + R"(", "bytes": )", R"("backups": [],)",
          R"("set": {"sansSerif": "DejaVu Sans", "serif": "DejaVu Sans", "synthesized": []}})"}},
        {"no room",
         {kFont, out_.path("ltn0.pgf"), "18", "i2"},
         1024,
         {R"("outcome": "failed", "exitCode": 1)", R"("files": [],)",
          R"("errors": ["not enough room in \")" + out() + R"(\": 64 kB needed, 1 kB free"]})"}},
        {"a refusal",
         {kFont, out_.path("ltn0.pgf"), "40", "i2"},
         {},
         {R"("command": "", "outcome": "wrong arguments", "exitCode": 2)"}},
        {"a restore",
         {"--restore", ""},
         {},
         {R"("command": "restore", "outcome": "done")",
          R"("files": [{"path": ")" + out_.path("ltn0.pgf") + R"(", "bytes": 7}])"}},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        if (c.args[0] == "--restore")
            c.args[1] = listBackups(backups()).at(0).path;
        setFreeRoomForTesting(c.freeRoom);
        c.args.insert(c.args.begin() + 1, {"--report-json", account});
        const Outcome r = runCommand(c.args);
        setFreeRoomForTesting(std::nullopt);
        const std::string json = readText(account);
        EXPECT_EQ(json.rfind(R"({"program": "ttf2pgf", "version": ")", 0), 0u) << json;
        for (const std::string& part : c.holds)
            EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
        fs::remove(account);
    }
}

TEST(ReplaceArguments, AreRefusedWithCode2) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } rows[] = {
        {{"a.ttf", "ltn0.pgf", "18", "i2", "--backup-dir"}, "--backup-dir expects the folder"},
        {{"--backup-dir", "b", "--render", "a.pgf", "x", "a.png"}, "--backup-dir goes with"},
        {{"--restore", "b", "--backup-dir", "c"}, "--backup-dir goes with"},
        {{"--restore"}, "--restore expects the folder of one backup"},
        {{"--restore", "a", "b"}, "--restore expects the folder of one backup"},
        {{"--fit", "--restore", "a"}, "--restore takes no other option"},
        {{"--restore", "a", "--report-json"}, "--report-json expects the file"},
        {{"--report-json", "a", "--report-json", "b", "--help"}, "--report-json may be given once"},
    };
    for (const auto& row : rows) {
        const Outcome r = runCommand(row.args);
        EXPECT_EQ(r.code, 2) << row.says;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace korven::converter
