// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace dovrel::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string buffer = (fs::temp_directory_path() / "dovrel-test-XXXXXX").string();
    if (::mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = buffer.data();
    fs::create_directories(configFolder());
    fs::create_directories(programFolder());
    fs::create_directories(gameFolder());
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Folders a test made read-only must become writable again to be removed.
    for (auto it =
             fs::recursive_directory_iterator(path_, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
    }
    fs::remove_all(path_, error);
}

fs::path TempFolder::write(const fs::path& relative, const std::string& bytes) const {
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace dovrel::testing
