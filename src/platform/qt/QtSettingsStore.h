// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsStore.h"

#include <filesystem>
#include <optional>

namespace dovrel {

// QSettings in the native format, organisation and application "DovrelConsistEditor", group
// "Preferences"; synced after each write.
class QtSettingsStore final : public SettingsStore {
public:
    // The user's own settings file.
    QtSettingsStore() = default;
    // The settings file at that path, in the same format (another user's, as a test reads it).
    explicit QtSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

    std::optional<std::string> value(std::string_view key) const override;
    void setValue(std::string_view key, std::string_view value) override;

private:
    std::optional<std::filesystem::path> file_;
};

} // namespace dovrel
