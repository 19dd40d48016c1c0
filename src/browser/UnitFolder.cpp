// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/UnitFolder.h"

#include "browser/CatalogueSearch.h"
#include "catalogue/PackedArchive.h"
#include "core/NameResolver.h"
#include "core/TextRules.h"

#include <algorithm>
#include <system_error>

namespace dovrel {

namespace {

// The product folder of a record when it lies on disk and holds packed stock.
std::optional<std::filesystem::path> packedProductFolder(const EquipmentRecord& record,
                                                         const std::filesystem::path& assetsFolder) {
    std::string productPath(record.field(RecordField::provider));
    productPath += '\\';
    productPath += record.field(RecordField::product);
    const std::optional<std::filesystem::path> product = resolveGamePath(assetsFolder, productPath);
    if (!product) {
        return std::nullopt;
    }
    const std::vector<std::string> names = listFolderInOrder(*product);
    const bool packed = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        std::error_code error;
        return isPackedArchiveName(name) && std::filesystem::is_regular_file(*product / name, error);
    });
    return packed ? product : std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> unitFolderToOpen(std::string_view englishNameCell,
                                                      const Catalogue& catalogue,
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
    // A unit read from an archive has no folder of its own on disk.
    if (std::optional<std::filesystem::path> product = packedProductFolder(*record, assetsFolder)) {
        return product;
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
