#include "consistfiles/UserConsistDeleter.h"
#include "ConsistFilesBench.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

class RecordingDeleteObserver final : public DeleteObserver {
public:
    std::vector<std::string> log;
    void consistDeleted() override { log.push_back("deleted"); }
    void lastConsistDeleted() override { log.push_back("last"); }
};

const std::string kAlpha = userTemplate(R"(d:id="1")", "Alpha", {{"a.xml"}});
const std::string kBeta = userTemplate(R"(d:id="2")", "Beta", {{"b.xml", "1"}, {"c.xml"}});
const std::string kGamma = userTemplate(R"(d:id="3")", "Gamma", {});
const std::string kSecondAlpha = userTemplate(R"(d:id="4")", "Alpha", {});

struct Delete {
    DeleteResult result;
    RecordingDeleteObserver observer;
};

Delete remove(Bench& bench, std::optional<std::string> row, bool userConsistsOnShow = true) {
    Delete outcome;
    outcome.result = UserConsistDeleter(bench.services)
                         .deleteUserConsist(row, userConsistsOnShow, bench.contentFolder(), outcome.observer);
    return outcome;
}

TEST(UserConsistDeleter, CutsOutExactlyTheFirstTemplateOfThatName) {
    struct Case {
        std::vector<std::string> before;
        std::string row;
        std::vector<std::string> after;
        std::string done;
    };
    for (const Case& c :
         {Case{{kAlpha, kBeta, kGamma}, "2\tBeta", {kAlpha, kGamma}, "Beta\r\n\r\nConsist deleted."},
          // A template without a name never stands in for a named one.
          Case{{consisttest::namelessUserTemplate("111"), kBeta, kGamma},
               "2\tBeta",
               {consisttest::namelessUserTemplate("111"), kGamma},
               "Beta\r\n\r\nConsist deleted."},
          Case{{userTemplate(R"(d:id="5")", "Coal|Ore", {}), kBeta, kGamma},
               "5\tCoal|Ore",
               {kBeta, kGamma},
               "Coal|Ore\r\n\r\nConsist deleted."},
          Case{{kAlpha, kBeta, kSecondAlpha},
               "4\t Alpha ",
               {kBeta, kSecondAlpha},
               "Alpha\r\n\r\nConsist deleted."}}) {
        Bench bench;
        bench.writeGameFile(userConsistFile(c.before));
        bench.answer(MessageAnswer::Yes);
        bench.answer(MessageAnswer::OK);
        const Delete deleted = remove(bench, c.row);

        EXPECT_EQ(deleted.result, DeleteResult::Deleted);
        // The rewritten document ends every line with CR LF, the last one too.
        EXPECT_EQ(fileText(bench.gameFile()), userConsistFile(c.after));
        EXPECT_EQ(deleted.observer.log, std::vector<std::string>{"deleted"});
        EXPECT_EQ(bench.convertedNames(), (std::vector<std::string>{"tempc.bin", "tempc.xml"}));
        ASSERT_EQ(bench.messages.shown().size(), 2u);
        EXPECT_EQ(bench.messages.shown()[0].text, "Consist currently exists on file.\r\n\r\nOkay to delete?");
        EXPECT_EQ(bench.messages.shown()[0].icon, MessageIcon::None);
        EXPECT_EQ(bench.messages.shown()[1].text, c.done);
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
    const std::vector<Case> cases = {
        {"nothingChosen", std::nullopt, true, MessageAnswer::OK, DeleteResult::NothingChosen, ""},
        {"scenarioShown", "7\tBeta", false, MessageAnswer::OK, DeleteResult::NotUserConsist,
         "Beta\r\n\r\nConsist is not a user consist."},
        {"otherCase", "2\tbeta", true, MessageAnswer::OK, DeleteResult::NotFound,
         "Operation aborted.\r\n\r\nbeta\r\n\r\nConsist not found in ConsistTemplates.bin file."},
        {"answerNo", "2\tBeta", true, MessageAnswer::No, DeleteResult::NotDeleted,
         "Consist currently exists on file.\r\n\r\nOkay to delete?"},
        {"answerCancel", "2\tBeta", true, MessageAnswer::Cancel, DeleteResult::NotDeleted,
         "Consist currently exists on file.\r\n\r\nOkay to delete?"},
        // The row of a template without a name shows "*", which names no template.
        {"namelessRow", "111\t*", true, MessageAnswer::OK, DeleteResult::NotFound,
         "Operation aborted.\r\n\r\n*\r\n\r\nConsist not found in ConsistTemplates.bin file."},
    };
    for (const Case& c : cases) {
        Bench bench;
        const std::string before = userConsistFile({consisttest::namelessUserTemplate("111"), kAlpha, kBeta});
        bench.writeGameFile(before);
        if (!c.message.empty()) {
            bench.answer(c.answer);
        }
        EXPECT_EQ(remove(bench, c.row, c.userConsistsOnShow).result, c.expected) << c.name;
        EXPECT_EQ(bench.messages.shown().empty() ? "" : bench.messages.shown().back().text, c.message)
            << c.name;
        EXPECT_EQ(fileText(bench.gameFile()), before) << c.name;
        EXPECT_LE(bench.processes.runs().size(), 1u) << c.name;
    }
}

TEST(UserConsistDeleter, DeletingTheLastConsistDeletesTheFile) {
    Bench bench;
    bench.writeGameFile(userConsistFile({kGamma}));
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    const Delete deleted = remove(bench, "3\tGamma");
    EXPECT_EQ(deleted.result, DeleteResult::LastDeleted);
    EXPECT_FALSE(fs::exists(bench.gameFile()));
    EXPECT_EQ(deleted.observer.log, std::vector<std::string>{"last"});
    EXPECT_EQ(bench.messages.shown().back().text,
              "Gamma\r\n\r\nConsist deleted.\r\n\r\nNo more user consists.");
    EXPECT_EQ(bench.messages.shown().back().icon, MessageIcon::Information);
}

// Deleting the last consist removes the file; deleting another rewrites it. A removal or rewrite that
// fails, or a rewritten document the converter rejects, is reported and loses nothing.
TEST(UserConsistDeleter, AFailedRemovalOrRewriteLosesNothing) {
    enum Failure { NotRemoved, Rejected, NotWritten };
    for (const Failure failure : {NotRemoved, Rejected, NotWritten}) {
        Bench bench;
        const std::string before =
            userConsistFile(failure == NotRemoved ? std::vector{kGamma} : std::vector{kAlpha, kBeta});
        bench.writeGameFile(before);
        bench.temp.write("program/Temp/error.xml", "an earlier rejection");
        if (failure == Rejected) {
            bench.processes.queueExitCode(0);
            bench.processes.queueExitCode(2);
        } else {
            bench.files.failOn(failure == NotRemoved ? FailingFiles::Operation::Remove
                                                     : FailingFiles::Operation::Replace,
                               "ConsistTemplates", "Read-only file system");
        }
        bench.answer(MessageAnswer::Yes);
        bench.answer(MessageAnswer::OK);
        const Delete deleted = remove(bench, failure == NotRemoved ? "3\tGamma" : "1\tAlpha");

        EXPECT_EQ(deleted.result, failure == Rejected ? DeleteResult::Rejected : DeleteResult::NotWritten);
        EXPECT_EQ(bench.messages.shown().back().text,
                  failure == Rejected
                      ? "Operation aborted.\r\n\r\nBadly formed .xml file.\r\n\r\nSee error.xml file in "
                        "\\Temp folder."
                      : "Operation aborted.\r\n\r\nCould not write " + bench.gameFile().string() +
                            ".\r\n\r\nRead-only file system");
        EXPECT_EQ(bench.messages.shown().back().icon, MessageIcon::Exclamation);
        EXPECT_EQ(fileText(bench.tempFile("error.xml")),
                  failure == Rejected ? userConsistFile({kBeta}) : "an earlier rejection");
        EXPECT_EQ(fileText(bench.gameFile()), before);
        EXPECT_TRUE(deleted.observer.log.empty()) << "the list stays as it was";
    }
}

} // namespace
} // namespace dovrel
