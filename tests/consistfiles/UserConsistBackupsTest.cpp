// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesWorld.h"
#include "consistfiles/BackupNames.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/UserConsistRestore.h"
#include "core/TextRules.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using consisttest::World;
using testing::fileText;

constexpr std::time_t kWorldTime = 1796590687; // 2026-12-06 20:58:07 UTC, the world's clock.

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

void writeAndKeep(World& world, int count) {
    for (int k = 0; k < count; ++k) {
        world.writeGameFile(document(k));
        ASSERT_EQ(world.backups.keep(world.gameFile()), std::nullopt);
    }
}

TEST(BackupNames, ANumberedNameCarriesTheUtcTimeAndTheNumber) {
    EXPECT_EQ(numberedBackupFileName({kWorldTime, 42}), "ConsistTemplates-20261206T205807Z-0042.bin");
    EXPECT_EQ(parseNumberedBackupName("ConsistTemplates-20261206T205807Z-12345.bin"),
              (NumberedBackupName{kWorldTime, 12345}));
    for (const char* other :
         {"ConsistTemplates-20261206T205807Z-0042.xml", "ConsistTemplates-20261206T205807Z-042.bin",
          "ConsistTemplates-20260230T205807Z-0042.bin",
          "ConsistTemplates-20261206T205807Z-12345678901234567890.bin",
          "ConsistTemplates-20261206-205807.bin"}) {
        EXPECT_EQ(parseNumberedBackupName(other), std::nullopt) << other;
    }
    EXPECT_EQ(unnumberedBackupTakenAt("ConsistTemplates-20261206-205807.bin"), "2026-12-06 20:58:07");
    EXPECT_EQ(unnumberedBackupTakenAt("ConsistTemplates-20261206T205807Z-0042.bin"), std::nullopt);
    EXPECT_EQ(gameFolderDigest(""), "cbf29ce484222325");
    EXPECT_NE(gameFolderDigest("/games/Vantor"), gameFolderDigest("/games/Vantor2"));
}

// Whatever the clock does and whatever copies were there, the newest copy holds the file as it was
// before the write, and the newest 20 stay, numbered one after another.
TEST(UserConsistBackups, TheCopyJustMadeHoldsTheFileAsItWasWhateverTheClockDid) {
    using Steps = std::vector<std::chrono::system_clock::duration>;
    Steps backAnHour(21, std::chrono::seconds(1));
    backAnHour.push_back(-std::chrono::hours(1));
    const std::pair<Steps, bool> cases[] = {
        {backAnHour, false},
        {Steps(40, std::chrono::seconds(0)), false},
        {Steps(25, std::chrono::seconds(1)), true}}; // a copy from the future
    for (const auto& [steps, futureCopy] : cases) {
        SCOPED_TRACE(steps.size());
        World world;
        if (futureCopy) {
            world.temp.write(fs::path("program/Backups") /
                                 world.backups.folderFor(world.contentFolder()).filename() /
                                 "ConsistTemplates-20991231T235959Z-0007.bin",
                             "kept before");
        }
        std::vector<std::string> asItWas; // newest first
        for (std::size_t k = 0; k < steps.size(); ++k) {
            world.writeGameFile(document(static_cast<int>(k)));
            world.clock.advance(steps[k]);
            ASSERT_EQ(world.backups.keep(world.gameFile()), std::nullopt);
            asItWas.insert(asItWas.begin(), document(static_cast<int>(k)));
            const std::vector<UserConsistBackup> kept = world.backups.list(world.contentFolder());
            ASSERT_EQ(fileText(kept.at(0).file), asItWas.front()) << k;
            EXPECT_EQ(kept[0].taken, localTimeText(std::chrono::system_clock::to_time_t(world.clock.now())));
        }
        const std::vector<UserConsistBackup> kept = world.backups.list(world.contentFolder());
        ASSERT_EQ(kept.size(), UserConsistBackups::kKept);
        EXPECT_EQ(contents(kept), std::vector(asItWas.begin(), asItWas.begin() + UserConsistBackups::kKept));
        for (std::size_t k = 1; k < kept.size(); ++k) {
            EXPECT_EQ(*kept[k].sequence + 1, *kept[k - 1].sequence);
        }
    }
}

