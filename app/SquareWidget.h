#pragma once
// One square of the board: its colour, what it shows and the click that plays it.

#include "game/Game.h"

#include <QPixmap>
#include <QWidget>

namespace trevak {

class SquareWidget : public QWidget {
    Q_OBJECT
public:
    SquareWidget(int square, QWidget *parent);

    int square() const { return m_square; }
    SquareMark mark() const { return m_mark; }
    // Repaints only when the mark really changes.
    void setMark(SquareMark mark);
    // Text a screen reader says, e.g. "C2, navštíveno"; it follows the mark.
    QString spokenName() const;

    // Keyboard and accessibility actions reach the game through this.
    void activate() { emit clicked(m_square); }

signals:
    void clicked(int square);
    // Arrow keys: move the focus by whole rows and columns.
    void focusStepRequested(int square, int rowStep, int columnStep);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_square;
    SquareMark m_mark = SquareMark::Empty;
    QPixmap m_picture;
    bool m_pressed = false;
    bool m_keyboardFocus = false;
};

}  // namespace trevak
