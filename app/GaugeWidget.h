#pragma once
// The progress gauge: a column of 64 fixed horizontal strokes, one per filled square, that
// are only shown or hidden. Visible neighbours lie five pixels apart and merge into one bar.

#include <QWidget>

namespace trevak {

class GaugeWidget : public QWidget {
    Q_OBJECT
public:
    explicit GaugeWidget(QWidget *parent);

    // Shows strokes 0 to count - 1; repaints only the strokes that appear or disappear.
    void setVisibleStrokes(int count);
    int visibleStrokes() const { return m_visible; }

    // Where stroke i lies in the window, in pixels (its centre line).
    static int strokeY(int stroke);
    // The pixels stroke i covers, in the gauge's own coordinates.
    QRect strokeRect(int stroke) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_visible = 0;
};

}  // namespace trevak
