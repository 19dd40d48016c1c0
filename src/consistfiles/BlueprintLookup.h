#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dovrel {

// Finds a unit in the catalogue by its blueprint path, ignoring ASCII case: the first record, in
// slot order, whose blueprintPath equals the blueprint. The catalogue ends at its first empty slot
// and after slot 5000. Provider and product are not compared.
class BlueprintLookup {
public:
    // The catalogue must outlive the lookup.
    explicit BlueprintLookup(const std::vector<std::string>& catalogue);

    // The record's text exactly as stored, or nullptr when no record has that blueprint path.
    const std::string* find(std::string_view blueprint) const;
    // The same for a path as a consist file writes it, its entities ("&amp;") read first.
    const std::string* findWritten(std::string_view blueprintAsWritten) const;

private:
    std::unordered_map<std::string, const std::string*> firstRecordByPath_;
};

} // namespace dovrel
