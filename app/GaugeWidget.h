#pragma once
// The progress gauge: a column of 65 fixed horizontal strokes that are only shown or hidden.
// Visible neighbours lie five pixels apart and merge into one solid bar.

#include "game/Board.h"

#include <QWidget>
#include <array>

namespace trevak {

class GaugeWidget : public QWidget {
    Q_OBJECT
public:
    explicit GaugeWidget(QWidget *parent);

    // Repaints only the strokes whose visibility changed.
    void setVisibleStrokes(const std::array<bool, kStrokeCount> &visible);
    bool isStrokeVisible(int stroke) const { return m_visible[stroke]; }

    // Where stroke i lies in the window, in pixels (its centre line).
    static int strokeY(int stroke);
    // The pixels stroke i covers, in the gauge's own coordinates.
    QRect strokeRect(int stroke) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<bool, kStrokeCount> m_visible{};
};

}  // namespace trevak
