// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/BlueprintFields.h"
#include "catalogue/BlueprintReader.h"

#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// What converting and reading one blueprint came to, worked out away from the window: the reader's
// status and values, whether the English name was reached (the window shows it), and how the
// conversion ended, as the converter's exit status. No exit status when the blueprint's bytes could
// not be had, so the converter never ran.
struct BlueprintOutcome {
    int status = kBlueprintReadFailed;
    BlueprintFields fields;
    bool englishNameReached = false;
    std::optional<int> converterResult;
    std::string rootLine; // the converted XML's root line, empty when nothing was converted
};

// Converts a blueprint's bytes with the bundled codec and reads the XML with the blueprint reader,
// all in memory; safe to run on any thread. Empty bytes optional: the blueprint could not be read.
BlueprintOutcome convertAndReadInMemory(const std::optional<std::string>& binary);

} // namespace dovrel
