// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One painted element of the consist line: a label with twips geometry, a caption, colours, a font,
// an opaque or transparent background and a place in the stacking order. Nothing here is a widget;
// the strip that paints the line reads these values.
namespace dovrel {

// The four label sets: unit bodies, front markers, unit captions and the selection frame.
enum class LabelSet { Label1, Label2, Label28, Label3 };

inline constexpr LabelSet kAllLabelSets[] = {LabelSet::Label1, LabelSet::Label2, LabelSet::Label28,
                                             LabelSet::Label3};

// "Label1", "Label2", "Label28", "Label3": the set's object name.
const char* labelSetName(LabelSet set);

// A colour as the window system stores it: blue, green, red bytes from high to low (&H00BBGGRR).
struct StoredColour {
    std::uint32_t value = 0;

    int red() const { return static_cast<int>(value & 0xFFu); }
    int green() const { return static_cast<int>((value >> 8) & 0xFFu); }
    int blue() const { return static_cast<int>((value >> 16) & 0xFFu); }
    bool operator==(const StoredColour&) const = default;
};

struct LabelFont {
    std::string family; // empty for a label that never shows text
    float points = 0.0f;
    bool operator==(const LabelFont&) const = default;
};

// Twips hidden elements are moved to.
inline constexpr float kHiddenLeft = -10000.0f;

struct LabelElement {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    std::string caption;
    StoredColour background;
    StoredColour foreground;
    LabelFont font;
    bool opaque = true;         // the background is painted; a transparent label shows only its text
    bool visible = true;        // the element's own Visible flag; a parked element stays visible
    std::uint64_t stacking = 0; // a higher value lies above a lower one

    // Inside the element's rectangle: left and top edges included, right and bottom excluded.
    bool contains(float x, float y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

// An element by set and index (element 0 is the set's template; element i + 1 shows unit i).
struct LabelRef {
    LabelSet set = LabelSet::Label1;
    std::size_t index = 0;
    bool operator==(const LabelRef&) const = default;
};

} // namespace dovrel
