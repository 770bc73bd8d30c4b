#include "app/LinkButton.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace trevak {

namespace {

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkButton *link) : QAccessibleWidget(link, QAccessible::Link)
    {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const LinkButton *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList {pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<LinkButton *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *linkFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("trevak::LinkButton") && object && object->isWidgetType())
        return new LinkAccessible(static_cast<LinkButton *>(object));
    return nullptr;
}

}  // namespace

LinkButton::LinkButton(const QString &caption, const QString &address, QWidget *parent)
    : QAbstractButton(parent)
{
    static const bool installed = (QAccessible::installFactory(linkFactory), true);
    Q_UNUSED(installed);
    setText(caption);
    setAccessibleDescription(address);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkButton::paintEvent(QPaintEvent *)
{
    // Drawn as a label draws its text, in the window's text colour that the link sets.
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignTop, palette(),
                          isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        // A dotted frame in the link's colour round its box, as a focused link was drawn.
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
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
