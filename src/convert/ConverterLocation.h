// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace dovrel {

// The converter: DOVREL_SERZ when set (an absolute path to an executable), else "serz" in the
// editor's own folder.
std::filesystem::path converterLocation(const std::optional<std::string>& serzVariable,
                                        const std::filesystem::path& editorFolder);

// True when the file exists and may be executed.
bool isExecutableFile(const std::filesystem::path& file);

// The start-up message for a converter that is missing or cannot run.
std::string converterMissingMessage(const std::filesystem::path& converter);

} // namespace dovrel
