#include "app/AboutWindow.h"

#include "app/LinkLabel.h"
#include "app/PlatformServices.h"
#include "app/Twips.h"
#include "app/WindowFont.h"

#include <QKeyEvent>
#include <QUrl>

namespace trevak {

namespace {

QLabel *addLabel(QWidget *parent, QLabel *label, const char *name, QRect geometry,
                 const QFont &font)
{
    label->setParent(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

LinkLabel *addLink(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *link = new LinkLabel(caption, parent);
    QFont font = windowFont(8.25);
    font.setUnderline(true);
    addLabel(parent, link, name, geometry, font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    link->setPalette(palette);
    link->setAccessibleName(caption);
    return link;
}

QString withoutFinalSlash(QString address)
{
    if (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

QString withoutScheme(const QString &address)
{
    return address.mid(address.indexOf(QLatin1String("//")) + 2);
}

}  // namespace

AboutWindow::AboutWindow(PlatformServices &services) : QWidget(nullptr), m_services(services)
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("O Programu"));
    // Closed means gone: the next "O programu" builds it afresh at its fixed place.
    setAttribute(Qt::WA_DeleteOnClose);

    const QFont regular = windowFont(8.25);
    const QFont bold = windowFont(8.25, true);
    addLabel(this, new QLabel(QStringLiteral("Trevak")), "Label1", twipsRect(240, 120, 1455, 375),
             windowFont(13.5, true));
    addLabel(this, new QLabel(QStringLiteral("Autor: ") + QString::fromUtf8(kAuthorName)), "Label5",
             twipsRect(240, 720, 2055, 255), regular);
    addLabel(this, new QLabel(QStringLiteral("Email:")), "Label3", twipsRect(240, 1200, 975, 255),
             bold);
    auto *mail = addLink(this, "LblOdkazy1", QString::fromUtf8(kAuthorEmail),
                         twipsRect(240, 1440, 1935, 255));
    addLabel(this, new QLabel(QStringLiteral("Domovské stránky:")), "Label4",
             twipsRect(240, 1800, 1815, 255), bold);
    auto *second = addLink(this, "LblOdkazy3", withoutScheme(QString::fromUtf8(kSecondHomePage)),
                           twipsRect(240, 2040, 1935, 255));
    auto *first = addLink(this, "LblOdkazy2",
                          withoutFinalSlash(withoutScheme(QString::fromUtf8(kFirstHomePage))),
                          twipsRect(240, 2400, 2295, 255));
    connect(mail, &LinkLabel::clicked, this, [this, mail] { openLink(kMailTarget, mail->text()); });
    connect(first, &LinkLabel::clicked, this,
            [this, first] { openLink(kFirstHomePage, first->text()); });
    connect(second, &LinkLabel::clicked, this,
            [this, second] { openLink(kSecondHomePage, second->text()); });
}

void AboutWindow::showAtFixedPosition()
{
    if (isVisible())
        return;
    // The client area's place on the screen is fixed, not left to the window system.
    setGeometry(twipsRect(2820, 3960, 2685, 2820));
    show();
}

void AboutWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void AboutWindow::openLink(const char *target, const QString &caption)
{
    // The failure may be told after this window has closed: the services outlive it.
    PlatformServices &services = m_services;
    m_services.openLink(QUrl(QString::fromUtf8(target)), [&services, caption] {
        services.showMessage(
            QStringLiteral("O Programu"),
            QStringLiteral(
                "Odkaz %1 se nepodařilo otevřít, v systému chybí program, který by ho otevřel.")
                .arg(caption),
            MessageIcon::Warning);
    });
}

}  // namespace trevak
