#include "ConsistFilesBench.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistReader.h"
#include "consistfiles/UserConsistSaver.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/QueuedRandomSource.h"

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

// Through the project's own converter: what the save writes, the reader lists as saved, a second
// save of the same name replaces it, and the delete finds it again. Folder names and consist
// names may hold characters that XML reserves.
TEST(ConsistFilesRoundTrip, ASavedConsistReadsBackReplacesAndDeletes) {
    struct Case {
        std::string name;
        std::vector<std::string> catalogue;
    };
    const std::vector<Case> cases = {
        {"Caf\xC3\xA9 (no. 2)",
         {record("Class 66", "RailVehicles\\Diesel\\class66.xml"),
          record("Hopper", "RailVehicles\\Freight\\hopper.xml")}},
        {"O'Brien & Sons",
         {record("Berg", "RailVehicles\\Berg & Tal\\<x>.xml", "A&B <Rail>", "Berg & Tal"),
          record("Hopper", "RailVehicles\\Freight\\hopper.xml", "Acme", "Berg & Tal")}},
    };
    const fs::path serz = fs::path(DOVREL_BIN_DIR) / "serz";
    ASSERT_TRUE(fs::exists(serz));
    for (const Case& c : cases) {
        consisttest::Bench bench;
        SpawnProcessRunner processes;
        ConverterRunner converter(bench.files, processes, serz);
        ConsistFileServices services{bench.files,    converter,     bench.events,
                                     bench.messages, bench.backups, bench.temp.programFolder()};
        const std::vector<std::string> line = {c.catalogue[0] + "|0", c.catalogue[1] + "|1"};
        QueuedRandomSource random;
        SilentSave saveObserver;
        const auto save = [&](const std::string& name) {
            return UserConsistSaver(services, random)
                .saveUserConsist(name, line, bench.contentFolder(), saveObserver);
        };
        const auto read = [&] {
            consisttest::RecordingReadObserver readObserver;
            return UserConsistReader(services).readUserConsists(bench.contentFolder(), c.catalogue,
                                                                readObserver);
        };

        bench.answer(MessageAnswer::OK);
        ASSERT_EQ(save(c.name), SaveResult::Saved) << c.name;
        const ConsistReadResult first = read();
        ASSERT_EQ(first.listing.rows().size(), 1u) << c.name;
        EXPECT_EQ(rowNamed(first.listing.rows(), c.name), std::optional<std::size_t>(0)) << c.name;
        EXPECT_EQ(first.listing.listedConsist(0), c.catalogue[0] + "|0:" + c.catalogue[1] + "|1") << c.name;

        bench.answer(MessageAnswer::Yes);
        bench.answer(MessageAnswer::OK);
        // Saved again under the name as the list shows it, entities and all, as View puts it in the
        // name box: the same consist is replaced.
        ASSERT_EQ(save(rowName(first.listing.rows()[0].text())), SaveResult::Saved) << c.name;
        EXPECT_EQ(bench.messages.shown().at(1).text, "Consist currently exists.\r\n\r\nOkay to replace?")
            << c.name;
        const ConsistReadResult second = read();
        ASSERT_EQ(second.listing.rows().size(), 1u) << c.name << ": the old consist was replaced";

        SilentDelete deleteObserver;
        bench.answer(MessageAnswer::Yes);
        bench.answer(MessageAnswer::OK);
        EXPECT_EQ(UserConsistDeleter(services).deleteUserConsist(second.listing.rows()[0].text(), true,
                                                                 bench.contentFolder(), deleteObserver),
                  DeleteResult::LastDeleted)
            << c.name;
        EXPECT_FALSE(fs::exists(bench.gameFile())) << c.name;
        EXPECT_EQ(bench.messages.shown().size(), 5u) << c.name << ": no message but the expected ones";
    }
}

} // namespace
} // namespace dovrel
