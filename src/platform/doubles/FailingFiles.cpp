// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/doubles/FailingFiles.h"

namespace dovrel {

void FailingFiles::failOn(Operation operation, std::string pathPart, std::string reason) {
    failures_.push_back({operation, std::move(pathPart), std::move(reason)});
}

const FailingFiles::Failure* FailingFiles::failureFor(Operation operation,
                                                      const std::filesystem::path& path) const {
    for (const Failure& failure : failures_) {
        if (failure.operation == operation && path.native().find(failure.pathPart) != std::string::npos) {
            return &failure;
        }
    }
    return nullptr;
}

std::optional<std::string> FailingFiles::read(const std::filesystem::path& file) const {
    return real_.read(file);
}

FileStatus FailingFiles::copy(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (const Failure* failure = failureFor(Operation::Copy, to)) {
        ++failuresRaised_;
        return FileStatus::failure(failure->reason);
    }
    return real_.copy(from, to);
}

FileStatus FailingFiles::replace(const std::filesystem::path& target, std::string_view bytes) {
    if (const Failure* failure = failureFor(Operation::Replace, target)) {
        ++failuresRaised_;
        return FileStatus::failure(failure->reason);
    }
    return real_.replace(target, bytes);
}

FileStatus FailingFiles::remove(const std::filesystem::path& file) {
    if (const Failure* failure = failureFor(Operation::Remove, file)) {
        ++failuresRaised_;
        return FileStatus::failure(failure->reason);
    }
    return real_.remove(file);
}

FileStatus FailingFiles::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (const Failure* failure = failureFor(Operation::Rename, to)) {
        ++failuresRaised_;
        return FileStatus::failure(failure->reason);
    }
    return real_.rename(from, to);
}

std::vector<std::string> FailingFiles::list(const std::filesystem::path& folder) const {
    return real_.list(folder);
}

} // namespace dovrel
