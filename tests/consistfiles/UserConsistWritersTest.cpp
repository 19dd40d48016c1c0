// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesWorld.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/UserConsistRestore.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Entry;
using consisttest::hiddenUserTemplate;
using consisttest::namelessUserTemplate;
using consisttest::record;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using consisttest::World;
using testing::fileText;

// Two units, the second reversed.
const std::vector<std::string> kLine = {
    record("Class 66", R"(RailVehicles\Diesel\class66.xml)", "Acme", "Diesel") + "|0",
    record("Hopper", R"(RailVehicles\Freight & Co\hopper.xml)", "Kits & Bits", "Freight") + "|1"};
const std::string kAlpha = userTemplate(R"(d:id="550000000")", "Alpha", {{"a.xml", "0", "700"}});
const std::string kBeta = userTemplate(R"(d:id="550000016")", "Beta", {{"b.xml", "1", "325000000"}});
const std::string kGamma = userTemplate(R"(d:id="9")", "Gamma", {});
const std::string kHeader = userConsistFile({}).substr(0, userConsistFile({}).find("\t</Record>"));
std::string kNotFound(const std::string& name) {
    return "Operation aborted.\r\n\r\n" + name + "\r\n\r\nConsist not found in ConsistTemplates.bin file.";
}

TEST(UserConsistSaver, ANewFileHoldsExactlyTheConsistInTheConvertersLayout) {
    World world;
    world.converter.noteXmlOutput(
        "<?xml version=\"1.0\"?>\r\n<cBlueprintLoader xmlns:d=\"urn:x:y\" d:version=\"1.0\">");
    world.answer({MessageAnswer::OK});
    const auto saved = world.save("  Test ", kLine);
    EXPECT_EQ(saved.result, SaveResult::Saved);
    // The namespace of the converter's last output.
    EXPECT_EQ(fileText(world.gameFile()),
              consisttest::fixture("saved-two-units.xml", {{"urn:vantor:delta", "urn:x:y"}}));
    EXPECT_EQ(world.convertedNames(), std::vector<std::string>{"tempc.xml"});
    EXPECT_EQ(world.events.pumps(), 6);
    EXPECT_EQ(saved.observer.log, (std::vector<std::string>{"name Test", "saved Test"}));
    EXPECT_EQ(world.messages.texts(), std::vector<std::string>{"Consist saved."});
}

