#include "ConsistFilesBench.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistReader.h"
#include "consistfiles/UserConsistSaver.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/qt/QtProcessRunner.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::record;

class SilentSave final : public SaveObserver {
    void nameTrimmed(const std::string&) override {}
    void consistSaved(const std::string&) override {}
};

class SilentDelete final : public DeleteObserver {
    void consistDeleted() override {}
    void lastConsistDeleted() override {}
};

// Through the project's own converter: what the save writes, the reader lists exactly as saved.
TEST(ConsistFilesRoundTrip, ASavedConsistReadsBackAsSavedAndDeletesAgain) {
    const fs::path serz = fs::path(DOVREL_BIN_DIR) / "serz";
    ASSERT_TRUE(fs::exists(serz));
    consisttest::Bench bench;
    QtProcessRunner processes;
    ConverterRunner converter(bench.files, processes, serz);
    ConsistFileServices services{bench.files,          converter,
                                 bench.events,         bench.messages,
                                 bench.deltaNamespace, bench.temp.programFolder()};
    const std::vector<std::string> catalogue = {record("Class 66", "RailVehicles\\Diesel\\class66.xml"),
                                                record("Hopper", "RailVehicles\\Freight\\hopper.xml")};
    const std::string name = "Caf\xC3\xA9 (no. 2)";

    QueuedRandomSource random;
    SilentSave saveObserver;
    bench.answer(MessageAnswer::OK);
    ASSERT_EQ(UserConsistSaver(services, random)
                  .saveUserConsist(name, {catalogue[0] + "|0", catalogue[1] + "|1"}, bench.contentFolder(),
                                   saveObserver),
              SaveResult::Saved);

    consisttest::RecordingReadObserver readObserver;
    const ConsistReadResult read =
        UserConsistReader(services).readUserConsists(bench.contentFolder(), catalogue, readObserver);
    ASSERT_EQ(read.listing.rows(), (std::vector<ConsistRow>{{"100000000", name}}));
    EXPECT_EQ(read.listing.listedConsist(0), catalogue[0] + "|0:" + catalogue[1] + "|1");

    SilentDelete deleteObserver;
    bench.answer(MessageAnswer::Yes);
    bench.answer(MessageAnswer::OK);
    EXPECT_EQ(UserConsistDeleter(services).deleteUserConsist(read.listing.rows()[0].text(), true,
                                                             bench.contentFolder(), deleteObserver),
              DeleteResult::LastDeleted);
    EXPECT_FALSE(fs::exists(bench.gameFile()));
}

} // namespace
} // namespace dovrel
