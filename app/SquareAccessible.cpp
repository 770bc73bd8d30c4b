#include "app/SquareAccessible.h"

#include "app/SquareWidget.h"

#include <QAccessibleWidget>

namespace trevak {

namespace {

class SquareAccessible : public QAccessibleWidget {
public:
    explicit SquareAccessible(SquareWidget *square) : QAccessibleWidget(square, QAccessible::Button)
    { }

    // The name of a square that has not changed yet is made when asked for, so that opening
    // the window spends nothing on 64 names.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const SquareWidget *>(widget())->spokenName();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList {pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<SquareWidget *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *squareAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("trevak::SquareWidget") && object && object->isWidgetType())
        return new SquareAccessible(static_cast<SquareWidget *>(object));
    return nullptr;
}

}  // namespace

void installSquareAccessibility()
{
    static const bool installed = (QAccessible::installFactory(squareAccessibleFactory), true);
    Q_UNUSED(installed);
}

}  // namespace trevak