// Each game folder has its own copies and limit; a folder whose digest name another game's copies
// took gets the next free name; an old-style copy is listed last and never counted or pruned.
TEST(UserConsistBackups, EachGameFolderHasItsOwnCopiesAndItsOwnLimit) {
    World world;
    const fs::path secondContent = world.temp.path() / "second" / "Content";
    const fs::path secondGameFile = secondContent / "ConsistTemplates.bin";
    const fs::path taken = world.backups.folder() / gameFolderDigest((world.temp.path() / "second").string());
    const fs::path takenCopy = taken / "ConsistTemplates-20261206T205807Z-0001.bin";
    world.temp.write(fs::path("program/Backups") / taken.filename() / "GameFolder.txt", "/elsewhere/game");
    world.temp.write(takenCopy.lexically_relative(world.temp.path()), document(99));
    world.temp.write("program/Backups/ConsistTemplates-20261101-101010.bin", document(98));
    writeAndKeep(world, 25);
    for (int k = 100; k < 103; ++k) {
        world.temp.write(secondGameFile.lexically_relative(world.temp.path()), document(k));
        ASSERT_EQ(world.backups.keep(secondGameFile), std::nullopt);
    }
    const fs::path first = world.backups.folderFor(world.contentFolder());
    const fs::path second = world.backups.folderFor(secondContent);
    EXPECT_EQ(first.filename(), gameFolderDigest(world.temp.gameFolder().string()));
    EXPECT_EQ(second.filename(), taken.filename().string() + "-2");
    EXPECT_EQ(fileText(second / "GameFolder.txt"), (world.temp.path() / "second").string());
    const std::vector<UserConsistBackup> firstKept = world.backups.list(world.contentFolder());
    ASSERT_EQ(firstKept.size(), UserConsistBackups::kKept + 1);
    EXPECT_EQ(fileText(firstKept[0].file), document(24));
    EXPECT_EQ(firstKept.back().file, world.backups.folder() / "ConsistTemplates-20261101-101010.bin");
    EXPECT_EQ(contents(world.backups.list(secondContent)),
              (std::vector<std::string>{document(102), document(101), document(100), document(98)}));
    EXPECT_EQ(fileText(takenCopy), document(99)) << "the other game's copy stays";
}

TEST(UserConsistRestore, AUserConsistDocumentIsARecordSetWhoseTemplatesAllClose) {
    const std::string whole = userConsistFile({userTemplate(R"(d:id="1")", "A", {{"a.xml"}})});
    const std::pair<std::string, bool> cases[] = {
        {whole, true},
        {userConsistFile({"\t\t<cConsistTemplate d:id=\"5\"/>\r\n"}), true},
        {whole.substr(0, whole.rfind("</cRecordSet>")), false},
        {userConsistFile({"\t\t<cConsistTemplate d:id=\"5\">\r\n"}), false},
        {"<?xml version=\"1.0\"?>\r\n<cBlueprintLoader d:id=\"1\">\r\n\t<Record>\r\n\t</Record>\r\n"
         "</cBlueprintLoader>",
         false},
    };
    for (const auto& [text, isDocument] : cases) {
        EXPECT_EQ(isUserConsistDocument(splitXmlLines(text)), isDocument) << text;
    }
}

