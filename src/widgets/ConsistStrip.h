// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace dovrel {

class ConsistLabels;

// The row of units across the main window: bodies, front markers, captions and the selection
// frame, painted by this one widget from the label sets. Element positions are window client twips;
// the strip shows the band of the window it covers and paints only what crosses it.
class ConsistStrip final : public QWidget {
    Q_OBJECT

public:
    // A press on the strip: the button and the point in window client twips.
    using PressHandler = std::function<void(Qt::MouseButton button, float x, float y)>;

    explicit ConsistStrip(QWidget* parent = nullptr);

    void setLabels(const ConsistLabels* labels) { labels_ = labels; }
    void setPressHandler(PressHandler handler) { onPress_ = std::move(handler); }
    // Gaps painted red between two bodies: gap i lies between unit i and unit i + 1.
    void setGapMarks(std::vector<std::int32_t> gaps) { gapMarks_ = std::move(gaps); }
    const std::vector<std::int32_t>& gapMarks() const { return gapMarks_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintGapMarks(QPainter& painter) const;

    const ConsistLabels* labels_ = nullptr;
    std::vector<std::int32_t> gapMarks_;
    PressHandler onPress_;
};

} // namespace dovrel
