// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesBench.h"
#include "consistfiles/BackupNames.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/UserConsistRestore.h"
#include "core/TextRules.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

// 2026-12-06 20:58:07 UTC, the bench's clock.
constexpr std::time_t kBenchTime = 1796590687;

std::string document(int number) {
    return userConsistFile(
        {userTemplate("d:id=\"" + std::to_string(number) + "\"", "C" + std::to_string(number), {{"a.xml"}})});
}

std::vector<std::string> contents(const std::vector<UserConsistBackup>& backups) {
    std::vector<std::string> texts;
    for (const UserConsistBackup& backup : backups) {
        texts.push_back(fileText(backup.file));
    }
    return texts;
}

TEST(BackupNames, ANumberedNameCarriesTheUtcTimeAndTheNumber) {
    EXPECT_EQ(numberedBackupFileName({kBenchTime, 42}), "ConsistTemplates-20261206T205807Z-0042.bin");
    EXPECT_EQ(numberedBackupFileName({kBenchTime, 12345}), "ConsistTemplates-20261206T205807Z-12345.bin");
    EXPECT_EQ(parseNumberedBackupName("ConsistTemplates-20261206T205807Z-0042.bin"),
              (NumberedBackupName{kBenchTime, 42}));
    EXPECT_EQ(parseNumberedBackupName("ConsistTemplates-20261206T205807Z-12345.bin"),
              (NumberedBackupName{kBenchTime, 12345}));
    for (const char* other :
         {"ConsistTemplates-20261206T205807Z-0042.xml", "consisttemplates-20261206T205807Z-0042.bin",
          "ConsistTemplates-20261206T205807-0042.bin", "ConsistTemplates-20261206T205807Z-042.bin",
          "ConsistTemplates-20261206T205807Z-00x2.bin", "ConsistTemplates-20261306T205807Z-0042.bin",
          "ConsistTemplates-20260230T205807Z-0042.bin",
          "ConsistTemplates-20261206T205807Z-12345678901234567890.bin",
          "ConsistTemplates-20261206-205807.bin", "GameFolder.txt"}) {
        EXPECT_EQ(parseNumberedBackupName(other), std::nullopt) << other;
    }
    EXPECT_EQ(unnumberedBackupTakenAt("ConsistTemplates-20261206-205807.bin"), "2026-12-06 20:58:07");
    for (const char* other :
         {"ConsistTemplates-20261206-205807.xml", "ConsistTemplates-20261206205807.bin",
          "ConsistTemplates-2026120x-205807.bin", "ConsistTemplates-20261206T205807Z-0042.bin"}) {
        EXPECT_EQ(unnumberedBackupTakenAt(other), std::nullopt) << other;
    }
    // The digest of a path is the same on every run and differs for another path.
    EXPECT_EQ(gameFolderDigest("/games/Vantor"), gameFolderDigest(std::string("/games/") + "Vantor"));
    EXPECT_EQ(gameFolderDigest("").size(), 16u);
    EXPECT_EQ(gameFolderDigest(""), "cbf29ce484222325");
    EXPECT_NE(gameFolderDigest("/games/Vantor"), gameFolderDigest("/games/Vantor2"));
}

