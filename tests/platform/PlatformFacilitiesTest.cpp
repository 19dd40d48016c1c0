// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DiskFiles.h"
#include "platform/FileIdentity.h"
#include "platform/FileLock.h"
#include "platform/LockFileSingleInstance.h"
#include "platform/ProgramFolder.h"
#include "platform/RandomSource.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/qt/FrontRequests.h"
#include "platform/qt/QtScreenFacilities.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

namespace dovrel {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::fileText;
using testing::TempFolder;

TEST(Settings, WrittenUnderPreferencesInTheUsersConfigFolder) {
    TempFolder temp;
    // The settings land in the temporary folder (the variable stays set for the rest of this program).
    ::setenv("XDG_CONFIG_HOME", temp.configFolder().c_str(), 1);
    QtSettingsStore settings;
    EXPECT_EQ(settings.value("GameFolder"), std::nullopt);

    // Folder names as they come: commas, backslashes, quotes, spaces at the ends, other scripts,
    // and bytes that are not UTF-8 at all; each reads back byte for byte in a later run.
    for (const std::string folder :
         {"/x/A, B", "/x/a\\b\\c", " /x/ lead ", "/x/\xE9t\xE9", "/x/;#=[]%@ByteArray(x)"}) {
        settings.setValue("GameFolder", folder);
        EXPECT_EQ(QtSettingsStore().value("GameFolder"), folder);
    }
    settings.setValue("UnitMeasure", "imperial");
    const std::string stored =
        fileText(temp.configFolder() / "DovrelConsistEditor" / "DovrelConsistEditor.conf");
    EXPECT_NE(stored.find("[Preferences]"), std::string::npos) << stored;
    EXPECT_NE(stored.find("UnitMeasure=imperial"), std::string::npos) << stored;
}

TEST(SingleInstance, ASecondCopyIsRefusedTheLockGoesWithItsHolderAndAFailureHasItsReason) {
    TempFolder temp;
    const fs::path folder = temp.programFolder();
    {
        LockFileSingleInstance first, second, elsewhere;
        ASSERT_EQ(first.acquire(folder).outcome, InstanceLock::Outcome::Acquired);
        EXPECT_EQ(second.acquire(folder).outcome, InstanceLock::Outcome::HeldByAnotherCopy);
        EXPECT_EQ(elsewhere.acquire(temp.gameFolder()).outcome, InstanceLock::Outcome::Acquired);
    }
    EXPECT_EQ(LockFileSingleInstance().acquire(folder).outcome, InstanceLock::Outcome::Acquired);
    // A folder that cannot hold the lock is a failure with its reason.
    const fs::path plainFile = temp.write("plain", "not a folder");
    for (const auto& [folder, reason] :
         {std::pair{plainFile / "program", "Not a directory"},
          std::pair{temp.path() / "missing" / "program", "No such file or directory"}}) {
        const InstanceLock lock = LockFileSingleInstance().acquire(folder);
        EXPECT_EQ(std::make_pair(lock.outcome, lock.reason),
                  std::make_pair(InstanceLock::Outcome::Failed, std::string(reason)));
    }
}

TEST(RandomSource, IdsSpanTheirRangeAndSeedsRepeat) {
    QueuedRandomSource queued;
    for (const auto& [r, id] : {std::pair{0.0, 100000000}, {0.5, 550000000}, {0.9999999999, 999999999}}) {
        queued.queue(r);
        EXPECT_EQ(newRandomId(queued), id) << r;
    }

    EXPECT_EQ(MersenneRandomSource::seedFrom("42"), 42u);
    MersenneRandomSource a(42), b(42);
    for (int i = 0; i < 1000; ++i) {
        const double value = a.next();
        ASSERT_TRUE(value == b.next() && value >= 0.0 && value < 1.0) << value;
    }
    EXPECT_NE(MersenneRandomSource::seedFrom("not a number"), 0u);
}

TEST(ProgramFolder, VariableThenWritableExecutableFolderThenDataHomeWhichAnInstalledCopyAlwaysUses) {
    TempFolder temp;
    const fs::path chosen = temp.path() / "chosen" / "deeper", data = temp.path() / "data",
                   bin = temp.path() / "usr" / "bin", missing = temp.path() / "not-there";
    fs::create_directories(bin);
    temp.write(fs::relative(installedMetainfoFile(bin), temp.path()), "<component/>"); // an installed copy
    EXPECT_EQ(installedMetainfoFile(bin).parent_path(), temp.path() / "usr" / "share" / "metainfo");
    const std::optional<std::string> none;
    const struct {
        ProgramFolderInputs inputs;
        fs::path expected;
    } cases[] = {
        {{chosen.string(), temp.gameFolder(), none, none}, chosen},
        {{none, temp.gameFolder(), none, none}, temp.gameFolder()},
        {{none, missing, data.string(), none}, data / "DovrelConsistEditor"},
        {{none, missing, none, temp.path().string()},
         temp.path() / ".local" / "share" / "DovrelConsistEditor"},
        {{none, bin, data.string(), none}, data / "DovrelConsistEditor"},
        {{chosen.string(), bin, data.string(), none}, chosen},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(resolveProgramFolder(c.inputs), c.expected);
        EXPECT_TRUE(fs::is_directory(c.expected)) << c.expected;
    }
}

// How many entries the folder holds.
std::ptrdiff_t entriesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Every byte is written, the permissions kept, no temporary file left; a missing file is created; a
// link's target is replaced and the link kept; a failure leaves no temporary file.
TEST(ReplaceFile, WritesEveryByteKeepsThePermissionsAndLinks) {
    TempFolder temp;
    DiskFiles files;
    const fs::path target = temp.write("game/ConsistTemplates.bin", "old");
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, permissions);
    const std::string bytes("SERZ\0\0\1\0\xFF\r\n", 11);
    const FileStatus status = files.replace(target, bytes);
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(fileText(target), bytes);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, permissions);
    EXPECT_EQ(entriesIn(target.parent_path()), 1);

    ASSERT_TRUE(files.replace(temp.path() / "program" / "equipmentlist.txt", "a|b").ok);
    const fs::path real = temp.write("real/ConsistTemplates.bin", "old");
    const fs::path link = temp.path() / "linked" / "ConsistTemplates.bin";
    fs::create_directories(link.parent_path());
    fs::create_symlink(fs::path("..") / "real" / "ConsistTemplates.bin", link);
    ASSERT_TRUE(files.replace(link, "new").ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileText(real), "new");

    // Failures: the target's folder does not exist; the target is a folder, which is left as it was.
    EXPECT_FALSE(files.replace(temp.path() / "nowhere" / "file.txt", "new").reason.empty());
    EXPECT_FALSE(files.replace(target.parent_path(), "new").ok);
    EXPECT_EQ(entriesIn(target.parent_path()), 1);

    // A write that fails part way (no file of this process may grow past 1 KiB, even for root)
    // leaves the old file, flushed or not.
    const std::string large(4096, 'x');
    for (const bool regenerable : {false, true}) {
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        const FileStatus partWay =
            regenerable ? files.replaceRegenerable(target, large) : files.replace(target, large);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousSignal);
        EXPECT_FALSE(partWay.ok) << regenerable;
        EXPECT_EQ(fileText(target), bytes) << regenerable;
        EXPECT_EQ(entriesIn(target.parent_path()), 1) << regenerable;
    }
}

