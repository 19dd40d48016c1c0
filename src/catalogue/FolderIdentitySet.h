// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace dovrel {

// A folder's device and inode: the same folder whatever path reaches it.
using FolderIdentity = std::pair<unsigned long long, unsigned long long>;

inline std::size_t hashFolderIdentity(const FolderIdentity& identity) {
    return std::hash<unsigned long long>()(identity.second * 0x9E3779B97F4A7C15ULL ^ identity.first);
}

// Slots for a table of folder identities kept in one block (open addressing, probed in order): a
// walk meets a hundred thousand folders and more, and a table node each would cost an allocation
// and a cache miss apiece. A slot holds a position in the owner's own list, or none.
class FolderSlots {
public:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    // The slot where `identity` stands or would stand; `identityAt` gives the identity of a position.
    // Only with room made for one more position.
    template <class IdentityAt>
    std::uint32_t& slotFor(const FolderIdentity& identity, const IdentityAt& identityAt) {
        return slots_[probe(identity, identityAt)];
    }
    // The position of `identity`; kEmpty when it has none.
    template <class IdentityAt>
    std::uint32_t find(const FolderIdentity& identity, const IdentityAt& identityAt) const {
        return slots_.empty() ? kEmpty : slots_[probe(identity, identityAt)];
    }
    // Room for `count` positions at most half the slots full; the positions placed again.
    template <class IdentityAt> void makeRoom(std::size_t count, const IdentityAt& identityAt) {
        if (2 * count <= slots_.size()) {
            return;
        }
        std::size_t size = 16;
        while (size < 2 * count) {
            size *= 2;
        }
        std::vector<std::uint32_t> old(size, kEmpty);
        old.swap(slots_);
        for (const std::uint32_t position : old) {
            if (position != kEmpty) {
                slotFor(identityAt(position), identityAt) = position;
            }
        }
    }

private:
    template <class IdentityAt>
    std::size_t probe(const FolderIdentity& identity, const IdentityAt& identityAt) const {
        const std::size_t mask = slots_.size() - 1;
        std::size_t slot = hashFolderIdentity(identity) & mask;
        while (slots_[slot] != kEmpty && !(identityAt(slots_[slot]) == identity)) {
            slot = (slot + 1) & mask;
        }
        return slot;
    }

    std::vector<std::uint32_t> slots_;
};

// The folders a walk entered, in the order it entered them.
class FolderIdentitySet {
    struct At {
        const std::vector<FolderIdentity>* identities;
        const FolderIdentity& operator()(std::uint32_t position) const { return (*identities)[position]; }
    };
    At at() const { return At{&inOrder_}; }

public:
    // False when the folder was in the set already.
    bool insert(const FolderIdentity& identity) {
        slots_.makeRoom(inOrder_.size() + 1, at());
        std::uint32_t& slot = slots_.slotFor(identity, at());
        if (slot != FolderSlots::kEmpty) {
            return false;
        }
        slot = static_cast<std::uint32_t>(inOrder_.size());
        inOrder_.push_back(identity);
        return true;
    }
    bool contains(const FolderIdentity& identity) const {
        return slots_.find(identity, at()) != FolderSlots::kEmpty;
    }
    const std::vector<FolderIdentity>& inOrder() const { return inOrder_; }

private:
    std::vector<FolderIdentity> inOrder_;
    FolderSlots slots_;
};

} // namespace dovrel
