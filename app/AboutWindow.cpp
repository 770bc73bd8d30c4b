#include "app/AboutWindow.h"

#include "app/FixedLabel.h"
#include "app/LinkButton.h"
#include "app/PlatformServices.h"
#include "app/Twips.h"
#include "app/WindowFont.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QUrl>

namespace trevak {

namespace {

LinkButton *addLink(QWidget *parent, const QString &caption, const char *target, QRect geometry)
{
    auto *link = new LinkButton(caption, QString::fromUtf8(target), parent);
    link->setGeometry(geometry);
    QFont font = windowFont(8.25);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    link->setPalette(palette);
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
    setWindowTitle(QStringLiteral("O Programu"));
    // Closed means gone: the next "O programu" builds it afresh at its fixed place.
    setAttribute(Qt::WA_DeleteOnClose);

    const QFont regular = windowFont(8.25);
    const QFont bold = windowFont(8.25, true);
    placeLabel(new QLabel(this), QStringLiteral("Trevak"), twipsRect(240, 120, 1455, 375),
               windowFont(13.5, true));
    placeLabel(new QLabel(this), QStringLiteral("Autor: ") + QString::fromUtf8(kAuthorName),
               twipsRect(240, 720, 2055, 255), regular);
    placeLabel(new QLabel(this), QStringLiteral("Email:"), twipsRect(240, 1200, 975, 255), bold);
    auto *mail = addLink(this, QString::fromUtf8(kAuthorEmail), kMailTarget,
                         twipsRect(240, 1440, 1935, 255));
    placeLabel(new QLabel(this), QStringLiteral("Domovské stránky:"),
               twipsRect(240, 1800, 1815, 255), bold);
    auto *programSite = addLink(this, withoutScheme(QString::fromUtf8(kProgramSite)), kProgramSite,
                                twipsRect(240, 2040, 1935, 255));
    auto *authorSitePage
        = addLink(this, withoutFinalSlash(withoutScheme(QString::fromUtf8(kAuthorSitePage))),
                  kAuthorSitePage, twipsRect(240, 2400, 2295, 255));
    connect(mail, &LinkButton::clicked, this,
            [this, mail] { openLink(kMailTarget, mail->text()); });
    connect(programSite, &LinkButton::clicked, this,
            [this, programSite] { openLink(kProgramSite, programSite->text()); });
    connect(authorSitePage, &LinkButton::clicked, this,
            [this, authorSitePage] { openLink(kAuthorSitePage, authorSitePage->text()); });
}

void AboutWindow::showAtFixedPosition()
{
    if (!isVisible()) {
        // The client area's place on the screen is fixed, not left to the window system.
        setGeometry(twipsRect(2820, 3960, 2685, 2820));
        show();
    }
    // Chosen again while it is open, perhaps behind the main window: it comes to the front.
    raise();
    activateWindow();
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
    const QPointer<AboutWindow> about(this);
    m_services.openLink(QUrl(QString::fromUtf8(target)), [&services, caption, about] {
        services.showMessage(
            QStringLiteral("O Programu"),
            QStringLiteral(
                "Odkaz %1 se nepodařilo otevřít, v systému chybí program, který by ho otevřel.")
                .arg(caption),
            MessageIcon::Warning);
        // The message belongs to the main window; the player goes on where the link was.
        if (about && about->isVisible()) {
            about->raise();
            about->activateWindow();
        }
    });
}

}  // namespace trevak
