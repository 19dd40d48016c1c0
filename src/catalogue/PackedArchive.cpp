// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/PackedArchive.h"

#include "core/TextRules.h"

#include <zip.h>

namespace dovrel {

namespace {

// A blueprint is tens of kilobytes; an entry that claims more than this is not read.
constexpr std::uint64_t kLargestEntry = std::uint64_t{256} << 20;

} // namespace

void PackedArchive::Closer::operator()(zip* archive) const {
    zip_discard(archive);
}

std::optional<PackedArchive> PackedArchive::open(const std::filesystem::path& file) {
    int error = 0;
    zip* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        return std::nullopt;
    }
    return PackedArchive(file, archive);
}

std::vector<PackedArchive::Entry> PackedArchive::entries() const {
    std::vector<Entry> all;
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (name != nullptr) {
            all.push_back(Entry{static_cast<std::uint64_t>(i), name});
        }
    }
    return all;
}

std::optional<std::string> PackedArchive::read(const Entry& entry) const {
    const char* name = zip_get_name(archive_.get(), entry.index, ZIP_FL_ENC_RAW);
    if (name == nullptr || entry.name != name) {
        return std::nullopt;
    }
    zip_stat_t status;
    zip_stat_init(&status);
    if (zip_stat_index(archive_.get(), entry.index, ZIP_FL_ENC_RAW, &status) != 0 ||
        (status.valid & ZIP_STAT_SIZE) == 0 || status.size > kLargestEntry) {
        return std::nullopt;
    }
    zip_file_t* opened = zip_fopen_index(archive_.get(), entry.index, 0);
    if (opened == nullptr) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(status.size), '\0');
    std::size_t filled = 0;
    bool failed = false;
    // Reading on to the end lets libzip compare the checksum; one byte more than the stated size
    // must not come.
    char spare = 0;
    while (true) {
        char* target = filled < bytes.size() ? bytes.data() + filled : &spare;
        const std::size_t room = filled < bytes.size() ? bytes.size() - filled : 1;
        const zip_int64_t got = zip_fread(opened, target, room);
        if (got < 0) {
            failed = true;
            break;
        }
        if (got == 0) {
            break;
        }
        if (filled >= bytes.size()) {
            failed = true;
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    zip_fclose(opened);
    if (failed || filled != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

bool isPackedArchiveName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot != std::string_view::npos && asciiLower(fileName.substr(dot)) == ".ap";
}

std::optional<std::string> ArchiveShelf::read(const std::filesystem::path& archive,
                                              const PackedArchive::Entry& entry) {
    std::optional<PackedArchive> opened = borrow(archive);
    if (!opened) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = opened->read(entry);
    giveBack(std::move(*opened));
    return bytes;
}

std::optional<PackedArchive> ArchiveShelf::borrow(const std::filesystem::path& archive) {
    {
        const std::lock_guard lock(mutex_);
        for (auto it = idle_.rbegin(); it != idle_.rend(); ++it) {
            if (it->file() == archive) {
                PackedArchive found = std::move(*it);
                idle_.erase(std::next(it).base());
                return found;
            }
        }
    }
    return PackedArchive::open(archive);
}

void ArchiveShelf::giveBack(PackedArchive archive) {
    const std::lock_guard lock(mutex_);
    idle_.push_back(std::move(archive));
    if (idle_.size() > kKeptOpen) {
        idle_.erase(idle_.begin());
    }
}

} // namespace dovrel
