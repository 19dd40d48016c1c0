// SPDX-License-Identifier: GPL-3.0-or-later
#include "StructureCheck.h"

namespace serz {
namespace {

std::string quoted(std::string_view name) {
    // Appended piece by piece: g++ 12 at -O3 takes "'" + std::string(name) for an overlapping copy.
    std::string text;
    text.reserve(name.size() + 2);
    text += '\'';
    text += name;
    text += '\'';
    return text;
}

} // namespace

std::optional<std::string> StructureCheck::accept(const RecordView& record) {
    if (started_ && depth_ == 0) {
        return "a record follows the end of the root element";
    }
    if (!started_ && record.kind != RecordKind::Open) {
        return "the root must be an element that opens, not a value";
    }
    started_ = true;
    switch (record.kind) {
    case RecordKind::Open:
        if (depth_ == kMaxDepth) {
            return "elements nest more than " + std::to_string(kMaxDepth) + " levels deep";
        }
        if (depth_ < open_.size()) {
            open_[depth_] = record.name;
        } else {
            open_.emplace_back(record.name);
        }
        ++depth_;
        break;
    case RecordKind::Close:
        if (open_[depth_ - 1] != record.name) {
            return "close of " + quoted(record.name) + " does not match the open element " +
                   quoted(open_[depth_ - 1]);
        }
        --depth_;
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<std::string> StructureCheck::finish() const {
    if (!started_) {
        return "there is no root element";
    }
    if (depth_ != 0) {
        return "element " + quoted(open_[depth_ - 1]) + " is not closed";
    }
    return std::nullopt;
}

} // namespace serz
