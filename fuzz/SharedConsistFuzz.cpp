// SPDX-License-Identifier: GPL-3.0-or-later
// The shareable consist file: any bytes give a consist or a reason, never both; a consist read holds
// between 1 and 5001 units and no control character in a name, and written again it reads back as
// the same consist.
#include "FuzzSupport.h"
#include "catalogue/EquipmentRecord.h"
#include "sharing/SharedConsistFile.h"

#include <algorithm>

using dovrel::fuzz::require;

namespace {
bool printable(const std::string& text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; });
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const dovrel::SharedConsistRead read = dovrel::readSharedConsist(dovrel::fuzz::inputText(data, size));
    require(read.consist.has_value() != !read.error.empty(), "a consist or a reason");
    if (!read.consist) {
        return 0;
    }
    const dovrel::SharedConsist& consist = *read.consist;
    require(!consist.units.empty() && consist.units.size() <= dovrel::kConsistLineSlots, "1 to 5001 units");
    require(printable(consist.name), "no control character in the name");
    for (const dovrel::SharedUnit& unit : consist.units) {
        require(printable(unit.provider) && printable(unit.product) && printable(unit.blueprint) &&
                    printable(unit.name),
                "no control character in a unit's names");
    }
    const dovrel::SharedConsistRead again = dovrel::readSharedConsist(dovrel::sharedConsistText(consist));
    require(again.consist && *again.consist == consist, "a written consist reads back the same");
    return 0;
}