// Temporary files of the target that a killed writer left are removed before the next write; a living
// writer's (it holds a lock on its file), another target's and names of other forms stay.
TEST(ReplaceFile, RemovesTheTemporaryFilesAKilledWriterLeftBehind) {
    TempFolder temp;
    DiskFiles files;
    const fs::path target = temp.write("game/Content/ConsistTemplates.bin", "old");
    const fs::path folder = target.parent_path();
    const std::set<std::string> staying = {"ConsistTemplates.bin",       ".ConsistTemplates.bin.new-99",
                                           ".ConsistTemplates.bin.new-", ".ConsistTemplates.bin.new-12x",
                                           "ConsistTemplates.bin.new-5", ".Other.bin.new-8",
                                           ".consisttemplates.bin.new-6"};
    for (const std::string& name : staying) {
        temp.write(folder.lexically_relative(temp.path()) / name, "part");
    }
    for (const char* left : {".ConsistTemplates.bin.new-1234", ".ConsistTemplates.bin.new-4294967295"}) {
        temp.write(folder.lexically_relative(temp.path()) / left, std::string(5000, 'x'));
    }
    const int living = ::open((folder / ".ConsistTemplates.bin.new-99").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(living, LOCK_EX), 0);
    const FileStatus status = files.replace(target, "new");
    ::close(living);
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(fileText(target), "new");
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, staying);
}

