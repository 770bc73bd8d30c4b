#include "app/WindowAccessibility.h"

#include "app/GaugeWidget.h"
#include "app/SquareWidget.h"
#include "game/Board.h"

#include <QAccessibleWidget>

namespace trevak {

namespace {

const char kKnightPicture[] = "knightPicture";
const char kCounterCaption[] = "moveCounterCaption";

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

    // Every square takes the focus by the arrow keys, the board's stop for Tab or not.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        return state;
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

class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit GaugeAccessible(GaugeWidget *gauge)
        : QAccessibleWidget(gauge, QAccessible::ProgressBar)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("Zaplněno");
        if (t == QAccessible::Value)
            return QString::number(percent()) + QLatin1Char('%');
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return percent(); }
    void setCurrentValue(const QVariant &) override { }
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

private:
    int percent() const
    {
        return percentOf(static_cast<const GaugeWidget *>(widget())->visibleStrokes());
    }
};

class KnightPictureAccessible : public QAccessibleWidget {
public:
    explicit KnightPictureAccessible(QWidget *picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    { }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QStringLiteral("Obrázek šachového jezdce") : QString();
    }
};

// The counter says "Počet bodů: 5" by itself; its caption, read too, would say it twice.
class CounterCaptionAccessible : public QAccessibleWidget {
public:
    explicit CounterCaptionAccessible(QWidget *caption)
        : QAccessibleWidget(caption, QAccessible::StaticText)
    { }

    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface *windowAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("trevak::SquareWidget"))
        return new SquareAccessible(static_cast<SquareWidget *>(widget));
    if (className == QLatin1String("trevak::GaugeWidget"))
        return new GaugeAccessible(static_cast<GaugeWidget *>(widget));
    if (object->objectName() == QLatin1String(kKnightPicture))
        return new KnightPictureAccessible(widget);
    if (object->objectName() == QLatin1String(kCounterCaption))
        return new CounterCaptionAccessible(widget);
    return nullptr;
}

}  // namespace

void installWindowAccessibility()
{
    static const bool installed = (QAccessible::installFactory(windowAccessibleFactory), true);
    Q_UNUSED(installed);
}

void markAsKnightPicture(QWidget *picture)
{
    picture->setObjectName(QLatin1String(kKnightPicture));
}

void markAsCounterCaption(QWidget *caption)
{
    caption->setObjectName(QLatin1String(kCounterCaption));
}

}  // namespace trevak
