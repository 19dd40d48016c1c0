// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioFindingsText.h"

#include "catalogue/IndexText.h"

#include <unordered_map>
#include <vector>

namespace dovrel {

namespace {

// One letter starts each finding: the kind, in upper case when the identifier follows it (it
// differs from the one before), in lower case when it is the one before.
constexpr char kOpened = 'o';
constexpr char kVehicle = 'v';
constexpr char kClosed = 'c';
// A blueprint path met for the first time; the paths are numbered from 0 in the order met.
constexpr char kBlueprint = 'b';

char upper(char kind) {
    return static_cast<char>(kind - 'a' + 'A');
}

class FindingsWriter final : public ScenarioConsistScan::Listener {
public:
    void consistOpened(const std::string& identifier) override { putKind(kOpened, identifier); }

    void vehicleClosed(const std::string& identifier, const std::string& blueprint,
                       const std::string& heading) override {
        const auto [known, added] = blueprints_.try_emplace(blueprint, blueprints_.size());
        if (added) {
            text_.push_back(kBlueprint);
            putIndexText(text_, blueprint);
        }
        putKind(kVehicle, identifier);
        putIndexNumber(text_, static_cast<long long>(known->second));
        putIndexText(text_, heading);
    }

    void consistClosed(const std::string& identifier, const std::string& serviceName) override {
        putKind(kClosed, identifier);
        putIndexText(text_, serviceName);
    }

    std::string take() { return std::move(text_); }

private:
    void putKind(char kind, const std::string& identifier) {
        if (first_ || identifier != identifier_) {
            text_.push_back(upper(kind));
            putIndexText(text_, identifier);
            identifier_ = identifier;
            first_ = false;
        } else {
            text_.push_back(kind);
        }
    }

    std::string text_;
    std::string identifier_;
    bool first_ = true;
    std::unordered_map<std::string, std::size_t> blueprints_;
};

} // namespace

std::string findingsText(const ScenarioFindings& findings) {
    FindingsWriter writer;
    findings.passTo(writer);
    return writer.take();
}

bool replayFindingsText(std::string_view text, ScenarioConsistScan::Listener& listener) {
    IndexTextReader reader(text);
    std::vector<std::string> blueprints;
    std::string identifier;
    bool identified = false;
    while (!reader.atEnd()) {
        char kind = 0;
        for (const char candidate :
             {kOpened, kVehicle, kClosed, kBlueprint, upper(kOpened), upper(kVehicle), upper(kClosed)}) {
            if (reader.skip(candidate)) {
                kind = candidate;
                break;
            }
        }
        if (kind == 0) {
            return false;
        }
        if (kind == kBlueprint) {
            const std::optional<std::string_view> blueprint = reader.text();
            if (!blueprint) {
                return false;
            }
            blueprints.emplace_back(*blueprint);
            continue;
        }
        if (kind == upper(kOpened) || kind == upper(kVehicle) || kind == upper(kClosed)) {
            const std::optional<std::string_view> named = reader.text();
            if (!named) {
                return false;
            }
            identifier.assign(*named);
            identified = true;
            kind = static_cast<char>(kind - 'A' + 'a');
        } else if (!identified) {
            return false;
        }
        if (kind == kOpened) {
            listener.consistOpened(identifier);
        } else if (kind == kVehicle) {
            const std::optional<long long> number = reader.number();
            const std::optional<std::string_view> heading = reader.text();
            if (!number || !heading || *number < 0 ||
                static_cast<unsigned long long>(*number) >= blueprints.size()) {
                return false;
            }
            listener.vehicleClosed(identifier, blueprints[static_cast<std::size_t>(*number)],
                                   std::string(*heading));
        } else {
            const std::optional<std::string_view> serviceName = reader.text();
            if (!serviceName) {
                return false;
            }
            listener.consistClosed(identifier, std::string(*serviceName));
        }
    }
    return true;
}

} // namespace dovrel
