// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CatalogueRecords.h"

namespace dovrel::testing {

namespace {
std::string shortName(const std::string& id) {
    std::string name = id.substr(id.rfind('\\') == std::string::npos ? 0 : id.rfind('\\') + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
} // namespace

RecordParts unit(std::string unitClass, std::string englishName, std::string provider, std::string product,
                 std::string frontCoupling, std::string rearCoupling) {
    return {.unitClass = std::move(unitClass),
            .englishName = std::move(englishName),
            .provider = std::move(provider),
            .product = std::move(product),
            .frontCoupling = std::move(frontCoupling),
            .rearCoupling = std::move(rearCoupling)};
}

std::string recordLine(const RecordParts& record) {
    const std::string path = record.blueprintPath.empty()
                                 ? "RailVehicles\\" + record.englishName + "\\unit.xml"
                                 : record.blueprintPath;
    return record.unitClass + "|" + record.englishName + "|" + record.provider + "|" + record.product + "|" +
           path + "|" + record.frontCoupling + "|" + record.rearCoupling + "|" +
           shortName(record.frontCoupling) + "|" + shortName(record.rearCoupling) + "|common " +
           record.englishName + "|" + record.mass + "|" + record.capacity + "|1|0.3|0.002|0.3|0.2|0.1|1.5|" +
           record.freightType + "|" + record.multipleUnit;
}

std::string cacheText(const std::vector<RecordParts>& records) {
    std::string text;
    for (std::size_t i = 0; i < records.size(); ++i) {
        text += (i == 0 ? "" : "\r\n") + recordLine(records[i]);
    }
    return text;
}

} // namespace dovrel::testing