// Whatever the clock does and whatever copies were there before, every write leaves the file as it
// was before it in the newest copy, and the newest 20 copies stay, ordered by when they were taken.
TEST(UserConsistBackups, TheCopyJustMadeHoldsTheFileAsItWasWhateverTheClockDid) {
    using std::chrono::hours;
    using std::chrono::seconds;
    struct Case {
        const char* name;
        std::vector<std::string> before;                        // copies already there, below Backups/
        std::vector<std::chrono::system_clock::duration> steps; // the clock's move before each write
    };
    std::vector<std::chrono::system_clock::duration> backAnHour(21, seconds(1));
    backAnHour.push_back(-hours(1));
    const std::vector<std::chrono::system_clock::duration> burst(40, seconds(0));
    const std::vector<std::chrono::system_clock::duration> steady(25, seconds(1));
    const std::vector<Case> cases = {
        {"clock back an hour after 21 writes", {}, backAnHour},
        {"40 writes within one second", {}, burst},
        {"a numbered copy from the future", {"GAME/ConsistTemplates-20991231T235959Z-0007.bin"}, steady},
        {"an unnumbered copy from the future", {"ConsistTemplates-20991231-235959.bin"}, burst},
        {"a high number", {"GAME/ConsistTemplates-20200101T000000Z-9999.bin"}, steady},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        const fs::path game = bench.backups.folderFor(bench.contentFolder());
        for (const std::string& name : c.before) {
            const std::string relative =
                name.starts_with("GAME/") ? game.filename().string() + name.substr(4) : name;
            bench.temp.write(fs::path("program/Backups") / relative, "kept before");
        }
        std::vector<std::string> asItWas;
        for (std::size_t k = 0; k < c.steps.size(); ++k) {
            bench.writeGameFile(document(static_cast<int>(k)));
            bench.clock.advance(c.steps[k]);
            ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
            asItWas.push_back(document(static_cast<int>(k)));
            const std::vector<UserConsistBackup> kept = bench.backups.list(bench.contentFolder());
            ASSERT_FALSE(kept.empty());
            ASSERT_EQ(fileText(kept.front().file), asItWas.back()) << k;
            EXPECT_EQ(kept.front().taken,
                      localTimeText(std::chrono::system_clock::to_time_t(bench.clock.now())));
        }
        std::vector<UserConsistBackup> kept = bench.backups.list(bench.contentFolder());
        const bool unnumberedBefore = !c.before.empty() && !c.before[0].starts_with("GAME/");
        if (unnumberedBefore) {
            // Kept and listed last, never counted or pruned.
            ASSERT_FALSE(kept.empty());
            EXPECT_EQ(kept.back().file, bench.backups.folder() / c.before[0]);
            EXPECT_EQ(kept.back().sequence, std::nullopt);
            kept.pop_back();
        }
        ASSERT_EQ(kept.size(), UserConsistBackups::kKept);
        const std::vector<std::string> newest(asItWas.rbegin(), asItWas.rbegin() + UserConsistBackups::kKept);
        EXPECT_EQ(contents(kept), newest);
        for (std::size_t k = 1; k < kept.size(); ++k) {
            EXPECT_EQ(*kept[k].sequence + 1, *kept[k - 1].sequence);
        }
    }
}

TEST(UserConsistBackups, EachGameFolderHasItsOwnCopiesAndItsOwnLimit) {
    Bench bench;
    const fs::path secondContent = bench.temp.path() / "second" / "Content";
    const fs::path secondGameFile = secondContent / "ConsistTemplates.bin";
    // A folder whose digest name is taken by another game's copies gets the next free name.
    const fs::path taken = bench.backups.folder() / gameFolderDigest((bench.temp.path() / "second").string());
    bench.temp.write(fs::path("program/Backups") / taken.filename() / "GameFolder.txt", "/elsewhere/game");
    bench.temp.write(fs::path("program/Backups") / taken.filename() /
                         "ConsistTemplates-20261206T205807Z-0001.bin",
                     document(99));
    bench.temp.write("program/Backups/ConsistTemplates-20261101-101010.bin", document(98));
    for (int k = 0; k < 25; ++k) {
        bench.writeGameFile(document(k));
        ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
    }
    for (int k = 100; k < 103; ++k) {
        bench.temp.write(secondGameFile.lexically_relative(bench.temp.path()), document(k));
        ASSERT_EQ(bench.backups.keep(secondGameFile), std::nullopt);
    }

    const fs::path first = bench.backups.folderFor(bench.contentFolder());
    const fs::path second = bench.backups.folderFor(secondContent);
    EXPECT_EQ(first.filename(), gameFolderDigest(bench.temp.gameFolder().string()));
    EXPECT_EQ(second.filename(), taken.filename().string() + "-2");
    EXPECT_EQ(fileText(first / "GameFolder.txt"), bench.temp.gameFolder().string());
    EXPECT_EQ(fileText(second / "GameFolder.txt"), (bench.temp.path() / "second").string());

    const std::vector<UserConsistBackup> firstKept = bench.backups.list(bench.contentFolder());
    const std::vector<UserConsistBackup> secondKept = bench.backups.list(secondContent);
    ASSERT_EQ(firstKept.size(), UserConsistBackups::kKept + 1);
    ASSERT_EQ(secondKept.size(), 4u);
    EXPECT_EQ(fileText(firstKept[0].file), document(24));
    EXPECT_EQ(contents(secondKept),
              (std::vector<std::string>{document(102), document(101), document(100), document(98)}));
    EXPECT_EQ(firstKept.back().file, bench.backups.folder() / "ConsistTemplates-20261101-101010.bin");
    EXPECT_EQ(fileText(taken / "ConsistTemplates-20261206T205807Z-0001.bin"), document(99))
        << "the other game's copy stays";
}

