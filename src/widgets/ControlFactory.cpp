// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ControlFactory.h"

#include "widgets/ControlText.h"

namespace dovrel {

void ControlFactory::setUp(QWidget* widget, const char* name, ControlKind kind, const TwipsRect& rect,
                           std::string_view caption) {
    placeInTwips(widget, rect);
    const bool captioned = kind == ControlKind::Button || kind == ControlKind::Label ||
                           kind == ControlKind::Frame || kind == ControlKind::CheckBox;
    if (captioned) {
        setCaption(widget, caption);
    }
    registerWidget(widget, name, kind);
}

void ControlFactory::registerWidget(QWidget* widget, const char* name, ControlKind kind) {
    widget->setObjectName(QString::fromLatin1(name));
    registry_.addWidget(prefix_ + name, widget, kind);
}

} // namespace dovrel
