#pragma once
// Tells a screen reader the result of what the player just did ("Pole C2 je obsazené.",
// "Jezdec na C2, tah 5"), though the focus stays where it was.
//
// Screen readers speak changes of the focused control only, and Qt 6.4 sends a changed name or
// description over AT-SPI without its text, which Orca then cannot speak; it drops alerts
// altogether. A notification that appears is spoken whatever has the focus, so the announcer is
// an invisible notification shown anew with every text. The focused control's description holds
// the text as well, until the focus leaves it, for a screen reader that asks the control again.

#include <QPointer>
#include <QWidget>

namespace trevak {

class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);

private:
    void restoreDescription();

    QPointer<QWidget> m_described;
    QString m_ownDescription;
};

}  // namespace trevak
