#include "consistfiles/UserConsistBackups.h"
#include "ConsistFilesBench.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistRestore.h"
#include "consistfiles/UserConsistSaver.h"
#include "platform/doubles/QueuedRandomSource.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::record;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

const std::string kAlpha = userTemplate(R"(d:id="1")", "Alpha", {{"a.xml"}});
const std::string kBeta = userTemplate(R"(d:id="2")", "Beta", {{"b.xml"}});

std::vector<std::string> namesOf(const std::vector<UserConsistBackup>& backups) {
    std::vector<std::string> names;
    for (const UserConsistBackup& backup : backups) {
        names.push_back(backup.file.filename().string());
    }
    return names;
}

class SilentObserver final : public SaveObserver, public DeleteObserver {
    void nameTrimmed(const std::string&) override {}
    void consistSaved(const std::string&) override {}
    void consistDeleted() override {}
    void lastConsistDeleted() override {}
};

SaveResult save(Bench& bench, std::string_view name) {
    QueuedRandomSource random;
    SilentObserver observer;
    const std::vector<std::string> line = {record("Class 66", "RailVehicles\\class66.xml") + "|0"};
    return UserConsistSaver(bench.services, random)
        .saveUserConsist(name, line, bench.contentFolder(), observer);
}

DeleteResult remove(Bench& bench, const std::string& row) {
    SilentObserver observer;
    return UserConsistDeleter(bench.services).deleteUserConsist(row, true, bench.contentFolder(), observer);
}

TEST(UserConsistBackups, NamesTellWhenTheCopyWasTaken) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"ConsistTemplates-20261206-205807.bin", "2026-12-06 20:58:07"},
        {"ConsistTemplates-20261206-205807.xml", std::nullopt},
        {"consisttemplates-20261206-205807.bin", std::nullopt},
        {"ConsistTemplates-20261206205807.bin", std::nullopt},
        {"ConsistTemplates-2026120x-205807.bin", std::nullopt},
        {"ConsistTemplates-20261206-2058070.bin", std::nullopt},
        {"notes.txt", std::nullopt},
    };
    for (const auto& [name, taken] : cases) {
        EXPECT_EQ(backupTakenAt(name), taken) << name;
    }
}

TEST(UserConsistBackups, EveryWriteOfTheGameFileKeepsTheFileAsItWasAndTheNewest20Stay) {
    Bench bench;
    EXPECT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt) << "no file, no copy";
    EXPECT_FALSE(fs::exists(bench.backups.folder()));

    // A save over an existing file, a replace, and a delete: each keeps what was there before.
    bench.writeGameFile(userConsistFile({kAlpha, kBeta}));
    const std::string first = fileText(bench.gameFile());
    bench.answer(MessageAnswer::OK);
    ASSERT_EQ(save(bench, "Gamma"), SaveResult::Saved);
    const std::string second = fileText(bench.gameFile());
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    ASSERT_EQ(save(bench, "Gamma"), SaveResult::Saved); // the same second: the next free name
    const std::string third = fileText(bench.gameFile());
    bench.clock.advance(std::chrono::hours(1));
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    ASSERT_EQ(remove(bench, "1\tAlpha"), DeleteResult::Deleted);

    const std::vector<UserConsistBackup> kept = bench.backups.list();
    ASSERT_EQ(namesOf(kept), (std::vector<std::string>{"ConsistTemplates-20261206-215807.bin",
                                                       "ConsistTemplates-20261206-205808.bin",
                                                       "ConsistTemplates-20261206-205807.bin"}));
    EXPECT_EQ(kept[0].taken, "2026-12-06 21:58:07");
    EXPECT_EQ(fileText(kept[0].file), third);
    EXPECT_EQ(fileText(kept[1].file), second);
    EXPECT_EQ(fileText(kept[2].file), first);

    for (int k = 0; k < 30; ++k) {
        bench.clock.advance(std::chrono::minutes(1));
        ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
    }
    const std::vector<UserConsistBackup> newest = bench.backups.list();
    ASSERT_EQ(newest.size(), UserConsistBackups::kKept);
    EXPECT_EQ(newest.front().taken, "2026-12-06 22:28:07");
    EXPECT_EQ(newest.back().taken, "2026-12-06 22:09:07");
}

