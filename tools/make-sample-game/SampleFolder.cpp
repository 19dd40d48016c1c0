// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <system_error>
#include <vector>

namespace dovrel::sample {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kListHeader =
    "make-sample-game: the files of a generated sample installation; make-sample-game removes them "
    "before it writes a new one here.";

std::string quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

std::string lastReason() {
    return std::strerror(errno);
}

// A relative path of plain names: no root, no empty, "." or ".." parts.
bool isPlainRelative(const fs::path& relative) {
    if (relative.empty() || relative.is_absolute() || relative.has_root_path()) {
        return false;
    }
    return std::none_of(relative.begin(), relative.end(), [](const fs::path& part) {
        const std::string name = part.string();
        return name.empty() || name == "." || name == "..";
    });
}

// Tells whether every folder between the root and a file is a real folder, not a link that
// could lead out of the root. Remembers the folders it has seen.
class InsideCheck {
public:
    explicit InsideCheck(fs::path root) : root_(std::move(root)) {}

    bool staysInside(const fs::path& relative) {
        fs::path folder;
        for (const fs::path& part : relative.parent_path()) {
            folder /= part;
            if (seen_.count(folder) == 1) {
                continue;
            }
            std::error_code error;
            if (!fs::is_directory(fs::symlink_status(root_ / folder, error))) {
                return false;
            }
            seen_.insert(folder);
        }
        return true;
    }

private:
    fs::path root_;
    std::set<fs::path> seen_;
};

} // namespace

SampleFolder::SampleFolder(fs::path root) : root_(std::move(root)) {
    std::error_code error;
    const fs::file_status status = fs::status(root_, error);
    if (!fs::exists(status)) {
        fs::create_directories(root_, error);
        if (error) {
            throw SampleError("cannot create the folder " + quoted(root_) + ": " + error.message());
        }
    } else if (!fs::is_directory(status)) {
        throw SampleError(quoted(root_) + " exists and is not a folder");
    } else if (fs::exists(fs::symlink_status(root_ / kListName, error))) {
        clearEarlierSample();
    } else {
        const bool empty = fs::is_empty(root_, error);
        if (error) {
            throw SampleError("cannot read the folder " + quoted(root_) + ": " + error.message());
        }
        if (!empty) {
            throw SampleError(quoted(root_) + " is not empty and holds no earlier sample (no " +
                              std::string(kListName) + " file); give a new or empty folder");
        }
    }
    list_.open(root_ / kListName, std::ios::binary | std::ios::trunc);
    if (!list_) {
        throw SampleError("cannot write in the folder " + quoted(root_) + ": " + lastReason());
    }
    list_ << kListHeader << '\n';
}

void SampleFolder::clearEarlierSample() {
    const fs::path listFile = root_ / kListName;
    std::ifstream in(listFile, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != kListHeader) {
        throw SampleError(quoted(listFile) + " was not written by make-sample-game; nothing was changed");
    }
    std::set<fs::path> folders;
    InsideCheck inside(root_);
    while (std::getline(in, line)) {
        const fs::path relative(line);
        if (!isPlainRelative(relative) || !inside.staysInside(relative)) {
            continue;
        }
        std::error_code error;
        const fs::file_status status = fs::symlink_status(root_ / relative, error);
        if (fs::is_regular_file(status) || fs::is_symlink(status)) {
            fs::remove(root_ / relative, error);
        }
        for (fs::path folder = relative.parent_path(); !folder.empty(); folder = folder.parent_path()) {
            folders.insert(folder);
        }
    }
    in.close();
    // Deepest first, so a folder is empty by the time it is tried; a folder that still holds
    // something the list did not name is not empty, and removing it fails and leaves it.
    std::vector<std::pair<std::ptrdiff_t, fs::path>> order;
    for (const fs::path& folder : folders) {
        order.emplace_back(std::distance(folder.begin(), folder.end()), folder);
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [depth, folder] : order) {
        std::error_code error;
        if (fs::is_directory(fs::symlink_status(root_ / folder, error))) {
            fs::remove(root_ / folder, error);
        }
    }
    std::error_code error;
    fs::remove(listFile, error);
    if (error) {
        throw SampleError("cannot remove " + quoted(listFile) + ": " + error.message());
    }
}

void SampleFolder::write(const std::string& relative, std::string_view bytes) {
    const fs::path file = root_ / fs::path(relative);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        throw SampleError("cannot create the folder " + quoted(file.parent_path()) + ": " + error.message());
    }
    if (fs::exists(fs::symlink_status(file, error))) {
        throw SampleError(quoted(file) +
                          " exists already and is not part of an earlier sample; not replaced");
    }
    list_ << relative << '\n';
    list_.flush();
    if (!list_) {
        throw SampleError("cannot write " + quoted(root_ / kListName) + ": " + lastReason());
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw SampleError("cannot write " + quoted(file) + ": " + lastReason());
    }
    ++files_;
    bytes_ += bytes.size();
}

void SampleFolder::finish() {
    list_.close();
    if (!list_) {
        throw SampleError("cannot write " + quoted(root_ / kListName) + ": " + lastReason());
    }
}

} // namespace dovrel::sample