// A copy chosen in an open restore window (held) or being put back (spared) outlives pruning.
TEST(UserConsistBackups, AHeldOrSparedCopyIsNotPruned) {
    for (const bool held : {true, false}) {
        Bench bench;
        for (int k = 0; k < 20; ++k) {
            bench.writeGameFile(document(k));
            ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
        }
        const std::vector<UserConsistBackup> listed = bench.backups.list(bench.contentFolder());
        ASSERT_FALSE(listed.empty());
        const fs::path oldest = listed.back().file;
        if (held) {
            bench.backups.hold(oldest);
        }
        ASSERT_EQ(bench.backups.keep(bench.gameFile(), held ? std::nullopt : std::optional(oldest)),
                  std::nullopt);
        ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
        EXPECT_EQ(fs::exists(oldest), held) << "a spared copy is spared once";
        const std::vector<UserConsistBackup> kept = bench.backups.list(bench.contentFolder());
        EXPECT_EQ(kept.size(), UserConsistBackups::kKept + (held ? 1 : 0));
        bench.backups.hold(std::nullopt);
        ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
        EXPECT_FALSE(fs::exists(oldest));
        EXPECT_EQ(bench.backups.list(bench.contentFolder()).size(), UserConsistBackups::kKept);
    }
}

TEST(UserConsistRestore, AUserConsistDocumentIsARecordSetWhoseTemplatesAllClose) {
    const std::string whole = userConsistFile({userTemplate(R"(d:id="1")", "A", {{"a.xml"}})});
    const std::string empty = "<?xml version=\"1.0\"?>\r\n<cRecordSet xmlns:d=\"x\" d:id=\"1\">\r\n"
                              "\t<Record/>\r\n</cRecordSet>";
    struct Case {
        std::string text;
        bool document;
    };
    const std::vector<Case> cases = {
        {whole, true},
        {empty, true},
        {userConsistFile({}), true},
        {userConsistFile({"\t\t<cConsistTemplate d:id=\"5\"/>\r\n"}), true},
        {whole.substr(0, whole.size() / 2), false},
        {whole.substr(0, whole.rfind("</cRecordSet>")), false},
        {whole + "\r\n<cRecordSet>", false},
        {userConsistFile({"\t\t<cConsistTemplate d:id=\"5\">\r\n"}), false},
        {userConsistFile({"\t\t</cConsistTemplate>\r\n"}), false},
        {"<?xml version=\"1.0\"?>\r\n<cBlueprintLoader d:id=\"1\">\r\n\t<Record>\r\n\t</Record>\r\n"
         "</cBlueprintLoader>",
         false},
        {"just some text", false},
        {"", false},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        EXPECT_EQ(isUserConsistDocument(splitXmlLines(cases[k].text)), cases[k].document) << k;
    }
}

