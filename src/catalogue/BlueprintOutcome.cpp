// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/BlueprintOutcome.h"

#include "convert/BundledCodec.h"
#include "core/TextRules.h"

namespace dovrel {

namespace {

// Reading away from the window: there are no events to process there.
class NoEvents final : public EventPump {
public:
    void pump() override {}
};

// The reader only reads text it is given, never a file.
class NoFiles final : public Files {
public:
    std::optional<std::string> read(const std::filesystem::path&) const override { return std::nullopt; }
    FileStatus copy(const std::filesystem::path&, const std::filesystem::path&) override { return refused(); }
    FileStatus replace(const std::filesystem::path&, std::string_view) override { return refused(); }
    FileStatus remove(const std::filesystem::path&) override { return refused(); }
    FileStatus rename(const std::filesystem::path&, const std::filesystem::path&) override {
        return refused();
    }
    std::vector<std::string> list(const std::filesystem::path&) const override { return {}; }

private:
    static FileStatus refused() { return FileStatus::failure("no files in memory"); }
};

} // namespace

BlueprintOutcome convertAndReadInMemory(const std::optional<std::string>& binary) {
    BlueprintOutcome outcome;
    outcome.fields.blueprintKind.clear();
    outcome.fields.resetAllButKind();
    if (!binary) {
        return outcome;
    }
    const std::optional<std::string> xml = binaryToXml(*binary);
    outcome.converterResult = xml ? 0 : 1;
    if (!xml) {
        return outcome;
    }
    outcome.rootLine = std::string(rootLineOf(*xml));
    NoFiles noFiles;
    NoEvents noEvents;
    const BlueprintReader reader(noFiles, noEvents,
                                 [&outcome](const std::string&) { outcome.englishNameReached = true; });
    outcome.status = reader.readText(*xml, outcome.fields);
    return outcome;
}

} // namespace dovrel
