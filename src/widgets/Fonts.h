// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace dovrel {

// A font requested by its Windows family name with a style hint, so the system substitutes the
// nearest family it has (Liberation for Arial and Courier New).
QFont requestedFont(const QString& family, double points, bool bold = false);

QFont smallFonts();    // "Small Fonts" 6.75 pt
QFont lucidaConsole(); // "Lucida Console" 8.25 pt
QFont courierNew();    // "Courier New" 9 pt
QFont dialogFont();    // the windows' ordinary control font: "Arial" 8.25 pt

} // namespace dovrel
