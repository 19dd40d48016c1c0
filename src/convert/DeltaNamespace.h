// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace dovrel {

// The delta-serialisation namespace that a new user-consist document declares as xmlns:d: the
// value on the root line of the last XML the converter wrote in this run, so that whichever
// converter is in use gets its own namespace back; "urn:vantor:delta" before any such XML.
class DeltaNamespace {
public:
    static constexpr std::string_view kDefault = "urn:vantor:delta";

    // Takes the xmlns:d value from the root line of converter output. Output without a root line
    // that declares one leaves the value as it was.
    void noteConverterOutput(std::string_view xml);

    const std::string& value() const { return value_; }

private:
    std::string value_{kDefault};
};

// The xmlns:d value of an element's opening line; empty when the line declares none.
std::string declaredDeltaNamespace(std::string_view line);

} // namespace dovrel
