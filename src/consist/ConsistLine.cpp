// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistLine.h"

#include "consist/ConsistUnit.h"

#include <algorithm>
#include <type_traits>

namespace dovrel {

namespace {
const std::string kNoUnit;
}

const char* editStatusName(EditStatus status) {
    switch (status) {
    case EditStatus::Full:
        return "full";
    case EditStatus::OutOfRange:
        return "out of range";
    case EditStatus::Mismatch:
        return "mismatch";
    case EditStatus::Applied:
        break;
    }
    return "applied";
}

ConsistLine::ConsistLine() : consistUnits_(static_cast<std::size_t>(kCapacity)) {}

std::span<const std::string> ConsistLine::units() const {
    return std::span<const std::string>(consistUnits_).first(static_cast<std::size_t>(unitCount_));
}

const std::string& ConsistLine::unit(std::int32_t index) const {
    return holds(index) ? consistUnits_[static_cast<std::size_t>(index)] : kNoUnit;
}

bool ConsistLine::setSelectedIndex(std::int32_t index) {
    if (index != -1 && !holds(index)) {
        return false;
    }
    selectedIndex_ = index;
    return true;
}

EditStatus ConsistLine::apply(const ConsistEdit& edit) {
    const EditStatus status = check(edit);
    if (status != EditStatus::Applied) {
        return status;
    }
    carryOut(edit);
    ++revision_;
    if (const auto* whole = std::get_if<ReplaceLine>(&edit)) {
        lastWholeLine_ = whole->after;
        lastWholeRevision_ = revision_;
    }
    selectedIndex_ = selectionOf(edit).after;
    for (ConsistLineObserver* observer : observers_) {
        observer->lineEdited(*this, edit);
    }
    return EditStatus::Applied;
}

SharedUnits ConsistLine::sharedUnits() {
    if (lastWholeRevision_ != revision_) {
        const auto current = units();
        lastWholeLine_ = SharedUnits(current.begin(), current.end());
        lastWholeRevision_ = revision_;
    }
    return lastWholeLine_;
}

void ConsistLine::addObserver(ConsistLineObserver& observer) {
    observers_.push_back(&observer);
}

void ConsistLine::removeObserver(ConsistLineObserver& observer) {
    std::erase(observers_, &observer);
}

EditStatus ConsistLine::check(const ConsistEdit& edit) const {
    const EditStatus fits = std::visit(
        [this](const auto& kind) -> EditStatus {
            using Kind = std::decay_t<decltype(kind)>;
            if constexpr (std::is_same_v<Kind, InsertUnit>) {
                if (full()) {
                    return EditStatus::Full;
                }
                return kind.index >= 0 && kind.index <= unitCount_ ? EditStatus::Applied
                                                                   : EditStatus::OutOfRange;
            } else if constexpr (std::is_same_v<Kind, RemoveUnit>) {
                if (!holds(kind.index)) {
                    return EditStatus::OutOfRange;
                }
                return unit(kind.index) == kind.unit ? EditStatus::Applied : EditStatus::Mismatch;
            } else if constexpr (std::is_same_v<Kind, ReplaceUnit>) {
                if (!holds(kind.index)) {
                    return EditStatus::OutOfRange;
                }
                return unit(kind.index) == kind.before ? EditStatus::Applied : EditStatus::Mismatch;
            } else if constexpr (std::is_same_v<Kind, SwapUnits>) {
                return holds(kind.first) && holds(kind.second) ? EditStatus::Applied : EditStatus::OutOfRange;
            } else if constexpr (std::is_same_v<Kind, ToggleHeading>) {
                return holds(kind.index) ? EditStatus::Applied : EditStatus::OutOfRange;
            } else if constexpr (std::is_same_v<Kind, ReplaceLine>) {
                if (kind.after.size() > static_cast<std::size_t>(kCapacity)) {
                    return EditStatus::Full;
                }
                return std::ranges::equal(units(), kind.before) ? EditStatus::Applied : EditStatus::Mismatch;
            } else {
                return EditStatus::Applied;
            }
        },
        edit);
    if (fits != EditStatus::Applied) {
        return fits;
    }
    return selectionFitsAfter(edit) ? EditStatus::Applied : EditStatus::OutOfRange;
}

bool ConsistLine::selectionFitsAfter(const ConsistEdit& edit) const {
    std::int32_t countAfter = unitCount_;
    if (std::holds_alternative<InsertUnit>(edit)) {
        ++countAfter;
    } else if (std::holds_alternative<RemoveUnit>(edit)) {
        --countAfter;
    } else if (const auto* whole = std::get_if<ReplaceLine>(&edit)) {
        countAfter = static_cast<std::int32_t>(whole->after.size());
    }
    const std::int32_t after = selectionOf(edit).after;
    return after == -1 || (after >= 0 && after < countAfter);
}

void ConsistLine::carryOut(const ConsistEdit& edit) {
    std::visit(
        [this](const auto& kind) {
            using Kind = std::decay_t<decltype(kind)>;
            if constexpr (std::is_same_v<Kind, InsertUnit>) {
                insertAt(kind.index, kind.unit);
            } else if constexpr (std::is_same_v<Kind, RemoveUnit>) {
                removeAt(kind.index);
            } else if constexpr (std::is_same_v<Kind, ReplaceUnit>) {
                consistUnits_[static_cast<std::size_t>(kind.index)] = kind.after;
            } else if constexpr (std::is_same_v<Kind, SwapUnits>) {
                std::swap(consistUnits_[static_cast<std::size_t>(kind.first)],
                          consistUnits_[static_cast<std::size_t>(kind.second)]);
            } else if constexpr (std::is_same_v<Kind, ToggleHeading>) {
                toggleAt(kind.index);
            } else if constexpr (std::is_same_v<Kind, ToggleAllHeadings>) {
                for (std::int32_t i = 0; i < unitCount_; ++i) {
                    toggleAt(i);
                }
            } else if constexpr (std::is_same_v<Kind, MirrorLine>) {
                mirror();
            } else if constexpr (std::is_same_v<Kind, ReplaceLine>) {
                replaceAll(kind.after);
            }
        },
        edit);
}

// The slots move one at a time, highest first, as the table is kept.
void ConsistLine::insertAt(std::int32_t index, const std::string& unit) {
    const std::int32_t count = unitCount_;
    unitCount_ = count + 1;
    for (std::int32_t j = count - 1; j >= index; --j) {
        consistUnits_[static_cast<std::size_t>(j + 1)] =
            std::move(consistUnits_[static_cast<std::size_t>(j)]);
    }
    consistUnits_[static_cast<std::size_t>(index)] = unit;
}

// Closing the gap leaves the former last slot holding a copy of the last unit, as the table does.
void ConsistLine::removeAt(std::int32_t index) {
    for (std::int32_t j = index + 1; j < unitCount_; ++j) {
        consistUnits_[static_cast<std::size_t>(j - 1)] = consistUnits_[static_cast<std::size_t>(j)];
    }
    unitCount_ -= 1;
}

void ConsistLine::toggleAt(std::int32_t index) {
    std::string& slot = consistUnits_[static_cast<std::size_t>(index)];
    slot = withToggledHeading(slot);
}

void ConsistLine::mirror() {
    const std::vector<std::string> reversedOrder(units().rbegin(), units().rend());
    std::ranges::copy(reversedOrder, consistUnits_.begin());
    for (std::int32_t i = 0; i < unitCount_; ++i) {
        toggleAt(i);
    }
}

void ConsistLine::replaceAll(const SharedUnits& units) {
    std::ranges::copy(units, consistUnits_.begin());
    unitCount_ = static_cast<std::int32_t>(units.size());
}

} // namespace dovrel
