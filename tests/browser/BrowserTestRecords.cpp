#include "browser/BrowserTestRecords.h"

#include "core/TextRules.h"

namespace dovrel::testing {

std::string recordWith(std::initializer_list<std::pair<Field, std::string>> fields) {
    const std::vector<std::string> plain = splitAt(
        "diesel|Class 66|Acme|Freightliner|RailVehicles\\Diesel\\Class66\\class66.xml|"
        "RailVehicles\\Couplings\\Buffer.xml|RailVehicles\\Couplings\\Buffer.xml|Buffer|Buffer|class66|"
        "126||0.5|0.3|0.001|0.35|0.25|0.15|1.5|None|0",
        "|");
    std::array<std::string, kRecordFieldCount> values;
    std::copy(plain.begin(), plain.end(), values.begin());
    for (const auto& [field, value] : fields) {
        values[static_cast<std::size_t>(field)] = value;
    }
    return EquipmentRecord::join(values);
}

std::string unitRecord(std::string unitClass, std::string englishName, std::string provider,
                       std::string product) {
    return recordWith({{Field::unitClass, std::move(unitClass)},
                       {Field::englishName, std::move(englishName)},
                       {Field::provider, std::move(provider)},
                       {Field::product, std::move(product)}});
}

} // namespace dovrel::testing
