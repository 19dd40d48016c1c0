#include "ConsistFilesBench.h"
#include "consistfiles/UserConsistRestore.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::namelessUserTemplate;
using consisttest::record;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

// Two units, the second reversed.
const std::vector<std::string> kLine = {
    record("Class 66", R"(RailVehicles\Diesel\class66.xml)", "Acme", "Diesel") + "|0",
    record("Hopper", R"(RailVehicles\Freight & Co\hopper.xml)", "Kits & Bits", "Freight") + "|1"};
const std::string kAlpha = userTemplate(R"(d:id="550000000")", "Alpha", {{"a.xml", "0", "700"}});
const std::string kBeta = userTemplate(R"(d:id="550000016")", "Beta", {{"b.xml", "1", "325000000"}});
const std::string kGamma = userTemplate(R"(d:id="9")", "Gamma", {});
const std::string kHeader = userConsistFile({}).substr(0, userConsistFile({}).find("\t</Record>"));

TEST(UserConsistSaver, ANewFileHoldsExactlyTheConsistInTheConvertersLayout) {
    Bench bench;
    bench.converter.noteXmlOutput(
        "<?xml version=\"1.0\"?>\r\n<cBlueprintLoader xmlns:d=\"urn:x:y\" d:version=\"1.0\">");
    bench.answer({MessageAnswer::OK});
    const auto saved = bench.save("  Test ", kLine);

    // Tabs, CR LF after every line but the last, and the namespace of the converter's last output.
    const std::string expected =
        consisttest::fixture("saved-two-units.xml", {{"urn:vantor:delta", "urn:x:y"}});
    EXPECT_EQ(saved.result, SaveResult::Saved);
    EXPECT_EQ(fileText(bench.gameFile()), expected);
    EXPECT_EQ(bench.convertedNames(), std::vector<std::string>{"tempc.xml"});
    // Pumps: one between the draws, one after tempc.xml, two after converting, two after replacing.
    EXPECT_EQ(bench.events.pumps(), 6);
    EXPECT_EQ(saved.observer.log, (std::vector<std::string>{"name Test", "saved Test"}));
    EXPECT_EQ(bench.messages.texts(), std::vector<std::string>{"Consist saved."});
    EXPECT_EQ(bench.messages.shown().at(0).icon, MessageIcon::Information);
}

