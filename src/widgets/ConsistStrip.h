#pragma once

#include <QWidget>

namespace dovrel {

// The row of units across the main window: bodies, front markers, captions and the selection
// frame, painted by this one widget.
class ConsistStrip final : public QWidget {
    Q_OBJECT

public:
    explicit ConsistStrip(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dovrel