TEST(UserConsistSaver, RefusesNamesThatAreEmptyOrHoldForbiddenSymbols) {
    for (const std::string name :
         {"", "   ", "a\\b", "a/b", "a*b", "a:b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
        World world;
        world.answer({MessageAnswer::OK});
        const bool empty = std::string(trimSpaces(name)).empty();
        EXPECT_EQ(world.save(name, kLine).result,
                  empty ? SaveResult::NameMissing : SaveResult::NameHasForbiddenSymbols)
            << name;
        EXPECT_EQ(world.messages.shown().at(0).text,
                  empty ? "Consist Name:\r\n\r\nYou must name the consist.\r\n\r\nEnter a name."
                        : "Consist Name:\r\n\r\n\\/*:?\"<>| symbols not allowed in consist "
                          "name.\r\n\r\nChoose another name.");
        EXPECT_EQ(world.messages.shown().at(0).icon, MessageIcon::Exclamation);
    }
}

// A typed name is text, held against the names with their entities read ("&amp;" in the file is
// "&"), not in other case: "fish & chips" is appended with free ids, "Fish & Chips" replaces its
// namesake only after Yes. A file named in other case is written where it is.
TEST(UserConsistSaver, AppendsANewNameAndReplacesTheSameNameOnlyAfterYes) {
    const std::string fish = userTemplate(R"(d:id="5")", "Fish &amp; Chips", {});
    for (const MessageAnswer answer : {MessageAnswer::OK, MessageAnswer::Yes, MessageAnswer::No}) {
        World world;
        const std::string nameless = namelessUserTemplate("111"); // never taken for the one replaced
        const std::string before = userConsistFile({nameless, kAlpha, fish, kBeta, kGamma});
        const fs::path file = world.temp.write("game/Content/consisttemplates.bin", before);
        world.answer({answer, MessageAnswer::OK});
        const bool asked = answer != MessageAnswer::OK;
        const std::string name = asked ? "Fish & Chips" : "fish & chips";
        const auto saved = world.save(name, kLine);

        const std::string document = fileText(file);
        EXPECT_EQ(world.messages.shown().at(0).text,
                  asked ? "Consist currently exists.\r\n\r\nOkay to replace?" : "Consist saved.");
        if (answer == MessageAnswer::No) {
            EXPECT_EQ(world.messages.shown().at(0).buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(saved.result, SaveResult::NotReplaced);
            EXPECT_EQ(document, before);
            continue;
        }
        EXPECT_FALSE(fs::exists(world.gameFile()));
        EXPECT_TRUE(document.starts_with(kHeader + nameless + kAlpha + (asked ? "" : fish) + kBeta + kGamma +
                                         "\t\t<cConsistTemplate d:id=\"550000032\">\r\n"));
        EXPECT_NE(document.find(asked ? ">Fish &amp; Chips</English>" : ">fish &amp; chips</English>"),
                  std::string::npos);
        EXPECT_EQ(document.find("Fish"), document.rfind("Fish"));
        EXPECT_EQ(saved.observer.log.back(), "saved " + name);
    }
}

// With two templates of one name, the chosen row's own is replaced; a chosen row of another name
// leaves the choice to the name. When the file changed so that the row's template is not at its
// place any more, nothing is written.
TEST(UserConsistSaver, ReplacesTheChosenRowsOwnTemplateOrNothing) {
    const std::string secondAlpha = userTemplate(R"(d:id="4")", "Alpha", {});
    const std::string before = userConsistFile({kAlpha, kBeta, secondAlpha});
    const std::pair<std::optional<ListedRow>, std::optional<std::string>> cases[] = {
        {ListedRow{2, "4\tAlpha"}, kAlpha + kBeta},
        {ListedRow{1, "550000016\tBeta"}, kBeta + secondAlpha},
        {ListedRow{1, "4\tAlpha"}, std::nullopt},
    };
    for (const auto& [chosen, kept] : cases) {
        SCOPED_TRACE(chosen ? chosen->text : "none");
        World world;
        world.writeGameFile(before);
        world.answer({kept ? MessageAnswer::Yes : MessageAnswer::OK, MessageAnswer::OK});
        const auto saved = world.save("Alpha", kLine, SaveContext{chosen, std::nullopt});
        EXPECT_EQ(saved.result, kept ? SaveResult::Saved : SaveResult::NotFound);
        EXPECT_EQ(fileText(world.gameFile()),
                  kept ? kHeader + *kept + templateBlock("Alpha", kLine, {550000032, 325000016}) +
                             closingLines()
                       : before);
        EXPECT_EQ(world.messages.texts().at(0),
                  kept ? "Consist currently exists.\r\n\r\nOkay to replace?" : kNotFound("Alpha"));
    }
}

// A typed name is text: "&" is written "&amp;" and "&#124;" is no forbidden "|".
TEST(UserConsistSaver, ATypedNameIsSavedAsTyped) {
    World world;
    world.answer({MessageAnswer::OK});
    ASSERT_EQ(world.save("X&#124;Y", kLine).result, SaveResult::Saved);
    EXPECT_NE(fileText(world.gameFile()).find(">X&amp;#124;Y</English>"), std::string::npos);
}

// Replacing a consist that holds units the catalogue does not (one only another provider has, one
// gone) first asks about leaving them out; No writes nothing.
TEST(UserConsistSaver, ReplacingAConsistWithUnitsNotInstalledAsksFirst) {
    const std::vector<std::string> catalogue = {record("Hopper", "a.xml", "Acme", "Pack")};
    Entry foreign{"a.xml", "0", "701"};
    foreign.provider = "Zeta";
    const std::string before = userConsistFile(
        {userTemplate(R"(d:id="5")", "Alpha", {{"A.XML", "0", "700"}, foreign, {"gone.xml", "1", "702"}})});
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        World world;
        world.writeGameFile(before);
        world.answer({MessageAnswer::Yes, answer, MessageAnswer::OK});
        const auto saved = world.save("Alpha", kLine, SaveContext{std::nullopt, catalogue});

        EXPECT_EQ(world.messages.shown().at(1).text,
                  "2 units of this consist are not installed and will be left out.\r\n\r\nSave anyway?");
        EXPECT_EQ(world.messages.shown().at(1).buttons, MessageButtons::YesNo);
        EXPECT_EQ(saved.result, answer == MessageAnswer::Yes ? SaveResult::Saved : SaveResult::NotReplaced);
        EXPECT_EQ(fileText(world.gameFile()) == before, answer == MessageAnswer::No);
    }
}

// Everything after the first record's end stays as it was: a second record and another child of the
// root follow the new template; a template replaced there leaves it.
TEST(UserConsistSaver, KeepsEveryLineAfterTheFirstRecordsEnd) {
    const auto withRest = [](const std::string& first, const std::string& second) {
        return kHeader + first + "\t</Record>\r\n\t<Record>\r\n" + second +
               "\t</Record>\r\n\t<cExtra d:id=\"77\"/>\r\n</cRecordSet>";
    };
    for (const std::string name : {"Gamma", "Beta"}) {
        World world;
        world.writeGameFile(withRest(kAlpha, kBeta) + "\r\n");
        world.answer({name == "Beta" ? MessageAnswer::Yes : MessageAnswer::OK, MessageAnswer::OK});
        ASSERT_EQ(world.save(name, kLine).result, SaveResult::Saved);
        const std::string block = templateBlock(name, kLine, {550000032, 325000016});
        EXPECT_EQ(fileText(world.gameFile()), withRest(kAlpha + block, name == "Beta" ? "" : kBeta)) << name;
    }
}

// A rejected document becomes error.xml (its "&" escaped); a failed write of the game's file or the
// backup, or a game file that does not convert, is reported. The game file stays as it was.
TEST(UserConsistSaver, AFailureIsReportedAndTheGameFileStaysAsItWas) {
    enum Failure { Rejected, GameFileNotWritten, NotConverted, BackupNotCopied };
    for (const Failure failure : {Rejected, GameFileNotWritten, NotConverted, BackupNotCopied}) {
        SCOPED_TRACE(failure);
        World world;
        const std::string before = failure == NotConverted ? "corrupt" : userConsistFile({kAlpha});
        world.writeGameFile(before);
        world.temp.write("program/Temp/error.xml", "an earlier rejection");
        if (failure == Rejected) {
            world.processes.queueExitCode(0);
            world.processes.queueExitCode(1);
        } else if (failure == BackupNotCopied) {
            world.files.failOn(FailingFiles::Operation::Copy, "Backups", "No space left on device");
        } else if (failure != NotConverted) {
            world.files.failOn(FailingFiles::Operation::Replace, "ConsistTemplates.bin",
                               "No space left on device");
        }
        world.answer({MessageAnswer::OK});
        const auto saved = world.save("Fish & Chips", kLine);

        const std::string aborted = "Operation aborted.\r\n\r\n";
        const auto notWritten = [&](const fs::path& file) {
            return std::pair(SaveResult::NotWritten, aborted + "Could not write " + file.string() +
                                                         ".\r\n\r\nNo space left on device");
        };
        const std::pair<SaveResult, std::string> expected[] = {
            {SaveResult::Rejected,
             aborted + "Badly formed .xml file.\r\n\r\nSee error.xml file in \\Temp folder."},
            notWritten(world.gameFile()),
            // The converter said it converted but wrote nothing.
            {SaveResult::NotRead, aborted + "Could not read " + world.tempFile("tempc.xml").string() + "."},
            notWritten(world.backups.folderFor(world.contentFolder()) /
                       "ConsistTemplates-20261206T205807Z-0001.bin")};
        EXPECT_EQ(std::make_pair(saved.result, world.messages.shown().at(0).text), expected[failure]);
        EXPECT_EQ(fileText(world.gameFile()), before);
        EXPECT_EQ(saved.observer.log, std::vector<std::string>{"name Fish & Chips"});
        EXPECT_EQ(fileText(world.tempFile("error.xml")).find("Fish &amp; Chips</English>") !=
                      std::string::npos,
                  failure == Rejected);
        EXPECT_TRUE(failure != BackupNotCopied || world.backups.list(world.contentFolder()).empty())
            << "no half copy stays";
    }
}

// A row deletes the template it was listed from, found by its place and its row text: never the
// first of its name, a template named "*" for a nameless row, or "X" for " X". A file that still
// holds a template (one with d:id 0 is not listed) is rewritten, not removed.
TEST(UserConsistDeleter, CutsOutExactlyTheTemplateTheRowWasListedFrom) {
    const std::string secondAlpha = userTemplate(R"(d:id="4")", "Alpha", {});
    const std::string star = userTemplate(R"(d:id="112")", "*", {});
    const std::string spaced = userTemplate(R"(d:id="5")", " X", {});
    const std::string plain = userTemplate(R"(d:id="6")", "X", {});
    const std::string selfClosing = "\t\t<cConsistTemplate d:id=\"13\"/>\r\n";
    const std::string idZero = hiddenUserTemplate("Hidden");
    struct Case {
        std::vector<std::string> before;
        ListedRow row;
        std::vector<std::string> after;
        std::string done;
    };
    const std::string deleted = "\r\n\r\nConsist deleted.";
    for (const Case& c :
         {Case{{kAlpha, kBeta, secondAlpha}, {2, "4\tAlpha"}, {kAlpha, kBeta}, "Alpha" + deleted},
          Case{{namelessUserTemplate("111"), star}, {0, "111\t*"}, {star}, "*" + deleted},
          Case{{plain, spaced}, {1, "5\t X"}, {plain}, "X" + deleted},
          Case{{selfClosing, kAlpha}, {0, "13\t*"}, {kAlpha}, "*" + deleted},
          Case{{idZero, kAlpha}, {0, "550000000\tAlpha"}, {idZero}, "Alpha" + deleted},
          Case{{kGamma}, {0, "9\tGamma"}, {}, "Gamma" + deleted + "\r\n\r\nNo more user consists."}}) {
        SCOPED_TRACE(c.row.text);
        World world;
        world.writeGameFile(userConsistFile(c.before));
        world.answer({MessageAnswer::Yes, MessageAnswer::OK});
        const auto result = world.remove(c.row);

        const bool last = c.after.empty();
        EXPECT_EQ(result.result, last ? DeleteResult::LastDeleted : DeleteResult::Deleted);
        // The rewritten document ends every line with CR LF, the last one too.
        EXPECT_EQ(fileText(world.gameFile()), last ? "" : userConsistFile(c.after));
        EXPECT_EQ(fs::exists(world.gameFile()), !last);
        EXPECT_EQ(result.observer.log, std::vector<std::string>{last ? "last" : "deleted"});
        EXPECT_EQ(
            world.messages.texts(),
            (std::vector<std::string>{"Consist currently exists on file.\r\n\r\nOkay to delete?", c.done}));
    }
}

TEST(UserConsistDeleter, RefusalsLeaveTheGameFileAlone) {
    struct Case {
        std::optional<ListedRow> row;
        bool userConsistsOnShow;
        MessageAnswer answer;
        DeleteResult expected;
        std::string message; // the last message shown; empty for none
    };
    const std::vector<Case> cases = {
        {std::nullopt, true, MessageAnswer::OK, DeleteResult::NothingChosen, ""},
        {ListedRow{2, "7\tBeta"}, false, MessageAnswer::OK, DeleteResult::NotUserConsist,
         "Beta\r\n\r\nConsist is not a user consist."},
        {ListedRow{2, "550000016\tbeta"}, true, MessageAnswer::OK, DeleteResult::NotFound, kNotFound("beta")},
        {ListedRow{2, "550000016\tBeta"}, true, MessageAnswer::No, DeleteResult::NotDeleted,
         "Consist currently exists on file.\r\n\r\nOkay to delete?"},
        // The file changed since it was listed: Beta is no longer the row's template, or not there.
        {ListedRow{1, "550000016\tBeta"}, true, MessageAnswer::OK, DeleteResult::NotFound, kNotFound("Beta")},
        {ListedRow{2, "16\tBeta"}, true, MessageAnswer::OK, DeleteResult::NotFound, kNotFound("Beta")},
    };
    const std::string before = userConsistFile({namelessUserTemplate("111"), kAlpha, kBeta});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        World world;
        world.writeGameFile(before);
        world.answer({c.answer});
        EXPECT_EQ(world.remove(c.row, c.userConsistsOnShow).result, c.expected);
        EXPECT_EQ(world.messages.shown().empty() ? "" : world.messages.shown().back().text, c.message);
        EXPECT_EQ(fileText(world.gameFile()), before);
    }
}

