// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsStore.h"

#include <map>

namespace dovrel {

// Settings held in memory, with a count of writes.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::string> value(std::string_view key) const override {
        const auto found = values_.find(std::string(key));
        if (found == values_.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    void setValue(std::string_view key, std::string_view value) override {
        values_[std::string(key)] = std::string(value);
        ++writes_;
    }
    int writes() const { return writes_; }

private:
    std::map<std::string, std::string> values_;
    int writes_ = 0;
};

} // namespace dovrel
