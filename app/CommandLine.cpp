#include "app/CommandLine.h"

#include "app/GamesFolder.h"
#include "app/Startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace trevak {

namespace {

struct Parser {
    Parser()
    {
        useCzechQtTexts();  // the parser's own words, "Použití:", "Volby:", its error messages
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QStringLiteral("Trevak – projděte jezdcem všech 64 polí šachovnice, na každé "
                           "vstupte právě jednou.\nHry se ukládají do složky %1.")
                .arg(QDir::toNativeSeparators(savedGamesFolder())));
        parser.addOption(help);
        parser.addOption(version);
    }

    QCommandLineParser parser;
    const QCommandLineOption help {{QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Zobrazí tuto nápovědu a skončí.")};
    const QCommandLineOption version {{QStringLiteral("v"), QStringLiteral("version")},
                                      QStringLiteral("Zobrazí verzi programu a skončí.")};
};

[[noreturn]] void refuse(const QString &problem)
{
    std::fprintf(stderr, "%s\n%s\n", qPrintable(problem),
                 qPrintable(QStringLiteral("Nápovědu vypíše trevak --help.")));
    std::exit(2);
}

}  // namespace

bool answerHelpOrVersion(int argc, char *argv[])
{
    bool asked = false;
    for (int i = 1; i < argc && !asked; ++i) {
        for (const char *option : {"-h", "--help", "-help", "-v", "--version", "-version"})
            asked = asked || std::strcmp(argv[i], option) == 0;
    }
    if (!asked)
        return false;

    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Trevak"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TREVAK_VERSION));
    Parser options;
    // Qt's own options are not known here; they do not stop the answer.
    options.parser.parse(QCoreApplication::arguments());
    if (options.parser.isSet(options.help))
        options.parser.showHelp(0);
    options.parser.showVersion();
}

void refuseUnknownArguments()
{
    // Started from the menu or by the session manager there is nothing left to read, and
    // start-up pays for nothing here.
    if (QCoreApplication::arguments().size() <= 1)
        return;
    Parser options;
    if (!options.parser.parse(QCoreApplication::arguments()))
        refuse(options.parser.errorText());
    const QStringList rest = options.parser.positionalArguments();
    if (!rest.isEmpty())
        refuse(QStringLiteral("Trevak nepřijímá žádné soubory ani jiné argumenty: %1")
                   .arg(rest.join(QLatin1Char(' '))));
}

}  // namespace trevak