// A copy that is truncated, text, empty, a folder, or rejected by the converter is listed as an
// unreadable copy and never written over the game's file, also when it was damaged after listing.
TEST(UserConsistRestore, OnlyACopyTheConverterReadsAsUserConsistsIsPutBack) {
    Bench bench;
    const std::string current = document(1);
    bench.writeGameFile(current);
    const fs::path game = bench.backups.folderFor(bench.contentFolder());
    const auto copyNamed = [&](int number) {
        return game / numberedBackupFileName({kBenchTime, static_cast<std::uint64_t>(number)});
    };
    const std::string good = document(2);
    bench.temp.write(copyNamed(1).lexically_relative(bench.temp.path()), good.substr(0, good.size() - 9));
    bench.temp.write(copyNamed(2).lexically_relative(bench.temp.path()), "Some notes\r\n");
    bench.temp.write(copyNamed(3).lexically_relative(bench.temp.path()), "");
    fs::create_directories(copyNamed(4));
    bench.temp.write(copyNamed(5).lexically_relative(bench.temp.path()), "corrupt " + good);
    bench.temp.write(copyNamed(6).lexically_relative(bench.temp.path()), good);

    UserConsistRestore restore(bench.services);
    const std::vector<BackupChoice> choices = restore.choices(bench.contentFolder());
    ASSERT_EQ(choices.size(), 6u);
    for (std::size_t k = 0; k < choices.size(); ++k) {
        EXPECT_EQ(choices[k].restorable, k == 0) << k;
        EXPECT_EQ(choices[k].consistNames,
                  k == 0 ? std::vector<std::string>{"C2"} : std::vector<std::string>{})
            << k;
    }
    // The good copy is damaged after it was listed: the check before the write finds it.
    bench.temp.write(copyNamed(6).lexically_relative(bench.temp.path()), "Some notes\r\n");
    for (const BackupChoice& choice : choices) {
        bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
        EXPECT_EQ(restore.restore(choice.backup, bench.contentFolder()), RestoreResult::NotWritten);
        ASSERT_FALSE(bench.messages.shown().empty());
        EXPECT_EQ(bench.messages.shown().back().text,
                  "Operation aborted.\r\n\r\nThe copy of " + backupLabel(choice.backup) +
                      " is an unreadable copy: the converter does not read it as user consists.\r\n\r\n"
                      "ConsistTemplates.bin was left as it was.");
        EXPECT_EQ(bench.messages.shown().back().icon, MessageIcon::Exclamation);
        EXPECT_EQ(fileText(bench.gameFile()), current);
    }
    EXPECT_EQ(bench.backups.list(bench.contentFolder()).size(), 6u) << "nothing written, no copy kept";
}

// The question promises a copy of the file as it is only when there is one; the copy put back, the
// oldest of 20, is still there afterwards.
TEST(UserConsistRestore, TheQuestionPromisesACopyOnlyWhenThereIsAFileAndTheOldestCopyStays) {
    for (const bool fileThere : {true, false}) {
        SCOPED_TRACE(fileThere);
        Bench bench;
        for (int k = 0; k < 20; ++k) {
            bench.writeGameFile(document(k));
            ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
        }
        if (!fileThere) {
            fs::remove(bench.gameFile());
        }
        const std::vector<UserConsistBackup> listed = bench.backups.list(bench.contentFolder());
        ASSERT_FALSE(listed.empty());
        const UserConsistBackup oldest = listed.back();
        bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
        EXPECT_EQ(UserConsistRestore(bench.services).restore(oldest, bench.contentFolder()),
                  RestoreResult::Restored);
        const std::string question = "Put back the user consists of the copy of 2026-12-06 20:58:07 #1?";
        EXPECT_EQ(bench.messages.shown().at(0).text,
                  fileThere ? question + "\r\n\r\nThe file as it is now is kept as a copy first." : question);
        EXPECT_EQ(fileText(bench.gameFile()), document(0));
        const std::vector<UserConsistBackup> kept = bench.backups.list(bench.contentFolder());
        ASSERT_EQ(kept.size(), UserConsistBackups::kKept + (fileThere ? 1 : 0));
        EXPECT_EQ(kept.back(), oldest);
        if (fileThere) {
            EXPECT_EQ(fileText(kept.front().file), document(19));
        }
    }
}