TEST(UserConsistBackups, AFailedCopyStopsTheWriteAndTheGameFileStays) {
    for (const std::string command : {"save", "delete"}) {
        Bench bench;
        bench.writeGameFile(userConsistFile({kAlpha, kBeta}));
        const std::string before = fileText(bench.gameFile());
        bench.files.failOn(FailingFiles::Operation::Copy, "Backups", "No space left on device");
        bench.answer(MessageAnswer::Yes);
        bench.answer(MessageAnswer::OK);
        if (command == "save") {
            EXPECT_EQ(save(bench, "Alpha"), SaveResult::NotWritten);
        } else {
            EXPECT_EQ(remove(bench, "1\tAlpha"), DeleteResult::NotWritten);
        }
        EXPECT_EQ(fileText(bench.gameFile()), before) << command;
        const std::string message = bench.messages.shown().back().text;
        EXPECT_TRUE(message.starts_with("Operation aborted.\r\n\r\nCould not write " +
                                        (bench.backups.folder() / "ConsistTemplates-").string()))
            << message;
        EXPECT_TRUE(message.ends_with(".bin.\r\n\r\nNo space left on device")) << message;
        EXPECT_TRUE(bench.backups.list().empty()) << command << ": no half copy stays";
    }
}

TEST(UserConsistRestore, ListsEachCopyWithItsConsistsAndPutsTheChosenOneBackAfterYes) {
    Bench bench;
    bench.writeGameFile(userConsistFile({kAlpha, consisttest::namelessUserTemplate("7"), kBeta,
                                         userTemplate(R"(d:id="9")", "Coal &amp; Ore", {})}));
    const std::string older = fileText(bench.gameFile());
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    ASSERT_EQ(remove(bench, "2\tBeta"), DeleteResult::Deleted);
    const std::string current = fileText(bench.gameFile());

    UserConsistRestore restore(bench.services);
    const std::vector<BackupChoice> choices = restore.choices();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].consistNames, (std::vector<std::string>{"Alpha", "*", "Beta", "Coal & Ore"}));

    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        bench.answer(answer);
        EXPECT_EQ(restore.restore(choices[0].backup, bench.contentFolder()), RestoreResult::NotRestored);
        EXPECT_EQ(fileText(bench.gameFile()), current);
    }

    bench.clock.advance(std::chrono::seconds(5));
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    EXPECT_EQ(restore.restore(choices[0].backup, bench.contentFolder()), RestoreResult::Restored);
    EXPECT_EQ(fileText(bench.gameFile()), older);
    EXPECT_EQ(bench.messages.shown().back().text,
              "User consists restored from the copy of 2026-12-06 20:58:07.");
    const std::vector<UserConsistBackup> kept = bench.backups.list();
    ASSERT_EQ(kept.size(), 2u) << "the file replaced by the restore is kept too";
    EXPECT_EQ(fileText(kept[0].file), current);
}

TEST(UserConsistRestore, RestoresAFileThatWasDeletedWithItsLastConsist) {
    Bench bench;
    bench.writeGameFile(userConsistFile({kAlpha}));
    const std::string before = fileText(bench.gameFile());
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    ASSERT_EQ(remove(bench, "1\tAlpha"), DeleteResult::LastDeleted);
    ASSERT_FALSE(fs::exists(bench.gameFile()));

    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    UserConsistRestore restore(bench.services);
    ASSERT_EQ(restore.restore(bench.backups.list().at(0), bench.contentFolder()), RestoreResult::Restored);
    EXPECT_EQ(fileText(bench.gameFile()), before);
}

} // namespace
} // namespace dovrel
