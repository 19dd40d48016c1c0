#pragma once

#include "platform/SettingsStore.h"

namespace dovrel {

// QSettings in the native format, organisation and application "DovrelConsistEditor", group
// "Preferences"; synced after each write.
class QtSettingsStore final : public SettingsStore {
public:
    std::optional<std::string> value(std::string_view key) const override;
    void setValue(std::string_view key, std::string_view value) override;
};

} // namespace dovrel
