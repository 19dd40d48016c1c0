// SPDX-License-Identifier: GPL-3.0-or-later
// The blueprint reader on a converted blueprint's XML: any text gives one of its three statuses, and
// a blueprint read with both couplings makes a catalogue record, as the asset scan does.
#include "FuzzSupport.h"
#include "catalogue/BlueprintReader.h"
#include "catalogue/EquipmentRecord.h"
#include "platform/doubles/CountingEventPump.h"

#include <optional>

namespace {

using dovrel::fuzz::require;

// readText never touches files.
class NoFiles final : public dovrel::Files {
public:
    std::optional<std::string> read(const std::filesystem::path&) const override { return std::nullopt; }
    dovrel::FileStatus copy(const std::filesystem::path&, const std::filesystem::path&) override {
        return refused();
    }
    dovrel::FileStatus replace(const std::filesystem::path&, std::string_view) override { return refused(); }
    dovrel::FileStatus remove(const std::filesystem::path&) override { return refused(); }
    dovrel::FileStatus rename(const std::filesystem::path&, const std::filesystem::path&) override {
        return refused();
    }
    std::vector<std::string> list(const std::filesystem::path&) const override { return {}; }

private:
    static dovrel::FileStatus refused() { return dovrel::FileStatus::failure("no files while fuzzing"); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NoFiles files;
    dovrel::CountingEventPump events;
    int namesShown = 0;
    const dovrel::BlueprintReader reader(files, events, [&](const std::string&) { ++namesShown; });
    dovrel::BlueprintFields fields;
    fields.resetAllButKind();
    const int status = reader.readText(dovrel::fuzz::inputText(data, size), fields);
    require(status == dovrel::kBlueprintRead || status == dovrel::kNotAVehicleBlueprint ||
                status == dovrel::kBlueprintReadFailed,
            "the reader answers with one of its statuses");
    require(namesShown <= 1, "the English name is shown at most once");
    if (status == dovrel::kBlueprintRead && fields.hasBothCouplings()) {
        const dovrel::EquipmentRecord record(
            dovrel::assembleRecord(fields, "Acme", "Pack", "RailVehicles\\Engine\\e.xml"));
        require(record.fieldCount() >= dovrel::kRecordFieldCount, "a record holds all its fields");
    }
    return 0;
}
