// The program's name, version and icon, and the dialogs' buttons in the desktop's language.

#include "app/Startup.h"

#include <QApplication>
#include <QIcon>
#include <QTest>
#include <QTranslator>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void nameVersionIcon();
    void dialogButtonsFollowTheLanguage_data();
    void dialogButtonsFollowTheLanguage();
};

void TestStartup::nameVersionIcon()
{
    trevak::describeApplication();
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Trevak"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    QCOMPARE(QApplication::windowIcon().availableSizes().value(0), QSize(32, 32));
}

void TestStartup::dialogButtonsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::newRow("Czech") << "cs_CZ" << "&Ano" << "&Ne";
    QTest::newRow("English") << "en_US" << "&Yes" << "&No";
}

void TestStartup::dialogButtonsFollowTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, yes);
    QFETCH(QString, no);
    QTranslator translator;
    const bool installed = trevak::installQtTranslations(translator, QLocale(locale));
    QCOMPARE(installed, locale == QLatin1String("cs_CZ"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), no);
    QApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
