#include "consistfiles/DeltaNamespace.h"

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

void DeltaNamespace::noteConverterOutput(const std::vector<std::string>& lines) {
    // The root is the first element line after the declaration and any comments.
    for (const std::string& rawLine : lines) {
        const std::string_view line = trimSpaces(rawLine);
        if (line.empty() || line.starts_with("<?") || line.starts_with("<!")) {
            continue;
        }
        if (std::string declared = declaredDeltaNamespace(line); !declared.empty()) {
            value_ = std::move(declared);
        }
        return;
    }
}

} // namespace dovrel
