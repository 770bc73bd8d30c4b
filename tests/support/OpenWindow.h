#pragma once
// The real main window, shown offscreen with a games folder of its own and its modal services
// scripted, and the gestures the window tests use.

#include "app/MainWindow.h"
#include "app/PlatformServices.h"
#include "app/SquareWidget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QQueue>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <functional>
#include <memory>

namespace trevak::testing {

// Records every call and answers from queues the test fills, in order.
class ScriptedServices : public PlatformServices {
public:
    // Each call as {service, arguments...}; showMessage adds its icon: "none", "information" or
    // "warning".
    QList<QStringList> calls;
    QQueue<Answer> answers;  // when empty: No
    QQueue<QString> typedTexts;  // when empty: Cancel
    QQueue<QString> chosenFiles;  // when empty: Cancel
    bool linksOpen = true;  // false: no program takes a link
    std::function<void()> whileModal;  // runs inside every dialog, to look at the window behind it

    void showMessage(const QString &title, const QString &text, MessageIcon icon) override
    {
        modal({"showMessage", title, text,
               QStringList {"none", "information", "warning"}.at(int(icon))});
    }
    Answer askYesNo(const QString &title, const QString &question) override
    {
        modal({"askYesNo", title, question});
        return answers.isEmpty() ? Answer::No : answers.dequeue();
    }
    Answer askYesNoCancel(const QString &title, const QString &question) override
    {
        modal({"askYesNoCancel", title, question});
        return answers.isEmpty() ? Answer::Cancel : answers.dequeue();
    }
    QString askText(const QString &title, const QString &prompt) override
    {
        modal({"askText", title, prompt});
        return typedTexts.isEmpty() ? QString() : typedTexts.dequeue();
    }
    QString chooseFileToOpen(const QString &title, const QString &folder,
                             const QString &filter) override
    {
        modal({"chooseFileToOpen", title, folder, filter});
        return chosenFiles.isEmpty() ? QString() : chosenFiles.dequeue();
    }
    void beep() override { calls.append({"beep"}); }
    void openLink(const QUrl &address, const std::function<void()> &failed) override
    {
        calls.append({"openLink", address.toString()});
        if (!linksOpen)
            failed();
    }
    void endProgram() override { calls.append({"endProgram"}); }

private:
    void modal(const QStringList &call)
    {
        calls.append(call);
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
        : window(
            std::make_unique<MainWindow>(services, withGamesFolder ? folder.path() : QString()))
    {
        window->show();
    }

    void click(int square) { QTest::mouseClick(window->square(square), Qt::LeftButton); }
    void press(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The menu item with this caption, written without its '&'.
    QAction *item(const QString &caption) const
    {
        for (QAction *menu : window->menuBar()->actions()) {
            for (QAction *item : menu->menu()->actions()) {
                if (item->text().remove('&') == caption)
                    return item;
            }
        }
        return nullptr;
    }
    void trigger(const QString &caption) { item(caption)->trigger(); }
    QString counter() const { return window->moveCounter()->text(); }
    QString file(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedServices services;
    std::unique_ptr<MainWindow> window;
};

}  // namespace trevak::testing
