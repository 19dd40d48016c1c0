#include "consistfiles/UserConsistSaver.h"
#include "ConsistFilesBench.h"
#include "core/TextRules.h"
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

class RecordingSaveObserver final : public SaveObserver {
public:
    std::vector<std::string> log;
    void nameTrimmed(const std::string& name) override { log.push_back("name " + name); }
    void consistSaved(const std::string& name) override { log.push_back("saved " + name); }
};

// Two units, the second reversed.
const std::vector<std::string> kLine = {
    record("Class 66", R"(RailVehicles\Diesel\class66.xml)", "Acme", "Diesel") + "|0",
    record("Hopper", R"(RailVehicles\Freight\hopper.xml)", "Kits", "Freight") + "|1"};

struct Save {
    SaveResult result;
    RecordingSaveObserver observer;
};

// The draws 0.5 and 0.25 give the ids 550000000 and 325000000.
Save save(Bench& bench, std::string_view name, const std::vector<std::string>& units = kLine) {
    QueuedRandomSource random;
    random.queue(0.5);
    random.queue(0.25);
    Save outcome;
    outcome.result = UserConsistSaver(bench.services, random)
                         .saveUserConsist(name, units, bench.contentFolder(), outcome.observer);
    return outcome;
}

TEST(UserConsistSaver, ANewFileHoldsExactlyTheConsistInTheConvertersLayout) {
    Bench bench;
    bench.answer(MessageAnswer::OK);
    const Save saved = save(bench, "  Test ");

    // Tabs, CR LF after every line but the last.
    const std::string expected = consisttest::fixture("saved-two-units.xml");
    ASSERT_TRUE(expected.ends_with("</Record>\r\n</cRecordSet>"));
    EXPECT_EQ(saved.result, SaveResult::Saved);
    EXPECT_EQ(fileText(bench.gameFile()), expected);
    EXPECT_EQ(bench.convertedNames(), std::vector<std::string>{"tempc.xml"});
    // One pump between the two draws, one after writing tempc.xml, two after converting, two after
    // replacing the game's file.
    EXPECT_EQ(bench.events.pumps(), 6);
    EXPECT_EQ(saved.observer.log, (std::vector<std::string>{"name Test", "saved Test"}));
    ASSERT_EQ(bench.messages.shown().size(), 1u);
    EXPECT_EQ(bench.messages.shown()[0].text, "Consist saved.");
    EXPECT_EQ(bench.messages.shown()[0].icon, MessageIcon::Information);
}

TEST(UserConsistSaver, ANewFileDeclaresTheNamespaceOfTheConvertersLastOutput) {
    Bench bench;
    bench.converter.noteXmlOutput(
        "<?xml version=\"1.0\"?>\r\n<cBlueprintLoader xmlns:d=\"urn:x:y\" d:version=\"1.0\">");
    bench.answer(MessageAnswer::OK);
    save(bench, "N");
    EXPECT_TRUE(
        fileText(bench.gameFile())
            .starts_with(
                "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<cRecordSet xmlns:d=\"urn:x:y\" d:version"));
}

