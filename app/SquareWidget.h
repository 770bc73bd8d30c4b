#pragma once
// One square of the board: a button that paints its colour and what it shows. A click, Space
// or Enter plays it; the arrow keys move the focus over the board, which is one stop for Tab.

#include "game/Game.h"

#include <QAbstractButton>
#include <QPixmap>

namespace trevak {

class SquareWidget : public QAbstractButton {
    Q_OBJECT
public:
    SquareWidget(int square, QWidget *parent);

    SquareMark mark() const { return m_mark; }
    // Repaints only when the mark really changes.
    void setMark(SquareMark mark);
    // What a screen reader says, e.g. "C2, navštíveno"; it follows the mark.
    QString spokenName() const;

signals:
    // Arrow keys: move the focus by whole rows and columns.
    void focusStepRequested(int square, int rowStep, int columnStep);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_square;
    SquareMark m_mark = SquareMark::Empty;
    QPixmap m_picture;
};

}  // namespace trevak