// One holder at a time: without patience a second is told the file is in use, with patience it waits
// (the window's events processed meanwhile) until the first lets go; other files' locks are their own.
TEST(FileLock, OneHolderAtATimeAndAWaiterGetsTheLockWhenItIsLetGo) {
    TempFolder temp;
    const fs::path file = temp.gameFolder() / "Content" / "ConsistTemplates.bin";
    fs::create_directories(file.parent_path());
    FileLock first(file, 0ms);
    ASSERT_EQ(first.state(), FileLock::State::Held);
    EXPECT_TRUE(fs::exists(file.parent_path() / ".ConsistTemplates.bin.lock"));
    const FileLock impatient(file, 0ms);
    EXPECT_EQ(std::make_pair(impatient.state(), impatient.reason()),
              std::make_pair(FileLock::State::InUse, std::string("the file is in use by another program")));
    EXPECT_EQ(FileLock(file.parent_path() / "Other.bin", 0ms).state(), FileLock::State::Held);

    int waits = 0;
    const FileLock patient(file, 10min, [&] {
        if (++waits == 3) {
            first.release();
        }
    });
    EXPECT_EQ(patient.state(), FileLock::State::Held);
    EXPECT_EQ(waits, 3);

    const FileLock nowhere(temp.path() / "missing" / "ConsistTemplates.bin", 0ms);
    EXPECT_EQ(std::make_pair(nowhere.state(), nowhere.reason()),
              std::make_pair(FileLock::State::Failed, std::string("No such file or directory")));
}

// A rewrite shows in the identity even with the size and time put back; a file without any write
// permission is read-only even for root.
TEST(FileIdentity, ARewriteShowsEvenWithSizeAndTimeKeptAndNoWriteBitIsReadOnly) {
    TempFolder temp;
    const fs::path file = temp.write("game/ConsistTemplates.bin", "first");
    const FileIdentity before = FileIdentity::of(file);
    EXPECT_TRUE(before.exists);
    EXPECT_EQ(FileIdentity::of(file), before);
    const auto time = fs::last_write_time(file);
    temp.write("game/ConsistTemplates.bin", "other");
    fs::last_write_time(file, time);
    const FileIdentity after = FileIdentity::of(file);
    EXPECT_EQ(std::make_pair(after.size, after.modifiedNanoseconds),
              std::make_pair(before.size, before.modifiedNanoseconds));
    EXPECT_NE(after, before);
    EXPECT_FALSE(FileIdentity::of(temp.path() / "missing").exists);

    using P = fs::perms;
    for (const auto& [permissions, readOnly] :
         {std::pair{P::owner_read | P::group_read | P::others_read, true}, std::pair{P::none, true},
          std::pair{P::owner_read | P::owner_write, false}, std::pair{P::others_write, false}}) {
        fs::permissions(file, permissions);
        EXPECT_EQ(isReadOnlyFile(file), readOnly) << static_cast<int>(permissions);
    }
    EXPECT_FALSE(isReadOnlyFile(temp.path() / "missing"));
}

// One socket per program folder: in the runtime folder when there is one, else in the program folder.
// A socket file left by a copy that ended answers nobody and is replaced by the next running copy,
// which then hears a second copy's request.
TEST(FrontRequests, ASecondCopyReachesTheRunningOneAndALeftSocketIsNoError) {
    TempFolder temp;
    EXPECT_EQ(frontRequestSocket(std::nullopt, temp.programFolder()),
              temp.programFolder() / "dovrel-consist-editor.socket");
    const fs::path runtime = temp.path() / "runtime";
    const fs::path socket = frontRequestSocket(runtime.string(), temp.programFolder());
    EXPECT_EQ(socket.parent_path(), runtime);
    EXPECT_NE(socket, frontRequestSocket(runtime.string(), temp.gameFolder()));

    temp.write("runtime/" + socket.filename().string(), "");
    EXPECT_FALSE(askRunningCopyToFront(socket));
    int requests = 0;
    const FrontRequests running(socket, [&requests] { ++requests; });
    ASSERT_TRUE(running.listening());
    EXPECT_TRUE(askRunningCopyToFront(socket));
    EXPECT_TRUE(QTest::qWaitFor([&requests] { return requests == 1; }));
}

// The offscreen platform's theme names a 9-point font of its own, which no desktop chose: it starts
// no zoom, so sessions without a display look as they always did.
TEST(DesktopFont, TheOffscreenPlatformTellsNoDesktopFont) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    EXPECT_EQ(desktopFontPoints(), 0);
}

// A box with a short message is still wide enough for its title beside the title bar's three
// buttons, each at least twice the font's height wide.
TEST(QtMessageBoxes, AShortMessagesBoxIsWideEnoughForItsTitle) {
    int width = 0;
    QTimer::singleShot(0, [&width] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(QtMessageBoxes().show("Consist saved.", MessageIcon::Information, MessageButtons::OK),
              MessageAnswer::OK);
    QFont titleFont = QApplication::font("QMessageBox");
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    EXPECT_GE(width,
              metrics.horizontalAdvance(QStringLiteral("Dovrel Consist Editor")) + 6 * metrics.height());
}

} // namespace
} // namespace dovrel