TEST(UserConsistSaver, RefusesNamesThatAreEmptyOrHoldForbiddenSymbols) {
    for (const std::string name :
         {"", "   ", "a\\b", "a/b", "a*b", "a:b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
        Bench bench;
        bench.answer({MessageAnswer::OK});
        const auto saved = bench.save(name, kLine);
        const bool empty = std::string(trimSpaces(name)).empty();
        EXPECT_EQ(saved.result, empty ? SaveResult::NameMissing : SaveResult::NameHasForbiddenSymbols)
            << name;
        EXPECT_EQ(bench.messages.shown().at(0).text,
                  empty ? "Consist Name:\r\n\r\nYou must name the consist.\r\n\r\nEnter a name."
                        : "Consist Name:\r\n\r\n\\/*:?\"<>| symbols not allowed in consist "
                          "name.\r\n\r\nChoose another name.");
        EXPECT_EQ(bench.messages.shown().at(0).icon, MessageIcon::Exclamation);
    }
}

// Names match with entities read ("&amp;" as listed is "&"), not in other case: "fish & chips" is
// appended with free ids, "Fish & Chips" replaces its namesake only after Yes. The name is written
// escaped once however typed; a file named in other case is written where it is.
TEST(UserConsistSaver, AppendsANewNameAndReplacesTheSameNameOnlyAfterYes) {
    const std::string fish = userTemplate(R"(d:id="5")", "Fish &amp; Chips", {});
    for (const MessageAnswer answer :
         {MessageAnswer::OK, MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
        Bench bench;
        // A template without a name comes first: it must never be taken for the one replaced.
        const std::string nameless = namelessUserTemplate("111");
        const std::string before = userConsistFile({nameless, kAlpha, fish, kBeta, kGamma});
        const fs::path file = bench.temp.write("game/Content/consisttemplates.bin", before);
        bench.answer({answer, MessageAnswer::OK});
        const bool asked = answer != MessageAnswer::OK;
        const std::string name = !asked                         ? "fish & chips"
                                 : answer == MessageAnswer::Yes ? "Fish &amp; Chips"
                                                                : "Fish & Chips";
        const auto saved = bench.save(name, kLine);

        const std::string document = fileText(file);
        EXPECT_EQ(bench.messages.shown().at(0).text,
                  asked ? "Consist currently exists.\r\n\r\nOkay to replace?" : "Consist saved.");
        if (answer == MessageAnswer::No || answer == MessageAnswer::Cancel) {
            EXPECT_EQ(bench.messages.shown().at(0).buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(saved.result, SaveResult::NotReplaced);
            EXPECT_EQ(document, before);
            EXPECT_EQ(bench.convertedNames(), std::vector<std::string>{"tempc.bin"});
            continue;
        }
        EXPECT_FALSE(fs::exists(bench.gameFile()));
        EXPECT_TRUE(document.starts_with(kHeader + nameless + kAlpha + (asked ? "" : fish) + kBeta + kGamma +
                                         "\t\t<cConsistTemplate d:id=\"550000032\">\r\n"));
        EXPECT_NE(document.find("<cConsistTemplateEntry d:id=\"325000016\">"), std::string::npos);
        EXPECT_NE(document.find("<cConsistTemplateEntry d:id=\"325000032\">"), std::string::npos);
        EXPECT_TRUE(document.ends_with("\t\t</cConsistTemplate>\r\n\t</Record>\r\n</cRecordSet>"));
        EXPECT_NE(document.find(asked ? ">Fish &amp; Chips</English>" : ">fish &amp; chips</English>"),
                  std::string::npos);
        EXPECT_EQ(document.find("Fish"), document.rfind("Fish"));
        EXPECT_EQ(saved.observer.log.back(), "saved " + name);
        EXPECT_EQ(bench.convertedNames(), (std::vector<std::string>{"tempc.bin", "tempc.xml"}));
    }
}

// A rejected document becomes error.xml (its "&" escaped); a failed write of the game's file, tempc.xml
// or the backup, or a game file that does not convert, is reported. The game file stays as it was.
TEST(UserConsistSaver, AFailureIsReportedAndTheGameFileStaysAsItWas) {
    enum Failure { Rejected, GameFileNotWritten, TempcNotWritten, NotConverted, BackupNotCopied };
    for (const Failure failure :
         {Rejected, GameFileNotWritten, TempcNotWritten, NotConverted, BackupNotCopied}) {
        SCOPED_TRACE(failure);
        Bench bench;
        const std::string before = failure == NotConverted ? "corrupt" : userConsistFile({kAlpha});
        bench.writeGameFile(before);
        bench.temp.write("program/Temp/error.xml", "an earlier rejection");
        if (failure == Rejected) {
            bench.processes.queueExitCode(0);
            bench.processes.queueExitCode(1);
        } else if (failure == BackupNotCopied) {
            bench.files.failOn(FailingFiles::Operation::Copy, "Backups", "No space left on device");
        } else if (failure != NotConverted) {
            bench.files.failOn(FailingFiles::Operation::Replace,
                               failure == TempcNotWritten ? "tempc.xml" : "ConsistTemplates.bin",
                               "No space left on device");
        }
        bench.answer({MessageAnswer::OK});
        const auto saved = bench.save("Fish & Chips", kLine);

        const std::string aborted = "Operation aborted.\r\n\r\n";
        const auto notWritten = [&](const fs::path& file) {
            return std::pair(SaveResult::NotWritten, aborted + "Could not write " + file.string() +
                                                         ".\r\n\r\nNo space left on device");
        };
        const std::pair<SaveResult, std::string> expected[] = {
            {SaveResult::Rejected,
             aborted + "Badly formed .xml file.\r\n\r\nSee error.xml file in \\Temp folder."},
            notWritten(bench.gameFile()),
            notWritten(bench.tempFile("tempc.xml")),
            // The converter said it converted but wrote nothing.
            {SaveResult::NotRead, aborted + "Could not read " + bench.tempFile("tempc.xml").string() + "."},
            notWritten(bench.backups.folder() / "ConsistTemplates-20261206-205807.bin")};
        EXPECT_EQ(std::make_pair(saved.result, bench.messages.shown().at(0).text), expected[failure]);
        EXPECT_EQ(fileText(bench.gameFile()), before);
        EXPECT_EQ(saved.observer.log, std::vector<std::string>{"name Fish & Chips"});
        const std::string error = fileText(bench.tempFile("error.xml"));
        EXPECT_EQ(error.find("Fish &amp; Chips</English>") != std::string::npos, failure == Rejected);
        if (failure == Rejected) {
            EXPECT_FALSE(fs::exists(bench.tempFile("tempc.xml")));
        }
        if (failure == BackupNotCopied) {
            EXPECT_TRUE(bench.backups.list().empty()) << "no half copy stays";
        }
    }
}

TEST(UserConsistDeleter, CutsOutExactlyTheFirstTemplateOfThatName) {
    const std::string secondAlpha = userTemplate(R"(d:id="4")", "Alpha", {});
    struct Case {
        std::vector<std::string> before;
        std::string row;
        std::vector<std::string> after;
        std::string done;
    };
    for (const Case& c :
         {Case{{kAlpha, kBeta, kGamma}, "2\tBeta", {kAlpha, kGamma}, "Beta\r\n\r\nConsist deleted."},
          Case{{kAlpha, kBeta, secondAlpha},
               "4\t Alpha ",
               {kBeta, secondAlpha},
               "Alpha\r\n\r\nConsist deleted."},
          Case{{kGamma}, "3\tGamma", {}, "Gamma\r\n\r\nConsist deleted.\r\n\r\nNo more user consists."}}) {
        Bench bench;
        bench.writeGameFile(userConsistFile(c.before));
        bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
        const auto deleted = bench.remove(c.row);

        const bool last = c.after.empty();
        EXPECT_EQ(deleted.result, last ? DeleteResult::LastDeleted : DeleteResult::Deleted);
        // The rewritten document ends every line with CR LF, the last one too.
        EXPECT_EQ(fileText(bench.gameFile()), last ? "" : userConsistFile(c.after));
        EXPECT_EQ(fs::exists(bench.gameFile()), !last);
        EXPECT_EQ(deleted.observer.log, std::vector<std::string>{last ? "last" : "deleted"});
        EXPECT_EQ(bench.convertedNames(), (std::vector<std::string>{"tempc.bin", "tempc.xml"}));
        EXPECT_EQ(
            bench.messages.texts(),
            (std::vector<std::string>{"Consist currently exists on file.\r\n\r\nOkay to delete?", c.done}));
        EXPECT_EQ(bench.messages.shown().at(1).icon, MessageIcon::Information);
    }
}

TEST(UserConsistDeleter, RefusalsLeaveTheGameFileAlone) {
    struct Case {
        const char* name;
        std::optional<std::string> row;
        bool userConsistsOnShow;
        MessageAnswer answer;
        DeleteResult expected;
        std::string message; // the last message shown; empty for none
    };
    const auto notFound = [](const std::string& name) {
        return "Operation aborted.\r\n\r\n" + name +
               "\r\n\r\nConsist not found in ConsistTemplates.bin file.";
    };
    const std::vector<Case> cases = {
        {"nothingChosen", std::nullopt, true, MessageAnswer::OK, DeleteResult::NothingChosen, ""},
        {"scenarioShown", "7\tBeta", false, MessageAnswer::OK, DeleteResult::NotUserConsist,
         "Beta\r\n\r\nConsist is not a user consist."},
        {"otherCase", "2\tbeta", true, MessageAnswer::OK, DeleteResult::NotFound, notFound("beta")},
        {"answerNo", "2\tBeta", true, MessageAnswer::No, DeleteResult::NotDeleted,
         "Consist currently exists on file.\r\n\r\nOkay to delete?"},
        // The row of a template without a name shows "*", which names no template.
        {"namelessRow", "111\t*", true, MessageAnswer::OK, DeleteResult::NotFound, notFound("*")},
    };
    for (const Case& c : cases) {
        Bench bench;
        const std::string before = userConsistFile({namelessUserTemplate("111"), kAlpha, kBeta});
        bench.writeGameFile(before);
        if (!c.message.empty()) {
            bench.answer({c.answer});
        }
        EXPECT_EQ(bench.remove(c.row, c.userConsistsOnShow).result, c.expected) << c.name;
        EXPECT_EQ(bench.messages.shown().empty() ? "" : bench.messages.shown().back().text, c.message)
            << c.name;
        EXPECT_EQ(fileText(bench.gameFile()), before) << c.name;
    }
}

// A last consist whose file cannot be removed, or a rewrite the converter rejects, is reported and
// loses nothing; the other failed writes are the save's too, and tested there.
TEST(UserConsistDeleter, AFailedRemovalOrARejectedRewriteLosesNothing) {
    for (const bool last : {true, false}) {
        Bench bench;
        const std::string before = userConsistFile(last ? std::vector{kGamma} : std::vector{kAlpha, kBeta});
        bench.writeGameFile(before);
        if (last) {
            bench.files.failOn(FailingFiles::Operation::Remove, "ConsistTemplates", "Read-only file system");
        } else {
            bench.processes.queueExitCode(0);
            bench.processes.queueExitCode(2);
        }
        bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
        const auto deleted = bench.remove(last ? "3\tGamma" : "1\tAlpha");

        EXPECT_EQ(deleted.result, last ? DeleteResult::NotWritten : DeleteResult::Rejected);
        EXPECT_EQ(
            bench.messages.shown().back().text,
            "Operation aborted.\r\n\r\n" +
                (last ? "Could not write " + bench.gameFile().string() + ".\r\n\r\nRead-only file system"
                      : std::string("Badly formed .xml file.\r\n\r\nSee error.xml file in \\Temp folder.")));
        EXPECT_EQ(fileText(bench.gameFile()), before);
        EXPECT_TRUE(deleted.observer.log.empty()) << "the list stays as it was";
        EXPECT_EQ(fs::exists(bench.tempFile("error.xml")), !last);
        if (!last) {
            EXPECT_EQ(fileText(bench.tempFile("error.xml")), userConsistFile({kBeta}));
        }
    }
}

TEST(UserConsistBackups, EveryWriteKeepsTheFileAsItWasARestorePutsACopyBackAndTheNewest20Stay) {
    Bench bench;
    EXPECT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt) << "no file, no copy";
    EXPECT_FALSE(fs::exists(bench.backups.folder()));

    // A save over an existing file, a replace, and a delete: each keeps what was there before.
    bench.writeGameFile(userConsistFile(
        {kAlpha, namelessUserTemplate("7"), kBeta, userTemplate(R"(d:id="10")", "Coal &amp; Ore", {})}));
    const std::string first = fileText(bench.gameFile());
    bench.answer({MessageAnswer::OK, MessageAnswer::Yes, MessageAnswer::OK});
    ASSERT_EQ(bench.save("Gamma", kLine).result, SaveResult::Saved);
    const std::string second = fileText(bench.gameFile());
    ASSERT_EQ(bench.save("Gamma", kLine).result, SaveResult::Saved); // the same second: the next free name
    const std::string third = fileText(bench.gameFile());
    bench.clock.advance(std::chrono::hours(1));
    bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
    ASSERT_EQ(bench.remove("1\tAlpha").result, DeleteResult::Deleted);

    const std::vector<UserConsistBackup> kept = bench.backups.list();
    ASSERT_EQ(kept.size(), 3u);
    const std::pair<const char*, std::string> expected[] = {
        {"215807", third}, {"205808", second}, {"205807", first}};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(kept[k].file.filename().string(),
                  "ConsistTemplates-20261206-" + std::string(expected[k].first) + ".bin");
        EXPECT_EQ(fileText(kept[k].file), expected[k].second) << k;
    }
    EXPECT_EQ(kept[0].taken, "2026-12-06 21:58:07");

    // The restore lists each copy with its consists and puts one back after Yes, keeping the one replaced.
    UserConsistRestore restore(bench.services);
    const std::vector<BackupChoice> choices = restore.choices();
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[2].consistNames, (std::vector<std::string>{"Alpha", "*", "Beta", "Coal & Ore"}));
    const std::string current = fileText(bench.gameFile());
    bench.answer({MessageAnswer::No});
    EXPECT_EQ(restore.restore(choices[2].backup, bench.contentFolder()), RestoreResult::NotRestored);
    EXPECT_EQ(fileText(bench.gameFile()), current);
    bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
    EXPECT_EQ(restore.restore(choices[2].backup, bench.contentFolder()), RestoreResult::Restored);
    EXPECT_EQ(fileText(bench.gameFile()), first);
    EXPECT_EQ(bench.messages.shown().back().text,
              "User consists restored from the copy of 2026-12-06 20:58:07.");
    ASSERT_EQ(bench.backups.list().size(), 4u);
    EXPECT_EQ(fileText(bench.backups.list()[0].file), current);

    for (int k = 0; k < 30; ++k) {
        bench.clock.advance(std::chrono::minutes(1));
        ASSERT_EQ(bench.backups.keep(bench.gameFile()), std::nullopt);
    }
    const std::vector<UserConsistBackup> newest = bench.backups.list();
    ASSERT_EQ(newest.size(), UserConsistBackups::kKept);
    EXPECT_EQ(newest.front().taken, "2026-12-06 22:28:07");
    EXPECT_EQ(newest.back().taken, "2026-12-06 22:09:07");
    for (const char* other : {"ConsistTemplates-20261206-205807.xml", "consisttemplates-20261206-205807.bin",
                              "ConsistTemplates-20261206205807.bin", "ConsistTemplates-2026120x-205807.bin",
                              "ConsistTemplates-20261206-2058070.bin", "notes.txt"}) {
        EXPECT_EQ(backupTakenAt(other), std::nullopt) << other;
    }
}

} // namespace
} // namespace dovrel