// A copy that is truncated, text, empty, a folder, or rejected by the converter is listed as an
// unreadable copy and never written over the game's file, also when it was damaged after listing.
TEST(UserConsistRestore, OnlyACopyTheConverterReadsAsUserConsistsIsPutBack) {
    World world;
    world.writeGameFile(document(1));
    const auto copyNamed = [&](std::uint64_t number) {
        return (world.backups.folderFor(world.contentFolder()) / numberedBackupFileName({kWorldTime, number}))
            .lexically_relative(world.temp.path());
    };
    const std::string good = document(2);
    const std::string texts[] = {
        good.substr(0, good.size() - 9), "Some notes\r\n", "", "", "corrupt " + good, good};
    for (std::uint64_t k = 1; k <= 6; ++k) {
        world.temp.write(copyNamed(k), texts[k - 1]);
    }
    fs::remove(world.temp.path() / copyNamed(4));
    fs::create_directories(world.temp.path() / copyNamed(4));

    UserConsistRestore restore(world.services);
    const std::vector<BackupChoice> choices = restore.choices(world.contentFolder());
    ASSERT_EQ(choices.size(), 6u);
    for (std::size_t k = 0; k < choices.size(); ++k) {
        EXPECT_EQ(choices[k].restorable, k == 0) << k;
        EXPECT_EQ(choices[k].consistNames,
                  k == 0 ? std::vector<std::string>{"C2"} : std::vector<std::string>{});
    }
    world.temp.write(copyNamed(6), "Some notes\r\n"); // damaged after it was listed
    for (const BackupChoice& choice : choices) {
        world.answer({MessageAnswer::Yes, MessageAnswer::OK});
        EXPECT_EQ(restore.restore(choice.backup, world.contentFolder()), RestoreResult::NotWritten);
        ASSERT_FALSE(world.messages.shown().empty());
        EXPECT_EQ(world.messages.shown().back().text,
                  "Operation aborted.\r\n\r\nThe copy of " + backupLabel(choice.backup) +
                      " is an unreadable copy: the converter does not read it as user consists.\r\n\r\n"
                      "ConsistTemplates.bin was left as it was.");
        EXPECT_EQ(fileText(world.gameFile()), document(1));
    }
    EXPECT_EQ(world.backups.list(world.contentFolder()).size(), 6u) << "nothing written, no copy kept";
}

// The question promises a copy of the file as it is only when there is one; the copy put back, the
// oldest of 20, is not pruned.
TEST(UserConsistRestore, TheQuestionPromisesACopyOnlyWhenThereIsAFileAndTheOldestCopyStays) {
    for (const bool fileThere : {true, false}) {
        SCOPED_TRACE(fileThere);
        World world;
        writeAndKeep(world, 20);
        if (!fileThere) {
            fs::remove(world.gameFile());
        }
        const UserConsistBackup oldest = world.backups.list(world.contentFolder()).at(19);
        world.answer({MessageAnswer::Yes, MessageAnswer::OK});
        EXPECT_EQ(UserConsistRestore(world.services).restore(oldest, world.contentFolder()),
                  RestoreResult::Restored);
        const std::string question = "Put back the user consists of the copy of 2026-12-06 20:58:07 #1?";
        EXPECT_EQ(world.messages.shown().at(0).text,
                  fileThere ? question + "\r\n\r\nThe file as it is now is kept as a copy first." : question);
        EXPECT_EQ(fileText(world.gameFile()), document(0));
        const std::vector<UserConsistBackup> kept = world.backups.list(world.contentFolder());
        ASSERT_EQ(kept.size(), UserConsistBackups::kKept + (fileThere ? 1 : 0));
        EXPECT_EQ(kept.back(), oldest);
    }
}

