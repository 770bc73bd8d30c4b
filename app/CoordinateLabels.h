#pragma once
// The rank digits left and right of the board and the file letters below and above it.
// One widget paints all 32 captions: as 32 labels they cost about as much to create and
// paint as the 64 squares.

#include <QWidget>
#include <array>

namespace trevak {

class CoordinateLabels : public QWidget {
    Q_OBJECT
public:
    struct Caption {
        QChar text;
        QRect rect;  // in the client area's coordinates
        Qt::Alignment alignment;
    };
    static constexpr int kCount = 32;

    explicit CoordinateLabels(QWidget *parent);

    static const std::array<Caption, kCount> &captions();

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace trevak
