#include "browser/UnitFolder.h"

#include "browser/CatalogueSearch.h"
#include "core/NameResolver.h"
#include "core/TextRules.h"

namespace dovrel {

std::optional<std::filesystem::path> unitFolderToOpen(std::string_view englishNameCell,
                                                      std::span<const std::string> catalogue,
                                                      const std::filesystem::path& assetsFolder) {
    const std::optional<EquipmentRecord> record = findFirstRecordNamed(catalogue, englishNameCell);
    if (!record) {
        return std::nullopt;
    }
    std::string gamePath(record->field(RecordField::provider));
    gamePath += '\\';
    gamePath += record->field(RecordField::product);
    gamePath += '\\';
    gamePath += record->field(RecordField::blueprintPath);
    gamePath.erase(gamePath.rfind('\\'));

    if (std::optional<std::filesystem::path> resolved = resolveGamePath(assetsFolder, gamePath)) {
        return resolved;
    }
    std::filesystem::path spelled = assetsFolder;
    for (const std::string& component : splitAt(gamePath, "\\")) {
        if (!component.empty()) {
            spelled /= component;
        }
    }
    return spelled;
}

} // namespace dovrel
