// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ScreenFacilities.h"

#include <deque>
#include <vector>

namespace dovrel {

// Answers file dialogs from a queue (a cancel when it is empty) and records each one.
class QueuedFileDialogs final : public FileDialogs {
public:
    struct Shown {
        std::string title;
        std::filesystem::path folder;
        std::string filter;
        std::optional<std::filesystem::path> result;
        bool save = false;
    };

    void queue(std::optional<std::filesystem::path> result) { results_.push_back(std::move(result)); }
    const std::vector<Shown>& shown() const { return shown_; }

    std::optional<std::filesystem::path> openFile(const std::string& title,
                                                  const std::filesystem::path& folder,
                                                  const std::string& filter) override {
        return take(title, folder, filter, false);
    }
    std::optional<std::filesystem::path> saveFile(const std::string& title,
                                                  const std::filesystem::path& suggested,
                                                  const std::string& filter) override {
        return take(title, suggested, filter, true);
    }

private:
    std::optional<std::filesystem::path> take(const std::string& title, const std::filesystem::path& folder,
                                              const std::string& filter, bool save) {
        std::optional<std::filesystem::path> result;
        if (!results_.empty()) {
            result = results_.front();
            results_.pop_front();
        }
        shown_.push_back({title, folder, filter, result, save});
        return result;
    }

    std::deque<std::optional<std::filesystem::path>> results_;
    std::vector<Shown> shown_;
};

class CountingWaitCursor final : public WaitCursor {
public:
    void show() override { ++depth_; }
    void restore() override { --depth_; }
    int depth() const { return depth_; }

private:
    int depth_ = 0;
};

class RecordingPointer final : public Pointer {
public:
    struct Point {
        int x;
        int y;
    };
    void moveTo(int x, int y) override { moves_.push_back({x, y}); }
    const std::vector<Point>& moves() const { return moves_; }

private:
    std::vector<Point> moves_;
};

class RecordingFolderOpener final : public FolderOpener {
public:
    explicit RecordingFolderOpener(bool succeeds = true) : succeeds_(succeeds) {}
    bool open(const std::filesystem::path& folder) override {
        opened_.push_back(folder);
        return succeeds_;
    }
    const std::vector<std::filesystem::path>& opened() const { return opened_; }

private:
    bool succeeds_;
    std::vector<std::filesystem::path> opened_;
};

} // namespace dovrel
