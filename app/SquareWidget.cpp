#include "app/SquareWidget.h"

#include "app/Pictures.h"

#include <QKeyEvent>
#include <QPainter>

namespace trevak {

namespace {
const QColor kDarkSquare(128, 64, 64);
const QColor kLightSquare(255, 255, 255);
// No one colour stands out 3 : 1 against both the white and the dark red squares: the ring is
// white outside, which stands out on the dark squares, and black inside, which stands out on the
// light ones.
const QColor kFocusRingOuter(255, 255, 255);
const QColor kFocusRingInner(0, 0, 0);
}  // namespace

SquareWidget::SquareWidget(int square, QWidget *parent) : QAbstractButton(parent), m_square(square)
{
    // A mouse click does not move the focus; the window makes one square at a time the board's
    // stop for Tab.
    setFocusPolicy(Qt::NoFocus);
}

bool SquareWidget::event(QEvent *event)
{
    const bool handled = QAbstractButton::event(event);
    // The style, which polishes a widget in the base class's event(), makes its buttons
    // see-through and redraws them under the mouse. A square paints every pixel itself and looks
    // the same under the mouse: left so, every click and every pass of the mouse would redraw the
    // window beneath and the neighbouring squares too.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_Hover, false);
    }
    return handled;
}

QString SquareWidget::spokenName() const
{
    QString shows;
    switch (m_mark) {
    case SquareMark::Empty:
        shows = QStringLiteral("prázdné");
        break;
    case SquareMark::Visited:
        shows = QStringLiteral("navštíveno");
        break;
    case SquareMark::Knight:
        shows = QStringLiteral("jezdec");
        break;
    }
    return QString::fromStdString(squareName(m_square)) + QStringLiteral(", ") + shows;
}

void SquareWidget::setMark(SquareMark mark)
{
    if (mark == m_mark)
        return;
    m_mark = mark;
    m_picture = squarePicture(mark, isDarkSquare(m_square));
    // Tells a screen reader too; until the first change the accessible interface names the square.
    setAccessibleName(spokenName());
    update();
}

void SquareWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Neighbouring squares overlap by one pixel, so their borders coincide.
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1),
                     isDarkSquare(m_square) ? kDarkSquare : kLightSquare);
    if (!m_picture.isNull()) {
        painter.drawPixmap(1, 1, m_picture);
        // The picture reaches over the right and bottom border; the border stays on top.
        painter.fillRect(width() - 1, 0, 1, height(), Qt::black);
        painter.fillRect(0, height() - 1, width(), 1, Qt::black);
    }
    if (hasFocus()) {
        // Two pixels of each colour inside the border: the pictures keep a wider margin.
        painter.setPen(QPen(kFocusRingOuter, 2));
        painter.drawRect(QRectF(2, 2, width() - 4, height() - 4));
        painter.setPen(QPen(kFocusRingInner, 2));
        painter.drawRect(QRectF(4, 4, width() - 8, height() - 8));
    }
}

void SquareWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Space plays the square as it presses any button; Enter plays it too.
        click();
        return;
    case Qt::Key_Up:
        emit focusStepRequested(m_square, +1, 0);
        return;
    case Qt::Key_Down:
        emit focusStepRequested(m_square, -1, 0);
        return;
    case Qt::Key_Left:
        emit focusStepRequested(m_square, 0, -1);
        return;
    case Qt::Key_Right:
        emit focusStepRequested(m_square, 0, +1);
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

}  // namespace trevak
