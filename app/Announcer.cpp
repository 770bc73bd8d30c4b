#include "app/Announcer.h"

#include <QAccessibleWidget>
#include <QApplication>

namespace trevak {

namespace {

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    { }
};

QAccessibleInterface *announcerFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("trevak::Announcer") && object && object->isWidgetType())
        return new AnnouncerAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    static const bool installed = (QAccessible::installFactory(announcerFactory), true);
    Q_UNUSED(installed);
    // No pixels of its own: it is there for screen readers only.
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Announcer::announce(const QString &text)
{
    restoreDescription();
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus->window() == window()) {
        m_described = focus;
        m_ownDescription = focus->accessibleDescription();
        focus->setAccessibleDescription(text);
        // The description is the result of one action: it goes when the focus moves on.
        connect(qApp, &QApplication::focusChanged, this, &Announcer::restoreDescription,
                Qt::UniqueConnection);
    }
    hide();
    setAccessibleName(text);
    show();
}

void Announcer::restoreDescription()
{
    if (m_described)
        m_described->setAccessibleDescription(m_ownDescription);
    m_described = nullptr;
    disconnect(qApp, &QApplication::focusChanged, this, &Announcer::restoreDescription);
}

}  // namespace trevak
