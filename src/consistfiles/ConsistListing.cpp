#include "consistfiles/ConsistListing.h"

namespace dovrel {

const std::string& ConsistListing::listedConsist(std::size_t slot) const {
    static const std::string kNone;
    return slot < listedConsists_.size() ? listedConsists_[slot] : kNone;
}

void ConsistListing::appendUnit(std::string_view record, std::string_view heading) {
    if (isFull()) {
        return;
    }
    std::string& slot = listedConsists_[rows_.size()];
    slot.append(record);
    slot.push_back('|');
    slot.append(heading);
    slot.push_back(':');
}

bool ConsistListing::openConsistHasUnits() const {
    return !isFull() && !listedConsists_[rows_.size()].empty();
}

void ConsistListing::discardOpenConsist() {
    if (!isFull()) {
        listedConsists_[rows_.size()].clear();
    }
}

void ConsistListing::listOpenConsist(ConsistRow row) {
    if (!isFull()) {
        rows_.push_back(std::move(row));
    }
}

void ConsistListing::dropFinalColons() {
    for (std::string& slot : listedConsists_) {
        if (slot.ends_with(':')) {
            slot.pop_back();
        }
    }
}

} // namespace dovrel