// A last consist whose file cannot be removed, or a rewrite the converter rejects, is reported and
// loses nothing; the other failed writes are the save's too, and tested there.
TEST(UserConsistDeleter, AFailedRemovalOrARejectedRewriteLosesNothing) {
    for (const bool last : {true, false}) {
        World world;
        const std::string before = userConsistFile(last ? std::vector{kGamma} : std::vector{kAlpha, kBeta});
        world.writeGameFile(before);
        if (last) {
            world.files.failOn(FailingFiles::Operation::Remove, "ConsistTemplates", "Read-only file system");
        } else {
            world.processes.queueExitCode(0);
            world.processes.queueExitCode(2);
        }
        world.answer({MessageAnswer::Yes, MessageAnswer::OK});
        const auto deleted = world.remove(last ? ListedRow{0, "9\tGamma"} : ListedRow{0, "550000000\tAlpha"});

        EXPECT_EQ(deleted.result, last ? DeleteResult::NotWritten : DeleteResult::Rejected);
        ASSERT_FALSE(world.messages.shown().empty());
        EXPECT_EQ(
            world.messages.shown().back().text,
            "Operation aborted.\r\n\r\n" +
                (last ? "Could not write " + world.gameFile().string() + ".\r\n\r\nRead-only file system"
                      : std::string("Badly formed .xml file.\r\n\r\nSee error.xml file in \\Temp folder.")));
        EXPECT_EQ(fileText(world.gameFile()), before);
        EXPECT_TRUE(deleted.observer.log.empty()) << "the list stays as it was";
        EXPECT_EQ(fs::exists(world.tempFile("error.xml")) ? fileText(world.tempFile("error.xml")) : "",
                  last ? "" : userConsistFile({kBeta}));
    }
}