// Random saves into two game folders, clock jumps, copies damaged and put back: every write
// leaves the file as it was in its game's newest copy, the newest 20 copies of each game stay as made,
// a restore lists only its game's copies, and the game's file never holds a damaged copy.
TEST(UserConsistBackups, RandomWritesClockJumpsTwoGamesAndDamagedCopiesLoseNothing) {
    for (const unsigned seed : {1u, 2u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto below = [&](std::size_t n) { return random() % n; };
        World world;
        const fs::path contentOf[] = {world.contentFolder(), world.temp.path() / "other" / "Content"};
        fs::create_directories(contentOf[1]);
        std::vector<fs::path> made[2];            // every copy of each game, in the order made
        std::map<fs::path, std::string> copyText; // empty once damaged
        const auto fileOf = [&](std::size_t game) -> std::optional<std::string> {
            const fs::path file = contentOf[game] / "ConsistTemplates.bin";
            return fs::exists(file) ? std::optional(fileText(file)) : std::nullopt;
        };
        const auto noteNewCopy = [&](std::size_t game, const std::optional<std::string>& before) {
            const std::vector<UserConsistBackup> kept = world.backups.list(contentOf[game]);
            ASSERT_TRUE(!before || fileText(kept.at(0).file) == *before);
            ASSERT_TRUE(!before || made[game].empty() || made[game].back() != kept[0].file);
            if (before) {
                made[game].push_back(kept[0].file);
                copyText[kept[0].file] = *before;
            }
        };
        for (int step = 0; step < 150; ++step) {
            const std::size_t game = below(2);
            const std::size_t action = below(9);
            const std::optional<std::string> before = fileOf(game);
            if (action < 4) { // a save
                QueuedRandomSource draws;
                draws.queue(0.5);
                draws.queue(0.25);
                world.answer({MessageAnswer::OK});
                consisttest::RecordingObserver observer;
                ASSERT_EQ(UserConsistSaver(world.services, draws)
                              .saveUserConsist("C" + std::to_string(step),
                                               {consisttest::record("Unit", "u.xml") + "|0"}, contentOf[game],
                                               observer),
                          SaveResult::Saved);
                noteNewCopy(game, before);
            } else if (action < 6) { // the clock jumps
                const std::chrono::seconds jumps[] = {std::chrono::hours(-5), std::chrono::seconds(-1),
                                                      std::chrono::seconds(0), std::chrono::hours(3)};
                world.clock.advance(jumps[below(4)]);
            } else if (action < 7 && !made[game].empty()) { // a copy is damaged
                const fs::path victim = made[game][below(made[game].size())];
                if (fs::exists(victim)) {
                    std::ofstream(victim, std::ios::binary | std::ios::trunc) << (below(2) ? "notes" : "");
                    copyText[victim].clear();
                }
            } else { // a listed copy is put back
                const std::vector<BackupChoice> choices =
                    UserConsistRestore(world.services).choices(contentOf[game]);
                if (choices.empty()) {
                    continue;
                }
                const BackupChoice& choice = choices[below(choices.size())];
                ASSERT_EQ(choice.backup.file.parent_path(), world.backups.folderFor(contentOf[game]));
                const bool damaged = copyText[choice.backup.file].empty();
                ASSERT_EQ(choice.restorable, !damaged);
                world.answer({MessageAnswer::Yes, MessageAnswer::OK});
                ASSERT_EQ(UserConsistRestore(world.services).restore(choice.backup, contentOf[game]),
                          damaged ? RestoreResult::NotWritten : RestoreResult::Restored);
                ASSERT_EQ(fileOf(game), damaged ? before : copyText[choice.backup.file]);
                if (!damaged) {
                    noteNewCopy(game, before);
                }
            }
            for (std::size_t each = 0; each < 2; ++each) {
                for (std::size_t k = made[each].size() > 20 ? made[each].size() - 20 : 0;
                     k < made[each].size(); ++k) {
                    const fs::path& copy = made[each][k];
                    ASSERT_TRUE(fs::exists(copy)) << copy;
                    ASSERT_TRUE(copyText[copy].empty() || fileText(copy) == copyText[copy]) << copy;
                }
                const std::optional<std::string> now = fileOf(each);
                ASSERT_TRUE(!now || now->find("C") != std::string::npos) << "never a damaged copy";
            }
        }
        EXPECT_GT(made[0].size(), 20u);
    }
}

} // namespace
} // namespace dovrel
