// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SteamLibraryFolders.h"

#include "core/TextRules.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace dovrel {

namespace {

// A value of the text: a string, or a block of keyed values in the order written.
struct VdfValue {
    std::string text;
    std::vector<std::pair<std::string, std::unique_ptr<VdfValue>>> children;
    bool block = false;
};

// Reads KeyValues text; every fault makes the whole text unreadable.
class VdfReader {
public:
    explicit VdfReader(std::string_view text) : text_(text) {}

    // The top-level pairs, or nothing when the text is malformed.
    std::optional<VdfValue> readDocument() {
        VdfValue document;
        document.block = true;
        if (!readPairs(document, 0) || !atEnd()) {
            return std::nullopt;
        }
        return document;
    }

private:
    // Deeper nesting than any real file has is taken as damage, never followed without limit.
    static constexpr int kMaxDepth = 32;

    bool atEnd() {
        skipSpaceAndComments();
        return at_ >= text_.size();
    }

    void skipSpaceAndComments() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const std::size_t lineEnd = text_.find('\n', at_);
                at_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
            } else {
                return;
            }
        }
    }

    // Pairs up to the closing brace of the block (depth > 0) or the end of the text (depth 0).
    bool readPairs(VdfValue& block, int depth) {
        while (true) {
            skipSpaceAndComments();
            if (at_ >= text_.size()) {
                return depth == 0;
            }
            if (text_[at_] == '}') {
                if (depth == 0) {
                    return false;
                }
                ++at_;
                return true;
            }
            std::optional<std::string> key = readQuoted();
            if (!key) {
                return false;
            }
            auto value = std::make_unique<VdfValue>();
            skipSpaceAndComments();
            if (at_ < text_.size() && text_[at_] == '{') {
                if (depth + 1 > kMaxDepth) {
                    return false;
                }
                ++at_;
                value->block = true;
                if (!readPairs(*value, depth + 1)) {
                    return false;
                }
            } else {
                std::optional<std::string> text = readQuoted();
                if (!text) {
                    return false;
                }
                value->text = std::move(*text);
            }
            block.children.emplace_back(std::move(*key), std::move(value));
        }
    }

    // A quoted string at the current position, its escapes resolved.
    std::optional<std::string> readQuoted() {
        skipSpaceAndComments();
        if (at_ >= text_.size() || text_[at_] != '"') {
            return std::nullopt;
        }
        std::string value;
        for (++at_; at_ < text_.size(); ++at_) {
            char c = text_[at_];
            if (c == '"') {
                ++at_;
                return value;
            }
            if (c == '\\' && at_ + 1 < text_.size()) {
                c = text_[++at_];
                c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
            value += c;
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

bool isNumber(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const VdfValue* child(const VdfValue& block, std::string_view key) {
    for (const auto& [name, value] : block.children) {
        if (equalsIgnoringCase(name, key)) {
            return value.get();
        }
    }
    return nullptr;
}

} // namespace

std::vector<std::string> libraryPathsFromVdf(std::string_view text) {
    const std::optional<VdfValue> document = VdfReader(text).readDocument();
    std::vector<std::string> paths;
    if (!document) {
        return paths;
    }
    const VdfValue* root = child(*document, "libraryfolders");
    if (root == nullptr || !root->block) {
        return paths;
    }
    for (const auto& [key, library] : root->children) {
        if (library->block) {
            if (const VdfValue* path = child(*library, "path"); path != nullptr && !path->block) {
                paths.push_back(path->text);
            }
        } else if (isNumber(key)) {
            paths.push_back(library->text);
        }
    }
    std::erase(paths, std::string());
    return paths;
}

} // namespace dovrel
