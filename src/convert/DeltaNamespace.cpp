// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/DeltaNamespace.h"

#include "core/TextRules.h"

namespace dovrel {

std::string declaredDeltaNamespace(std::string_view line) {
    constexpr std::string_view kAttribute = "xmlns:d=\"";
    const std::size_t start = line.find(kAttribute);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t valueStart = start + kAttribute.size();
    const std::size_t valueEnd = line.find('"', valueStart);
    if (valueEnd == std::string_view::npos) {
        return {};
    }
    return std::string(line.substr(valueStart, valueEnd - valueStart));
}

void DeltaNamespace::noteConverterOutput(std::string_view xml) {
    // The root is the first element line after the declaration and any comments; only the lines
    // up to it are looked at, so a long document costs no more than its head.
    while (!xml.empty()) {
        const std::size_t end = xml.find('\n');
        const std::string_view line =
            trimSpaces(xml.substr(0, end == std::string_view::npos ? xml.size() : end));
        xml = end == std::string_view::npos ? std::string_view{} : xml.substr(end + 1);
        const std::string_view content =
            line.ends_with('\r') ? trimSpaces(line.substr(0, line.size() - 1)) : line;
        if (content.empty() || content.starts_with("<?") || content.starts_with("<!")) {
            continue;
        }
        if (std::string declared = declaredDeltaNamespace(content); !declared.empty()) {
            value_ = std::move(declared);
        }
        return;
    }
}

} // namespace dovrel
