#pragma once
// The real main window, shown offscreen with a games folder of its own and its modal services
// played by a script, and the steps of a player in words.

#include "app/MainWindow.h"
#include "app/PlatformServices.h"
#include "app/SquareWidget.h"
#include "tests/support/BoardFacts.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

namespace trevak::testing {

// Answers every dialog with the next answer of `script` and notes it in `transcript`, in the words
// a player would use:
//   "Konec? Ano"             the offer "Přejete si uložit hru?" titled Konec, answered Ano (Ne,
//                            Zrušit); with no answer left Ne, or Zrušit where it is offered
//   "název hra"              the box "Zadej název partie.", hra typed; "název Zrušit" cancels it
//   "otevřít vybraná.txt"    the open dialog in the games folder, that file picked, or Zrušit
//   "zpráva Trevak: text"    a message, its title and text
//   "odkaz https://..."      an address handed to the desktop
//   "pípnutí", "konec programu"
// A dialog asked with other texts than these shows them all.
class ScriptedServices : public PlatformServices {
public:
    QStringList script;
    QStringList transcript;
    QString gamesFolder;
    bool linksOpen = true;  // false: no program takes an address
    std::function<void()> whileModal;  // runs in every dialog, to look at the window behind it

    void showMessage(const QString &title, const QString &text, MessageIcon) override
    {
        note("zpráva " + title + ": " + text);
    }
    Answer askYesNo(const QString &title, const QString &question) override
    {
        return yesNo(title, question, "Ne");
    }
    Answer askYesNoCancel(const QString &title, const QString &question) override
    {
        return yesNo(title, question, "Zrušit");
    }
    QString askText(const QString &title, const QString &prompt) override
    {
        const bool usual = title == "Uložit partii." && prompt == "Zadej název partie.";
        const QString typed = ask(usual ? "název" : "název (" + title + ", " + prompt + ")");
        return typed == "Zrušit" ? QString() : typed;
    }
    QString chooseFileToOpen(const QString &title, const QString &folder,
                             const QString &filter) override
    {
        const bool usual
            = title == "Otevřít" && folder == gamesFolder && filter == "Všechny soubory (*.txt)";
        const QString texts = "(" + title + ", " + folder + ", " + filter + ")";
        const QString picked = ask(usual ? "otevřít" : "otevřít " + texts);
        return picked == "Zrušit" ? QString() : gamesFolder + '/' + picked;
    }
    void beep() override { transcript << "pípnutí"; }
    void openLink(const QUrl &address, const std::function<void()> &failed) override
    {
        transcript << "odkaz " + address.toString();
        if (!linksOpen)
            failed();
    }
    void endProgram() override { transcript << "konec programu"; }

private:
    QString ask(const QString &dialog, const QString &otherwise = "Zrušit")
    {
        const QString answer = script.isEmpty() ? otherwise : script.takeFirst();
        note(dialog + " " + answer);
        return answer;
    }
    Answer yesNo(const QString &title, const QString &question, const QString &otherwise)
    {
        const bool usual = question == "Přejete si uložit hru?";
        const QString answer = ask(usual ? title + "?" : title + ": " + question, otherwise);
        if (answer == "Ano")
            return Answer::Yes;
        return answer == "Ne" ? Answer::No : Answer::Cancel;
    }
    void note(const QString &dialog)
    {
        transcript << dialog;
        if (whileModal)
            whileModal();
    }
};

// The child of `parent` that shows `text`, or none.
inline QWidget *childShowing(const QWidget *parent, const QString &text)
{
    for (QWidget *child : parent->findChildren<QWidget *>()) {
        if (child->property("text").toString() == text)
            return child;
    }
    return nullptr;
}

class OpenWindow {
public:
    // Without a games folder: an installed copy run without a home.
    explicit OpenWindow(bool withGamesFolder = true)
    {
        services.gamesFolder = withGamesFolder ? folder.path() : QString();
        window = std::make_unique<MainWindow>(services, services.gamesFolder);
        window->show();
    }

    // A square clicked ("A1"), "Zpět" or "Vpřed" clicked, a menu item ("Hra > Nová"), a key
    // pressed where the focus is ("Tab", "Space", "Up"), "zavřít okno" (the frame's close
    // button) or "odhlásit" (the desktop logs out).
    void play(const QString &step)
    {
        static const QStringList keys
            = {"Tab", "Backtab", "Space", "Enter", "Return", "Up", "Down", "Left", "Right"};
        if (step == "Zpět")
            QTest::mouseClick(window->backButton(), Qt::LeftButton);
        else if (step == "Vpřed")
            QTest::mouseClick(window->forwardButton(), Qt::LeftButton);
        else if (step.contains(" > "))
            menuItem(step)->trigger();
        else if (keys.contains(step))
            QTest::keyClick(QApplication::focusWidget(), QKeySequence(step)[0].key());
        else if (step == "zavřít okno")
            window->close();
        else if (step == "odhlásit")
            window->offerToSaveBeforeLogout();
        else
            QTest::mouseClick(window->square(squareNamed(step)), Qt::LeftButton);
    }
    // "Hra > Nová": the item of that menu, written without the '&'s.
    QAction *menuItem(const QString &path) const
    {
        for (QAction *menu : window->menuBar()->actions()) {
            for (QAction *item : menu->menu()->actions()) {
                if (menu->text().remove('&') + " > " + item->text().remove('&') == path)
                    return item;
            }
        }
        qFatal("no menu item %s", qPrintable(path));
    }

    QTemporaryDir folder;
    ScriptedServices services;
    std::unique_ptr<MainWindow> window;
};

}  // namespace trevak::testing