TEST(UserConsistSaver, RefusesNamesThatAreEmptyOrHoldForbiddenSymbols) {
    for (const std::string name :
         {"", "   ", "a\\b", "a/b", "a*b", "a:b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
        Bench bench;
        bench.answer(MessageAnswer::OK);
        const Save saved = save(bench, name);
        const bool empty = std::string(trimSpaces(name)).empty();
        EXPECT_EQ(saved.result, empty ? SaveResult::NameMissing : SaveResult::NameHasForbiddenSymbols)
            << name;
        EXPECT_EQ(bench.messages.shown().at(0).text,
                  empty ? "Consist Name:\r\n\r\nYou must name the consist.\r\n\r\nEnter a name."
                        : "Consist Name:\r\n\r\n\\/*:?\"<>| symbols not allowed in consist "
                          "name.\r\n\r\nChoose another name.");
        EXPECT_EQ(bench.messages.shown().at(0).icon, MessageIcon::Exclamation);
        EXPECT_TRUE(bench.processes.runs().empty());
        EXPECT_FALSE(fs::exists(bench.gameFile()));
    }
}

const std::string kAlpha = userTemplate(R"(d:id="550000000")", "Alpha", {{"a.xml", "0", "700"}});
const std::string kBeta = userTemplate(R"(d:id="550000016")", "Beta", {{"b.xml", "1", "325000000"}});
const std::string kGamma = userTemplate(R"(d:id="9")", "Gamma", {});
const std::string kHeader = userConsistFile({}).substr(0, userConsistFile({}).find("\t</Record>"));

TEST(UserConsistSaver, AppendsANameOfOtherCaseAfterTheOthersWithFreeIds) {
    Bench bench;
    bench.writeGameFile(userConsistFile({kAlpha, kBeta}));
    bench.answer(MessageAnswer::OK);
    EXPECT_EQ(save(bench, "alpha").result, SaveResult::Saved);

    const std::string document = fileText(bench.gameFile());
    EXPECT_TRUE(
        document.starts_with(kHeader + kAlpha + kBeta + "\t\t<cConsistTemplate d:id=\"550000032\">\r\n"));
    EXPECT_NE(document.find("<cConsistTemplateEntry d:id=\"325000016\">"), std::string::npos);
    EXPECT_NE(document.find("<cConsistTemplateEntry d:id=\"325000032\">"), std::string::npos);
    EXPECT_TRUE(document.ends_with("\t\t</cConsistTemplate>\r\n\t</Record>\r\n</cRecordSet>"));
    EXPECT_EQ(bench.convertedNames(), (std::vector<std::string>{"tempc.bin", "tempc.xml"}));
    EXPECT_EQ(bench.messages.shown().at(0).text, "Consist saved.");
}

TEST(UserConsistSaver, ReplacesTheConsistOfTheSameNameOnlyAfterYes) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
        Bench bench;
        // A template without a name comes first: it must never be taken for the one replaced.
        const std::string nameless = consisttest::namelessUserTemplate("111");
        const std::string before = userConsistFile({nameless, kAlpha, kBeta, kGamma});
        bench.writeGameFile(before);
        bench.answer(answer);
        bench.answer(MessageAnswer::OK);
        const Save saved = save(bench, "Beta");

        EXPECT_EQ(bench.messages.shown().at(0).text, "Consist currently exists.\r\n\r\nOkay to replace?");
        EXPECT_EQ(bench.messages.shown().at(0).buttons, MessageButtons::YesNoCancel);
        if (answer != MessageAnswer::Yes) {
            EXPECT_EQ(saved.result, SaveResult::NotReplaced);
            EXPECT_EQ(fileText(bench.gameFile()), before);
            EXPECT_EQ(bench.convertedNames(), std::vector<std::string>{"tempc.bin"});
            continue;
        }
        const std::string document = fileText(bench.gameFile());
        EXPECT_TRUE(document.starts_with(kHeader + nameless + kAlpha + kGamma +
                                         "\t\t<cConsistTemplate d:id=\"550000032\">"));
        ASSERT_NE(document.find("Beta"), std::string::npos);
        EXPECT_EQ(document.find("Beta"), document.rfind("Beta"));
        EXPECT_EQ(saved.observer.log.back(), "saved Beta");
    }
}

// A rejected document becomes error.xml (the name written with its "&" escaped); a failed write of
// the game's file or of tempc.xml, or a game file that does not convert, is reported. The game file
// stays as it was.
TEST(UserConsistSaver, AFailureIsReportedAndTheGameFileStaysAsItWas) {
    enum Failure { Rejected, GameFileNotWritten, TempcNotWritten, NotConverted };
    for (const Failure failure : {Rejected, GameFileNotWritten, TempcNotWritten, NotConverted}) {
        Bench bench;
        const std::string before = failure == NotConverted ? "corrupt" : userConsistFile({kAlpha});
        bench.writeGameFile(before);
        bench.temp.write("program/Temp/error.xml", "an earlier rejection");
        if (failure == Rejected) {
            bench.processes.queueExitCode(0);
            bench.processes.queueExitCode(1);
        } else if (failure != NotConverted) {
            bench.files.failOn(FailingFiles::Operation::Replace,
                               failure == TempcNotWritten ? "tempc.xml" : "ConsistTemplates.bin",
                               "No space left on device");
        }
        bench.answer(MessageAnswer::OK);
        const Save saved = save(bench, "Fish & Chips");

        const std::string aborted = "Operation aborted.\r\n\r\n";
        const std::string notWritten =
            aborted + "Could not write " +
            (failure == TempcNotWritten ? bench.tempFile("tempc.xml") : bench.gameFile()).string() +
            ".\r\n\r\nNo space left on device";
        const std::pair<SaveResult, std::string> expected[] = {
            {SaveResult::Rejected,
             aborted + "Badly formed .xml file.\r\n\r\nSee error.xml file in \\Temp folder."},
            {SaveResult::NotWritten, notWritten},
            {SaveResult::NotWritten, notWritten},
            {SaveResult::NotRead, aborted + "Could not read " + bench.gameFile().string() + "."}};
        EXPECT_EQ(std::make_pair(saved.result, bench.messages.shown().at(0).text), expected[failure])
            << failure;
        EXPECT_EQ(fileText(bench.gameFile()), before) << failure;
        EXPECT_EQ(saved.observer.log, std::vector<std::string>{"name Fish & Chips"}) << failure;
        EXPECT_EQ(fileText(bench.tempFile("error.xml")).find("Fish &amp; Chips</English>") !=
                      std::string::npos,
                  failure == Rejected)
            << failure;
        if (failure == Rejected) {
            EXPECT_FALSE(fs::exists(bench.tempFile("tempc.xml")));
        }
    }
}

TEST(UserConsistSaver, AFileNamedInOtherCaseIsReplacedWhereItIs) {
    Bench bench;
    const fs::path lower = bench.temp.write("game/Content/consisttemplates.bin", userConsistFile({kAlpha}));
    bench.answer(MessageAnswer::OK);
    save(bench, "New");
    EXPECT_NE(fileText(lower).find("New</English>"), std::string::npos);
    EXPECT_FALSE(fs::exists(bench.gameFile()));
}

} // namespace
} // namespace dovrel