// A save and a delete each keep the file as it was, named by the UTC time; a restore puts a copy back
// after Yes and keeps the file it replaced.
TEST(UserConsistBackups, EveryWriteKeepsTheFileAsItWasAndARestorePutsACopyBack) {
    World world;
    EXPECT_EQ(world.backups.keep(world.gameFile()), std::nullopt) << "no file, no copy";
    EXPECT_FALSE(fs::exists(world.backups.folder()));
    world.writeGameFile(userConsistFile({kAlpha, namelessUserTemplate("7"), kBeta}));
    const std::string first = fileText(world.gameFile());
    world.answer({MessageAnswer::OK});
    ASSERT_EQ(world.save("Gamma", kLine).result, SaveResult::Saved);
    const std::string second = fileText(world.gameFile());
    world.clock.advance(std::chrono::hours(1));
    world.answer({MessageAnswer::Yes, MessageAnswer::OK});
    ASSERT_EQ(world.remove(ListedRow{0, "550000000\tAlpha"}).result, DeleteResult::Deleted);
    const std::vector<UserConsistBackup> kept = world.backups.list(world.contentFolder());
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].file.filename().string(), "ConsistTemplates-20261206T215807Z-0002.bin");
    EXPECT_EQ(fileText(kept[0].file), second);
    EXPECT_EQ(fileText(kept[1].file), first);

    UserConsistRestore restore(world.services);
    const std::vector<BackupChoice> choices = restore.choices(world.contentFolder());
    EXPECT_EQ(choices.at(1).consistNames, (std::vector<std::string>{"Alpha", "*", "Beta"}));
    const std::string current = fileText(world.gameFile());
    world.answer({MessageAnswer::No});
    EXPECT_EQ(restore.restore(choices[1].backup, world.contentFolder()), RestoreResult::NotRestored);
    EXPECT_EQ(fileText(world.gameFile()), current);
    world.answer({MessageAnswer::Yes, MessageAnswer::OK});
    EXPECT_EQ(restore.restore(choices[1].backup, world.contentFolder()), RestoreResult::Restored);
    EXPECT_EQ(fileText(world.gameFile()), first);
    EXPECT_EQ(world.messages.shown().back().text,
              "User consists restored from the copy of 2026-12-06 20:58:07 #1.");
    EXPECT_EQ(fileText(world.backups.list(world.contentFolder()).at(0).file), current);
}

