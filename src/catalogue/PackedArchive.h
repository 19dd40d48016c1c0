// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct zip;

namespace dovrel {

// A product's packed stock: an ".ap" file, a zip archive whose entry paths are relative to the
// product folder. Read through libzip; one open archive serves one thread at a time.
class PackedArchive {
public:
    struct Entry {
        std::uint64_t index = 0;
        std::string name; // as stored, "/" or "\" between the parts
    };

    // The archive at a path; empty optional when it cannot be opened as a zip archive.
    static std::optional<PackedArchive> open(const std::filesystem::path& file);

    PackedArchive(PackedArchive&&) noexcept = default;
    PackedArchive& operator=(PackedArchive&&) noexcept = default;
    ~PackedArchive() = default;

    const std::filesystem::path& file() const { return file_; }

    // Every entry, in the archive's own order.
    std::vector<Entry> entries() const;

    // The whole content of an entry, checked against its stored checksum; empty optional when it
    // cannot be read (no such entry, another name there, a damaged or oversized entry).
    std::optional<std::string> read(const Entry& entry) const;

private:
    struct Closer {
        void operator()(zip* archive) const;
    };
    PackedArchive(std::filesystem::path file, zip* archive) : file_(std::move(file)), archive_(archive) {}

    std::filesystem::path file_;
    std::unique_ptr<zip, Closer> archive_;
};

// Whether a file name is that of packed stock: the extension ".ap" in any letter case.
bool isPackedArchiveName(std::string_view fileName);

// Open archives lent to the threads that read entries: each archive is opened at most once per
// thread that reads from it at the same time, and kept open for later reads. Thread-safe.
class ArchiveShelf {
public:
    // The entry's bytes, as PackedArchive::read gives them; empty optional when the archive cannot
    // be opened either.
    std::optional<std::string> read(const std::filesystem::path& archive, const PackedArchive::Entry& entry);

private:
    std::optional<PackedArchive> borrow(const std::filesystem::path& archive);
    void giveBack(PackedArchive archive);

    static constexpr std::size_t kKeptOpen = 8;
    std::mutex mutex_;
    std::vector<PackedArchive> idle_; // the most recently returned last
};

} // namespace dovrel
