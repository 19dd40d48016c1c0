// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

#include <optional>
#include <string>

namespace dovrel {

// A 32-bit value shown with a fixed number of decimals in a locale's regional format: its grouping,
// decimal sign, minus sign and digits. The value is taken as the shortest fixed-point text that reads
// back as the same float ("1.005" for the float nearest 1.005; whole numbers too large to carry a
// fraction show their exact value), and that text is rounded half away from zero to the decimals shown.
// A value that rounds to zero shows no minus sign. Decimals are kept within 0 to 9. Empty optional for
// an infinite or NaN value. Returned as UTF-8.
std::optional<std::string> formatInLocale(float value, int decimals, const QLocale& locale);
// The same for a 64-bit value (the shortest text that reads back as the same double).
std::optional<std::string> formatWideInLocale(double value, int decimals, const QLocale& locale);

} // namespace dovrel
