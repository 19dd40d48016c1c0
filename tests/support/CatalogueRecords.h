// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace dovrel::testing {

// A catalogue record with the fields tests care about; the rest are plausible numbers.
struct RecordParts {
    std::string unitClass;
    std::string englishName;
    std::string provider = "Acme";
    std::string product = "Pack";
    std::string frontCoupling = "RailVehicles\\Couplings\\Buffer.xml";
    std::string rearCoupling = "RailVehicles\\Couplings\\Buffer.xml";
    std::string mass = "80";
    std::string capacity{};
    std::string freightType = "None";
    std::string multipleUnit = "0";
    std::string blueprintPath{}; // derived from the name when empty
};

inline const std::string kBufferCoupling = "RailVehicles\\Couplings\\Buffer.xml";

RecordParts unit(std::string unitClass, std::string englishName, std::string provider = "Acme",
                 std::string product = "Pack", std::string frontCoupling = kBufferCoupling,
                 std::string rearCoupling = kBufferCoupling);

std::string recordLine(const RecordParts& record);

// The cache file's text for the records: joined by CR LF, none after the last.
std::string cacheText(const std::vector<RecordParts>& records);

} // namespace dovrel::testing