// Random saves into two game folders, clock jumps both ways, copies damaged, chosen in the restore
// window and put back: after every write the file as it was before it is in its game's newest copy,
// the newest 20 copies of each game stay as they were made, a restore lists and writes only its own
// game's copies, and the game's file never holds a copy the converter cannot read.
TEST(UserConsistBackups, RandomWritesClockJumpsTwoGamesAndDamagedCopiesLoseNothing) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        Bench bench;
        struct Game {
            fs::path content;
            std::vector<fs::path> made; // every copy in the order it was made
        };
        std::array<Game, 2> games{Game{bench.contentFolder(), {}},
                                  Game{bench.temp.path() / "other" / "Content", {}}};
        fs::create_directories(games[1].content);
        std::map<fs::path, std::string> copyText; // what each copy held when it was made
        std::map<fs::path, bool> damaged;
        std::set<std::string> saved; // every file a save left
        int written = 0;
        const auto gameFileOf = [](const Game& game) { return game.content / "ConsistTemplates.bin"; };
        // The game's file as it is; empty optional when there is none.
        const auto fileOf = [&](const Game& game) -> std::optional<std::string> {
            return fs::exists(gameFileOf(game)) ? std::optional(fileText(gameFileOf(game))) : std::nullopt;
        };
        const auto noteNewCopy = [&](Game& game, const std::optional<std::string>& before) {
            if (!before) {
                return;
            }
            const std::vector<UserConsistBackup> kept = bench.backups.list(game.content);
            ASSERT_FALSE(kept.empty());
            ASSERT_EQ(fileText(kept.front().file), *before) << "the file as it was before the write";
            ASSERT_TRUE(game.made.empty() || game.made.back() != kept.front().file);
            game.made.push_back(kept.front().file);
            copyText[kept.front().file] = *before;
        };

        for (int step = 0; step < 150; ++step) {
            Game& game = games[static_cast<std::size_t>(below(2))];
            const int action = below(10);
            if (action < 4) { // a save
                const std::optional<std::string> before = fileOf(game);
                ++written;
                QueuedRandomSource draws;
                draws.queue(0.5);
                draws.queue(0.25);
                bench.answer({MessageAnswer::OK});
                consisttest::RecordingObserver observer;
                ASSERT_EQ(UserConsistSaver(bench.services, draws)
                              .saveUserConsist("C" + std::to_string(written),
                                               {consisttest::record("Unit", "u.xml") + "|0"}, game.content,
                                               observer),
                          SaveResult::Saved);
                saved.insert(*fileOf(game));
                noteNewCopy(game, before);
            } else if (action < 6) { // the clock jumps
                const std::chrono::seconds jumps[] = {std::chrono::hours(-5), std::chrono::seconds(-1),
                                                      std::chrono::seconds(0), std::chrono::seconds(1),
                                                      std::chrono::hours(3)};
                bench.clock.advance(jumps[below(5)]);
            } else if (action < 7 && !game.made.empty()) { // a copy is damaged
                const fs::path victim =
                    game.made[static_cast<std::size_t>(below(static_cast<int>(game.made.size())))];
                if (fs::exists(victim)) {
                    const std::string damages[] = {copyText[victim].substr(0, copyText[victim].size() / 2),
                                                   "notes", "", "corrupt"};
                    std::ofstream(victim, std::ios::binary | std::ios::trunc) << damages[below(4)];
                    damaged[victim] = true;
                }
            } else if (action < 8) { // a copy is chosen in the restore window, or the window closed
                const std::vector<UserConsistBackup> kept = bench.backups.list(game.content);
                bench.backups.hold(
                    kept.empty() || below(3) == 0
                        ? std::nullopt
                        : std::optional(
                              kept[static_cast<std::size_t>(below(static_cast<int>(kept.size())))].file));
            } else { // a listed copy is put back
                const std::vector<BackupChoice> choices =
                    UserConsistRestore(bench.services).choices(game.content);
                if (choices.empty()) {
                    continue;
                }
                const BackupChoice& choice =
                    choices[static_cast<std::size_t>(below(static_cast<int>(choices.size())))];
                ASSERT_EQ(choice.backup.file.parent_path(), bench.backups.folderFor(game.content))
                    << "only the game's own copies are listed";
                ASSERT_EQ(choice.restorable, !damaged[choice.backup.file]);
                const std::optional<std::string> before = fileOf(game);
                bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
                const RestoreResult result =
                    UserConsistRestore(bench.services).restore(choice.backup, game.content);
                if (damaged[choice.backup.file]) {
                    ASSERT_EQ(result, RestoreResult::NotWritten);
                    ASSERT_EQ(fileOf(game), before);
                } else {
                    ASSERT_EQ(result, RestoreResult::Restored);
                    ASSERT_EQ(fileOf(game), copyText[choice.backup.file]);
                    ASSERT_TRUE(fs::exists(choice.backup.file)) << "the copy put back stays";
                    noteNewCopy(game, before);
                }
            }
            // The newest 20 copies of each game are there as they were made, unless damaged on purpose.
            for (const Game& each : games) {
                for (std::size_t k = each.made.size() > 20 ? each.made.size() - 20 : 0; k < each.made.size();
                     ++k) {
                    const fs::path& copy = each.made[k];
                    ASSERT_TRUE(fs::exists(copy)) << copy;
                    if (!damaged[copy]) {
                        ASSERT_EQ(fileText(copy), copyText[copy]) << copy;
                    }
                }
                if (const std::optional<std::string> now = fileOf(each)) {
                    ASSERT_TRUE(saved.contains(*now)) << "never a damaged copy";
                }
            }
        }
        EXPECT_GT(games[0].made.size(), 20u);
    }
}

} // namespace
} // namespace dovrel
