#include "support/CatalogueRecords.h"

namespace dovrel::testing {

namespace {
std::string shortName(const std::string& id) {
    std::string name = id.substr(id.rfind('\\') == std::string::npos ? 0 : id.rfind('\\') + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
} // namespace

RecordSpec unit(std::string unitClass, std::string englishName, std::string provider, std::string product,
                std::string frontCoupling, std::string rearCoupling) {
    return {.unitClass = std::move(unitClass),
            .englishName = std::move(englishName),
            .provider = std::move(provider),
            .product = std::move(product),
            .frontCoupling = std::move(frontCoupling),
            .rearCoupling = std::move(rearCoupling)};
}

std::string recordLine(const RecordSpec& spec) {
    const std::string path =
        spec.blueprintPath.empty() ? "RailVehicles\\" + spec.englishName + "\\unit.xml" : spec.blueprintPath;
    return spec.unitClass + "|" + spec.englishName + "|" + spec.provider + "|" + spec.product + "|" + path +
           "|" + spec.frontCoupling + "|" + spec.rearCoupling + "|" + shortName(spec.frontCoupling) + "|" +
           shortName(spec.rearCoupling) + "|common " + spec.englishName + "|" + spec.mass + "|" +
           spec.capacity + "|1|0.3|0.002|0.3|0.2|0.1|1.5|" + spec.freightType + "|" + spec.multipleUnit;
}

std::string cacheText(const std::vector<RecordSpec>& specs) {
    std::string text;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        text += (i == 0 ? "" : "\r\n") + recordLine(specs[i]);
    }
    return text;
}

} // namespace dovrel::testing
