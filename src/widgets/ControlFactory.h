// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/NamedControls.h"

#include <QWidget>
#include <string>
#include <string_view>

namespace dovrel {

// Creates a window's controls: each gets its name as objectName, its twips geometry, its caption
// and an entry in the registry under "PREFIX" + name.
class ControlFactory {
public:
    ControlFactory(NamedControls& registry, std::string addressPrefix = {})
        : registry_(registry), prefix_(std::move(addressPrefix)) {}

    template <typename W>
    W* make(QWidget* parent, const char* name, ControlKind kind, const TwipsRect& rect,
            std::string_view caption = {}) {
        auto* widget = new W(parent);
        setUp(widget, name, kind, rect, caption);
        return widget;
    }

    void setUp(QWidget* widget, const char* name, ControlKind kind, const TwipsRect& rect,
               std::string_view caption);
    void registerWidget(QWidget* widget, const char* name, ControlKind kind);

private:
    NamedControls& registry_;
    std::string prefix_;
};

} // namespace dovrel
