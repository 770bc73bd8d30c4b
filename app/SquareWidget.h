#pragma once
// One square of the board: its colour, its picture and the click that plays it.

#include <QPixmap>
#include <QWidget>

namespace trevak {

class SquareWidget : public QWidget {
    Q_OBJECT
    // The board's squares are numbered 1-64 from A1; Tag "1" marks a dark square, "2" a light one.
    Q_PROPERTY(int Index READ index CONSTANT)
    Q_PROPERTY(QString Tag READ tag CONSTANT)
public:
    SquareWidget(int index, int tag, QWidget *parent);

    int index() const { return m_index; }
    QString tag() const { return QString::number(m_tag); }
    int pictureId() const { return m_pictureId; }
    // Repaints only when the picture really changes.
    void setPicture(int id, const QPixmap &pixmap);
    // Text a screen reader says, e.g. "C2, navštíveno"; it follows the picture.
    QString spokenName() const;

    // Keyboard and accessibility actions reach the game through this.
    void activate() { emit clicked(m_index); }

signals:
    void clicked(int index);
    // Arrow keys: move the focus by whole rows and columns.
    void focusStepRequested(int index, int rowStep, int columnStep);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_index;
    int m_tag;
    int m_pictureId = 0;
    QPixmap m_pixmap;
    bool m_pressed = false;
    bool m_keyboardFocus = false;
};

}  // namespace trevak
