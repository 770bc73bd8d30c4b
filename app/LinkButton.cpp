#include "app/LinkButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace trevak {

LinkButton::LinkButton(const QString &caption, QWidget *parent) : QAbstractButton(parent)
{
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkButton::paintEvent(QPaintEvent *)
{
    // Drawn as a label draws its text, in the window's text colour that the link sets.
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignTop, palette(),
                          isEnabled(), text(), QPalette::WindowText);
}

void LinkButton::keyPressEvent(QKeyEvent *event)
{
    // Space opens the link as it presses any button; Enter opens it too.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        click();
    else
        QAbstractButton::keyPressEvent(event);
}

}  // namespace trevak
