// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Files.h"

#include <string>
#include <vector>

namespace dovrel {

// Passes every call to real files, except the operations told to fail: those return a failure with
// the given reason and touch nothing.
class FailingFiles final : public Files {
public:
    enum class Operation { Copy, Replace, Remove, Rename };

    explicit FailingFiles(Files& real) : real_(real) {}

    // Fails the operation on every path whose text contains pathPart (an empty part matches all).
    void failOn(Operation operation, std::string pathPart, std::string reason);
    void clearFailures() { failures_.clear(); }
    int failuresRaised() const { return failuresRaised_; }

    std::optional<std::string> read(const std::filesystem::path& file) const override;
    bool readInPieces(const std::filesystem::path& file, std::size_t pieceBytes,
                      const std::function<bool(std::string_view piece)>& takePiece) const override {
        return real_.readInPieces(file, pieceBytes, takePiece);
    }
    FileStatus copy(const std::filesystem::path& from, const std::filesystem::path& to) override;
    FileStatus replace(const std::filesystem::path& target, std::string_view bytes) override;
    FileStatus remove(const std::filesystem::path& file) override;
    FileStatus rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    std::vector<std::string> list(const std::filesystem::path& folder) const override;

private:
    struct Failure {
        Operation operation;
        std::string pathPart;
        std::string reason;
    };
    const Failure* failureFor(Operation operation, const std::filesystem::path& path) const;

    Files& real_;
    std::vector<Failure> failures_;
    int failuresRaised_ = 0;
};

} // namespace dovrel