// A file the user made read-only is neither replaced nor removed by a save, a delete or a restore, and
// nothing is read or asked first; a file that a program without the lock changed after the save read
// it is not overwritten. Each is the write-failure message with its reason; no copy is kept.
TEST(UserConsistFileLock, AReadOnlyFileOrOneChangedMeanwhileIsNotWritten) {
    enum Command { Save, DeleteLast, Restore, SaveChangedMeanwhile };
    for (const Command command : {Save, DeleteLast, Restore, SaveChangedMeanwhile}) {
        SCOPED_TRACE(command);
        World world;
        world.writeGameFile(
            userConsistFile(command == DeleteLast ? std::vector{kAlpha} : std::vector{kAlpha, kBeta}));
        ASSERT_EQ(world.backups.keep(world.gameFile()), std::nullopt);
        const UserConsistBackup copy = world.backups.list(world.contentFolder()).at(0);
        const std::string other = userConsistFile({kGamma});
        std::string before = fileText(world.gameFile());
        const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
        if (command == SaveChangedMeanwhile) {
            // Another program writes the file while the document is converted back.
            world.processes.setAction([&](const RecordingProcessRunner::Run& run) {
                const fs::path input = run.arguments.at(0);
                fs::copy_file(input, converterOutputFor(input), fs::copy_options::overwrite_existing);
                if (input.extension() == ".xml") {
                    world.writeGameFile(other);
                    before = other;
                }
            });
        } else {
            fs::permissions(world.gameFile(), readOnly);
        }
        world.answer({MessageAnswer::Yes, MessageAnswer::OK});
        bool notWritten = false;
        switch (command) {
        case Save:
        case SaveChangedMeanwhile:
            notWritten = world.save("Delta", kLine).result == SaveResult::NotWritten;
            break;
        case DeleteLast:
            notWritten = world.remove(ListedRow{0, "550000000\tAlpha"}).result == DeleteResult::NotWritten;
            break;
        case Restore:
            notWritten = UserConsistRestore(world.services).restore(copy, world.contentFolder()) ==
                         RestoreResult::NotWritten;
            break;
        }
        EXPECT_TRUE(notWritten);
        ASSERT_FALSE(world.messages.shown().empty());
        EXPECT_EQ(world.messages.shown().back().text,
                  "Operation aborted.\r\n\r\nCould not write " + world.gameFile().string() + ".\r\n\r\n" +
                      (command == SaveChangedMeanwhile
                           ? "the file was changed by another program after it was read"
                           : "the file is read-only"));
        EXPECT_EQ(world.messages.shown().size(), command == Restore ? 2u : 1u) << "nothing asked first";
        EXPECT_EQ(fileText(world.gameFile()), before);
        EXPECT_EQ(world.backups.list(world.contentFolder()).size(), 1u);
        if (command != SaveChangedMeanwhile) {
            EXPECT_TRUE(world.convertedNames().empty());
            EXPECT_EQ(fs::status(world.gameFile()).permissions() & fs::perms::all, readOnly);
        }
    }
}

} // namespace
} // namespace dovrel
