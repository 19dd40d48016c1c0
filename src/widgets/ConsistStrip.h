// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace dovrel {

class ConsistLabels;

// What a key pressed on the strip asks for: select a neighbour or an end, or run a unit command.
enum class StripKey { Previous, Next, Head, Tail, ShiftLeft, ShiftRight, Reverse, Delete };

// Left, Right, Home, End, Shift+Left, Shift+Right, Space or R, and Delete; any other key (or these
// with other modifiers) means nothing to the strip. The keypad's arrows count as the arrows.
std::optional<StripKey> stripKeyOf(int key, Qt::KeyboardModifiers modifiers);

// The row of units across the main window: bodies, front markers, captions and the selection
// frame, painted by this one widget from the label sets. Element positions are window client twips;
// the strip shows the band of the window it covers and paints only what crosses it. It takes the
// focus by Tab only (a click leaves the focus where it was) and shows it by a frame around the band.
class ConsistStrip final : public QWidget {
    Q_OBJECT

public:
    // A press on the strip: the button and the point in window client twips.
    using PressHandler = std::function<void(Qt::MouseButton button, float x, float y)>;
    using KeyHandler = std::function<void(StripKey key)>;

    explicit ConsistStrip(QWidget* parent = nullptr);

    void setLabels(const ConsistLabels* labels) { labels_ = labels; }
    void setPressHandler(PressHandler handler) { onPress_ = std::move(handler); }
    void setKeyHandler(KeyHandler handler) { onKey_ = std::move(handler); }
    // What a screen reader says of the line, given as the accessible description; a change is
    // announced.
    void setSelectionSummary(const QString& summary);
    // Gaps painted red between two bodies: gap i lies between unit i and unit i + 1.
    void setGapMarks(std::vector<std::int32_t> gaps) { gapMarks_ = std::move(gaps); }
    const std::vector<std::int32_t>& gapMarks() const { return gapMarks_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintGapMarks(QPainter& painter) const;

    const ConsistLabels* labels_ = nullptr;
    std::vector<std::int32_t> gapMarks_;
    PressHandler onPress_;
    KeyHandler onKey_;
};

} // namespace dovrel
