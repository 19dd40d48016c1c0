// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/CatalogueLookup.h"

namespace dovrel {

namespace {

std::optional<std::string> copied(const std::string* record) {
    return record != nullptr ? std::optional<std::string>(*record) : std::nullopt;
}

} // namespace

std::optional<std::string> findRecordIgnoringCase(const Catalogue& catalogue, std::string_view name) {
    return copied(catalogue.firstNamedIgnoringCase(name));
}

std::optional<std::string> findRecordExactly(const Catalogue& catalogue, std::string_view name) {
    return copied(catalogue.firstNamed(name));
}

} // namespace dovrel
