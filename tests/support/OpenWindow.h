#pragma once
// The real main window, shown offscreen, with the scripted services and a temporary games
// folder of its own, and the gestures the window tests use.

#include "app/MainWindow.h"
#include "app/SquareWidget.h"
#include "tests/support/ScriptedServices.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace trevak::testing {

class OpenWindow {
public:
    OpenWindow() : window(std::make_unique<MainWindow>(services, folder.path())) { window->show(); }

    void click(int square) { QTest::mouseClick(window->square(square), Qt::LeftButton); }
    void press(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char *item) { child<QAction>(item)->trigger(); }
    QString caption(const char *label) const { return child<QLabel>(label)->text(); }
    bool enabled(const char *name) const
    {
        if (auto *action = child<QAction>(name))
            return action->isEnabled();
        return child<QWidget>(name)->isEnabled();
    }
    template <typename T>
    T *child(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }
    QString file(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedServices services;
    std::unique_ptr<MainWindow> window;
};

}  // namespace trevak::testing
