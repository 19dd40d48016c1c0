// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stock.h"

namespace dovrel::sample {

std::string blueprintId(const std::string& folder, const std::string& fileName) {
    std::string id = folder.empty() ? fileName : folder + "/" + fileName;
    for (char& c : id) {
        if (c == '/') {
            c = '\\';
        }
    }
    const auto dot = id.rfind('.');
    if (dot != std::string::npos && id.find('\\', dot) == std::string::npos) {
        id.resize(dot);
    }
    return id + ".xml";
}

std::string blueprintId(const Vehicle& vehicle) {
    return blueprintId(vehicle.folder, vehicle.fileName);
}

std::string blueprintFileOf(const std::string& id) {
    std::string file = id;
    for (char& c : file) {
        if (c == '\\') {
            c = '/';
        }
    }
    const auto dot = file.rfind('.');
    if (dot != std::string::npos && file.find('/', dot) == std::string::npos) {
        file.resize(dot);
    }
    return file + ".bin";
}

} // namespace dovrel::sample
